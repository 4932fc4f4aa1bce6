// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"

#include <QString>

namespace tarvex {

// The common error reporter: shows "Error <number> = <description> in function <procName>
// occurred." and "Please contact the manufacturer with this error." (two lines) in a box with an
// OK button and no icon, titled with the application title and centred over the owner of the
// program's messages (msgBox). Pass TvError(0, {}) when no error is pending
// (the box then shows error number 0). The error stays the caller's; a failure inside the
// reporter goes to the caller's handling.
void ReportError(const QString& procName, const TvError& err);

} // namespace tarvex
