// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace tarvex {

// The text of the system's one error message: two lines joined by CR LF, the first naming the
// error number (in decimal, minus sign when negative), its description and the procedure.
QString errorReportText(const QString& procName, std::int32_t number, const QString& description);

} // namespace tarvex
