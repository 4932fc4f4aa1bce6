// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/PlotExport.h"

#include <functional>

namespace tarvex {

// The procedures that the viewer's toolbar buttons call, each bound to the viewer's controls and
// the shared state. The viewer binds the real procedures when it is created; tests replace
// entries to watch which are called, and in which order.
struct ViewerActions {
    using Action = std::function<void()>;

    Action getHistFile;
    Action loadSigFile;
    Action loadOpEventsFile;
    Action plotSelection;
    Action printDataGrid;
    Action exportHistData;
    Action verifyDataSignature;

    Action printOpEventGrid;
    Action exportOpEventData;

    Action getAuditFile;
    Action loadAuditSigFile;
    Action printAuditGrid;
    Action exportAuditTrailData;
    Action verifyAuditSignature;

    Action getAlmFile;
    Action printAlarmGrid;
    Action exportAlmData;

    Action openTrendSetup;
    Action toggleTrendCursor;
    Action saveTrendJpeg;
    Action printTrendPlot;
    // The plot's context menu exports.
    std::function<void(PlotExport)> exportTrend;
};

} // namespace tarvex
