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
#include "ui/viewer/frmHistory.h"

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
void fillTrendSetup(PlotControl& plot) {
    const auto step = [](auto&& statement) { reportErrors(kSetupProc, statement); };
    const auto dlg = [] { return &TrendSetup::instance(); };
    step([&] { dlg()->TrendDaysAnalog->setEnabled(false); });
    step([&] { dlg()->TrendHoursAnalog->setEnabled(false); });
    step([&] { dlg()->TrendMinutesAnalog->setEnabled(false); });
    step([&] { dlg()->TrendZeroAnalog->setValue(plot.YAxis().Min()); });
    step([&] { dlg()->TrendSpanAnalog->setValue(plot.YAxis().Max()); });
    step([&] { TrendSetup::setSwatchColor(dlg()->XcolorLabel, plot.XAxis().ScaleColor()); });
    step([&] { dlg()->XminorTicks->setValue(plot.XAxis().MinorCount()); });
    step([&] { dlg()->XscaleFormat->setEditText(plot.XAxis().DateTimeFormat()); });
    step([&] { TrendSetup::setSwatchColor(dlg()->YcolorLabel, plot.YAxis().ScaleColor()); });
    step([&] { dlg()->YminorTicks->setValue(plot.YAxis().MinorCount()); });
    step([&] { TrendSetup::setSwatchColor(dlg()->BgColorLabel, plot.BackGroundColor()); });
    for (std::size_t pen = 0; pen < TrendSetup::kPens; ++pen) {
        const int i = static_cast<int>(pen);
        step([&] { dlg()->PenAssign.at(pen)->setEnabled(false); });
        bool used = false;
        step([&] { used = i < plot.ChannelCount(); });
        step([&] { dlg()->PWidth.at(pen)->setEnabled(used); });
        step([&] { dlg()->PenClrBtn.at(pen)->setEnabled(used); });
        if (used) {
            step([&] { dlg()->PWidth.at(pen)->setValue(plot.Channel(i).TraceLineWidth()); });
            step([&] {
                TrendSetup::setSwatchColor(dlg()->PenClr.at(pen), plot.Channel(i).Color());
            });
        }
    }
}

} // namespace

void openTrendSetup() {
    PlotControl* plot = nullptr;
    reportErrors(kSetupProc, [&] {
        TrendSetup& dlg = TrendSetup::instance();
        plot = dlg.histPlotobj.data();
    });
    if (plot == nullptr) {
        reportErrors(kSetupProc, [] { throw TvError(ErrInvalidCall); });
    } else {
        fillTrendSetup(*plot);
    }
    reportErrors(kSetupProc, [] { TrendSetup::instance().exec(); });
}

void toggleTrendCursor() {
    ignoreErrors([] {
        PlotDataCursor& cursor = frmHistory::instance().iPlotX->DataCursor(0);
        cursor.setVisible(!cursor.Visible());
    });
}

void saveTrendJpeg() {
    std::optional<TvError> failure;
    try {
        CommonDialog& dlg = fileDialog();
        dlg.CancelError = true;
        dlg.Flags = CommonDialog::OFNOverwritePrompt | CommonDialog::OFNHideReadOnly;
        dlg.Filter = QStringLiteral("Jpeg Files(*.jpg)|*.jpg");
        dlg.DialogTitle = QStringLiteral("Save trend jpeg as?");
        dlg.DefaultExt = QStringLiteral(".jpg");
        dlg.FileName = frmHistory::instance().windowTitle() + QStringLiteral(".jpg");
        dlg.ShowSave();
        refuseRecordFileTarget(dlg.FileName);
        frmHistory::instance().iPlotX->SaveJpeg(dlg.FileName, 100, true, loadedRecordFiles());
    } catch (...) {
        failure = currentError();
    }
    if (failure && !failure->isCancel()) {
        msgBox(QStringLiteral("Jpeg file can not be saved. Check filename or disk space"),
               MsgStyle::Critical);
    }
}

void printTrendPlot() {
    ignoreErrors([] { frmHistory::instance().iPlotX->PrintPlot(); });
}

void DateSlider_PositionChange(frmHistory& viewer) {
    zoom(*viewer.DateSlider, viewer.iPlotX->XAxis(), viewer.historyXspan);
}

void YSlider_PositionChange(frmHistory& viewer) {
    zoom(*viewer.YSlider, viewer.iPlotX->YAxis(), viewer.historyYspan);
}

void iPlotX_DblClick(frmHistory& viewer) {
    if (!viewer.historyXmin || !viewer.historyYmin) {
        return;
    }
    ignoreErrors([&] {
        // The sliders first: each sets its axis' span, which the build's range then replaces.
        viewer.DateSlider->setPosition(0);
        viewer.YSlider->setPosition(0);
        PlotAxis& x = viewer.iPlotX->XAxis();
        x.setMin(*viewer.historyXmin);
        x.setSpan(viewer.historyXspan.value_or(0.0));
        PlotAxis& y = viewer.iPlotX->YAxis();
        y.setMin(*viewer.historyYmin);
        y.setSpan(viewer.historyYspan.value_or(0.0));
    });
}

} // namespace tarvex
