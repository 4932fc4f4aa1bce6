// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QPagedPaintDevice;
class QPrinter;

namespace tarvex {

class CommonDialog;
class SpreadGrid;

// Grid printouts as the grid's print settings describe them:
//  - PrintRangeMode 0 prints the whole grid, 1 the block from CurrentRow, CurrentColumn to
//    BlockEndRow, BlockEndColumn (in either order, cut to the grid; -1 takes the whole range);
//  - the header row tops every page and the header column starts every row, with the texts the
//    view shows; hidden columns (and a hidden header column) are left out;
//  - column widths and the row height are the view's, scaled from the screen to the device;
//    columns that do not fit the page width continue on further pages, which follow once the
//    rows of the columns before them are all printed;
//  - PrintTitleText (bold, centred) and PrintFileText are the page header, PrintPageText (codes
//    of pageTextParts) the footer line;
//  - PrintOrientation 1 is portrait, 2 landscape; other values keep the device's orientation;
//  - PrintFirstPage to PrintLastPage: the pages printed (0 or outside the printout: all);
//  - PrintSwitchA draws the grid lines; PrintSwitchB prints in colour: the view's header
//    colour and, where the view alternates row colours, those too. Off, the printout is black
//    on white with lightly shaded headers, and a printer is asked for greyscale.

// Paints the printout on `device`. Returns the number of pages painted; 0 when the device
// could not be painted on.
int paintGridPrintout(SpreadGrid& grid, QPagedPaintDevice& device);

// Prints one copy as one job named after PrintTitleText on `printer`. A printer set up to print
// into a PDF file writes that file whole or not at all, and never over a file of `neverReplace`.
// True when the job was sent.
bool printGridOn(SpreadGrid& grid, QPrinter& printer, const QStringList& neverReplace = {});

// The grid's PrintGrid: prints on the printer that the print dialog set up (`dialog`'s), or on
// the default printer when there is no common dialog; the mouse pointer is the hourglass until
// it returns. False when there is no printer or the job failed. A printout to a file never
// replaces a file of `neverReplace`.
bool printGrid(SpreadGrid& grid, CommonDialog* dialog, const QStringList& neverReplace = {});

} // namespace tarvex
