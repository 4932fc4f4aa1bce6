// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/recordfiles/GridOverlayBar.h"

namespace tarvex {

// The go-to box of a grid with a date and a time column: Enter goes to the first row, in the
// grid's order, recorded at or after the date and time typed, or says that there is none.
class GridGoToBar : public GridOverlayBar {
    Q_OBJECT
public:
    explicit GridGoToBar(SpreadGrid& grid);

    // Goes to the date and time in the text box.
    void go();
};

} // namespace tarvex
