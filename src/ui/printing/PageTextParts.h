// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// A printout's footer line, split into its three parts. The format text uses slash codes: "/l",
// "/c" and "/r" start the left, centre and right part (text before any of them belongs to the
// left part; starting a part again appends to it), and "/p" is the page number: "/rPage #/p"
// reads "Page #3" on page 3. Any other slash is printed as it stands.
struct PageTextParts {
    QString left;
    QString centre;
    QString right;
};

PageTextParts pageTextParts(const QString& format, int page);

} // namespace tarvex
