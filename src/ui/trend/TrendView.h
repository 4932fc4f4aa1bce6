// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

class frmHistory;

// The trend view's toolbar actions on iPlotX: the setup dialog, the data cursor, the JPEG
// picture and the printout.

// Fills the trend setup dialog from the plot and shows it modally over the main window.
// Failures are reported as "FrmHistoryTrendSetup", after which the next step runs.
void openTrendSetup();
// Shows the data cursor when hidden, hides it when shown.
void toggleTrendCursor();
// Asks for a file name and saves the plot as a JPEG picture; a cancelled dialog does nothing,
// any other failure is told as "Jpeg file can not be saved. Check filename or disk space".
void saveTrendJpeg();
// Prints the plot on the default printer; failures are skipped without a message.
void printTrendPlot();

// The zoom sliders' position changes: the axis span becomes (100 - position) hundredths of the
// span of the last completed build, from the same Min. A slider at 100 is put back to 99.
// Errors are skipped.
void DateSlider_PositionChange(frmHistory& viewer);
void YSlider_PositionChange(frmHistory& viewer);

// A double-click on the plot: both sliders go to 0 and both axes back to the range of the last
// completed build. Before the first build it does nothing.
void iPlotX_DblClick(frmHistory& viewer);

} // namespace tarvex
