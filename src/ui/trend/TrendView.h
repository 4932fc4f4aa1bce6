// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/TrendControls.h"

#include <QString>

#include <optional>

class QWidget;

namespace tarvex {

class CommonDialog;
class PlotControl;
struct SharedState;

// The trend view's toolbar actions on the plot: the setup dialog, the data cursor, the JPEG
// picture and the printout.

// Fills the trend setup dialog (owned by `owner`, the main window) from the plot and shows it
// modally; its colour buttons use `dialog`. Failures are reported as "FrmHistoryTrendSetup",
// after which the next step runs.
void openTrendSetup(QWidget* owner, PlotControl* plot, CommonDialog* dialog);
// Shows the data cursor when hidden, hides it when shown.
void toggleTrendCursor(PlotControl& plot);
// Asks for a file name, proposing `proposedName`, and saves the plot as a JPEG picture; a
// cancelled dialog does nothing, any other failure is told as "Jpeg file can not be saved.
// Check filename or disk space".
void saveTrendJpeg(const SharedState& state, PlotControl& plot, const QString& proposedName);
// Prints the plot on the default printer; failures are skipped without a message.
void printTrendPlot(PlotControl& plot);

// The zoom sliders' position changes: the axis span becomes (100 - position) hundredths of the
// span of the last completed build (`history`), from the same Min. A slider at 100 is put back
// to 99. Errors are skipped.
void DateSlider_PositionChange(const TrendControls& trend,
                               const std::optional<HistorySpans>& history);
void YSlider_PositionChange(const TrendControls& trend, const std::optional<HistorySpans>& history);

// A double-click on the plot: both sliders go to 0 and both axes back to the range of the last
// completed build. Before the first build it does nothing.
void iPlotX_DblClick(const TrendControls& trend, const std::optional<HistorySpans>& history);

} // namespace tarvex
