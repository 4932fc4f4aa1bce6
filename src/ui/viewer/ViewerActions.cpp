// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/ViewerActions.h"

#include "core/recordfiles/PathFunctions.h"
#include "ui/integrity/SignatureVerification.h"
#include "ui/printing/GridPrintouts.h"
#include "ui/recordfiles/AlarmHistoryFile.h"
#include "ui/recordfiles/AuditTrailFile.h"
#include "ui/recordfiles/CsvExport.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/OperatorEventFile.h"
#include "ui/recordfiles/SignatureFiles.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/TrendBuilder.h"
#include "ui/trend/TrendEvents.h"
#include "ui/trend/TrendExport.h"
#include "ui/trend/TrendView.h"
#include "ui/viewer/frmHistory.h"

#include <QLabel>
#include <QTabWidget>

// The viewer binds each toolbar procedure to its own controls and does the follow-ups that only
// it knows: which tab may open, what the plot is titled, which tab comes to the front.

namespace tarvex {

DataLogView frmHistory::dataLogView() const {
    return {.vaGrid = vaGrid,
            .digiSigGrid = digiSigGrid,
            .opEvGrid = opEvGrid,
            .DcryLabel = DcryLabel,
            .ProgBar = ProgBar};
}

AuditTrailView frmHistory::auditTrailView() const {
    return {.auditGrid = auditGrid, .auditSigGrid = auditSigGrid, .auditNameLab = auditNameLab};
}

TrendControls frmHistory::trendControls() const {
    return {.vaGrid = vaGrid,
            .iPlotX = iPlotX,
            .YSlider = YSlider,
            .DateSlider = DateSlider,
            .DcryLabel = DcryLabel,
            .ProgBar = ProgBar};
}

void frmHistory::showTrendEvents() {
    if (!history_) {
        return;
    }
    ignoreErrors([this] {
        const TrendEventGrids grids{.opEvGrid = opEvGrid,
                                    .alarmGrid = alarmGrid,
                                    .digiSigGrid = digiSigGrid,
                                    .vaGrid = vaGrid};
        const double from = history_->historyXmin;
        iPlotX->setMarkers(
            trendEventMarkers(grids, state_.dataFilePath, from, from + history_->historyXspan));
    });
}

void frmHistory::bindActions() {
    ViewerActions& a = actions;
    a.getHistFile = [this] {
        if (tarvex::getHistFile(state_, main_, dataLogView())) {
            // A log whose first record has no first value comes with operator events.
            setTabAvailable(TabOperatorEvents, hasOperatorEvents(*vaGrid));
            iPlotX->setTitleText(QStringLiteral("Data File: ") + fileBaseName(state_.dataFilePath));
        }
    };
    a.loadSigFile = [this] { tarvex::loadSigFile(state_, main_, dataLogView()); };
    a.loadOpEventsFile = [this] { tarvex::loadOpEventsFile(state_, main_, dataLogView()); };
    a.plotSelection = [this] {
        if (const auto spans = tarvex::plotSelection(state_, main_, trendControls())) {
            history_ = spans;
            showTrendEvents();
            DataTab->setCurrentIndex(TabTrendData);
        }
    };
    a.printDataGrid = [this] { tarvex::printDataGrid(state_, *vaGrid); };
    a.exportHistData = [this] { tarvex::exportHistData(state_, *vaGrid); };
    a.verifyDataSignature = [this] { tarvex::verifyDataSignature(state_, main_, *digiSigGrid); };

    a.printOpEventGrid = [this] { tarvex::printOpEventGrid(state_, *opEvGrid); };
    a.exportOpEventData = [this] { tarvex::exportOpEventData(state_, *opEvGrid); };

    a.getAuditFile = [this] { tarvex::getAuditFile(state_, main_, auditTrailView()); };
    a.loadAuditSigFile = [this] { tarvex::loadAuditSigFile(state_, main_, auditTrailView()); };
    a.printAuditGrid = [this] { tarvex::printAuditGrid(state_, *auditGrid); };
    a.exportAuditTrailData = [this] { tarvex::exportAuditTrailData(state_, *auditGrid); };
    a.verifyAuditSignature = [this] { tarvex::verifyAuditSignature(state_, main_, *auditSigGrid); };

    a.getAlmFile = [this] {
        tarvex::getAlmFile(state_, main_, *alarmGrid, *almNameLab);
        showTrendEvents();
    };
    a.printAlarmGrid = [this] { tarvex::printAlarmGrid(state_, *alarmGrid); };
    a.exportAlmData = [this] { tarvex::exportAlmData(state_, *alarmGrid); };

    a.openTrendSetup = [this] { tarvex::openTrendSetup(&main_, iPlotX, state_.fileDialog); };
    a.toggleTrendCursor = [this] { tarvex::toggleTrendCursor(*iPlotX); };
    a.saveTrendJpeg = [this] {
        tarvex::saveTrendJpeg(state_, *iPlotX, windowTitle() + QStringLiteral(".jpg"));
    };
    a.printTrendPlot = [this] { tarvex::printTrendPlot(*iPlotX); };
    a.exportTrend = [this](PlotExport format) {
        tarvex::exportTrend(state_, *iPlotX, format, windowTitle());
    };
}

} // namespace tarvex
