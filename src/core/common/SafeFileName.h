// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace tarvex {

// A text made usable as a file name on Linux and Windows alike: a colon before a blank is
// dropped ("At: " becomes "At "), the other characters that a file name cannot hold there
// (/ \ : * ? " < > | and control characters) become "-", and blanks and dots at the ends go.
// "Data History Printout At: 12/6/2026 9:27:20 AM" becomes
// "Data History Printout At 12-6-2026 9-27-20 AM". Empty when nothing is left.
QString safeFileName(QStringView text);

} // namespace tarvex
