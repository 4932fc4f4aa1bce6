// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendView.h"

#include "core/trend/TrendZoom.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"
#include "ui/trend/NumericInput.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/SliderControl.h"
#include "ui/trend/TrendSetup.h"

#include <QComboBox>
#include <QPushButton>

#include <optional>

namespace tarvex {
namespace {

const auto kSetupProc = QStringLiteral("FrmHistoryTrendSetup");

void zoom(SliderControl& slider, PlotAxis& axis, std::optional<double> fullSpan) {
    ignoreErrors([&] {
        if (slider.Position() == 100) {
            slider.setPosition(kZoomTopPosition);
        }
    });
    ignoreErrors([&] { axis.setSpan(zoomedSpan(slider.Position(), fullSpan)); });
}

// Steps 2 to 7 of filling the dialog, each reported on its own and skipped when it fails.
void fillTrendSetup(TrendSetup& dlg, PlotControl& plot) {
    const auto step = [](auto&& statement) { reportErrors(kSetupProc, statement); };
    step([&] { dlg.TrendDaysAnalog->setEnabled(false); });
    step([&] { dlg.TrendHoursAnalog->setEnabled(false); });
    step([&] { dlg.TrendMinutesAnalog->setEnabled(false); });
    step([&] { dlg.TrendZeroAnalog->setValue(plot.YAxis().Min()); });
    step([&] { dlg.TrendSpanAnalog->setValue(plot.YAxis().Max()); });
    step([&] { TrendSetup::setSwatchColor(dlg.XcolorLabel, plot.XAxis().ScaleColor()); });
    step([&] { dlg.XminorTicks->setValue(plot.XAxis().MinorCount()); });
    step([&] { dlg.XscaleFormat->setEditText(plot.XAxis().DateTimeFormat()); });
    step([&] { TrendSetup::setSwatchColor(dlg.YcolorLabel, plot.YAxis().ScaleColor()); });
    step([&] { dlg.YminorTicks->setValue(plot.YAxis().MinorCount()); });
    step([&] { TrendSetup::setSwatchColor(dlg.BgColorLabel, plot.BackGroundColor()); });
    for (std::size_t pen = 0; pen < TrendSetup::kPens; ++pen) {
        const int i = static_cast<int>(pen);
        step([&] { dlg.PenAssign.at(pen)->setEnabled(false); });
        bool used = false;
        step([&] { used = i < plot.ChannelCount(); });
        step([&] { dlg.PWidth.at(pen)->setEnabled(used); });
        step([&] { dlg.PenClrBtn.at(pen)->setEnabled(used); });
        if (used) {
            step([&] { dlg.PWidth.at(pen)->setValue(plot.Channel(i).TraceLineWidth()); });
            step([&] { TrendSetup::setSwatchColor(dlg.PenClr.at(pen), plot.Channel(i).Color()); });
        }
    }
}

} // namespace

void openTrendSetup(QWidget* owner, PlotControl* plot, CommonDialog* dialog) {
    TrendSetup* setup = nullptr;
    reportErrors(kSetupProc, [&] { setup = &TrendSetup::load(owner, plot, dialog); });
    if (setup == nullptr) {
        return;
    }
    if (setup->histPlotobj.isNull()) {
        reportErrors(kSetupProc, [] { throw TvError(ErrInvalidCall); });
    } else {
        fillTrendSetup(*setup, *setup->histPlotobj);
    }
    reportErrors(kSetupProc, [setup] { setup->exec(); });
}

void toggleTrendCursor(PlotControl& plot) {
    ignoreErrors([&] {
        PlotDataCursor& cursor = plot.DataCursor(0);
        cursor.setVisible(!cursor.Visible());
    });
}

void saveTrendJpeg(const SharedState& state, PlotControl& plot, const QString& proposedName) {
    const auto tellFailure = [](const TvError&) {
        msgBox(QStringLiteral("Jpeg file can not be saved. Check filename or disk space"),
               MsgStyle::Critical);
    };
    reportErrors(tellFailure, [&] {
        CommonDialog& dlg = fileDialog(state);
        dlg.CancelError = true;
        dlg.Flags = CommonDialog::OFNOverwritePrompt | CommonDialog::OFNHideReadOnly;
        dlg.Filter = QStringLiteral("Jpeg Files(*.jpg)|*.jpg");
        dlg.DialogTitle = QStringLiteral("Save trend jpeg as?");
        dlg.DefaultExt = QStringLiteral(".jpg");
        dlg.FileName = proposedName;
        dlg.ShowSave();
        refuseRecordFileTarget(state, dlg.FileName);
        plot.SaveJpeg(dlg.FileName, 100, true, loadedRecordFiles(state));
    });
}

void printTrendPlot(PlotControl& plot) {
    ignoreErrors([&] { plot.PrintPlot(); });
}

void DateSlider_PositionChange(const TrendControls& trend,
                               const std::optional<HistorySpans>& history) {
    zoom(*trend.DateSlider, trend.iPlotX->XAxis(),
         history ? std::optional(history->historyXspan) : std::nullopt);
}

void YSlider_PositionChange(const TrendControls& trend,
                            const std::optional<HistorySpans>& history) {
    zoom(*trend.YSlider, trend.iPlotX->YAxis(),
         history ? std::optional(history->historyYspan) : std::nullopt);
}

void iPlotX_DblClick(const TrendControls& trend, const std::optional<HistorySpans>& history) {
    if (!history) {
        return;
    }
    ignoreErrors([&] {
        // The sliders first: each sets its axis' span, which the build's range then replaces.
        trend.DateSlider->setPosition(0);
        trend.YSlider->setPosition(0);
        PlotAxis& x = trend.iPlotX->XAxis();
        x.setMin(history->historyXmin);
        x.setSpan(history->historyXspan);
        PlotAxis& y = trend.iPlotX->YAxis();
        y.setMin(history->historyYmin);
        y.setSpan(history->historyYspan);
    });
}

} // namespace tarvex
