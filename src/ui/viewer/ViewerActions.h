// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/integrity/SignatureVerification.h"
#include "ui/printing/GridPrintouts.h"
#include "ui/recordfiles/AlarmHistoryFile.h"
#include "ui/recordfiles/AuditTrailFile.h"
#include "ui/recordfiles/CsvExport.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/OperatorEventFile.h"
#include "ui/recordfiles/SignatureFiles.h"
#include "ui/trend/TrendBuilder.h"
#include "ui/trend/TrendView.h"

#include <functional>

namespace tarvex {

// The procedures that the viewer's toolbar buttons call. Each entry starts as the real
// procedure; tests replace entries to watch which are called, and in which order.
struct ViewerActions {
    using Action = std::function<void()>;

    Action getHistFile = &tarvex::getHistFile;
    Action loadSigFile = &tarvex::loadSigFile;
    Action loadOpEventsFile = &tarvex::loadOpEventsFile;
    Action plotSelection = &tarvex::plotSelection;
    Action printDataGrid = &tarvex::printDataGrid;
    Action exportHistData = &tarvex::exportHistData;
    Action verifyDataSignature = &tarvex::verifyDataSignature;

    Action printOpEventGrid = &tarvex::printOpEventGrid;
    Action exportOpEventData = &tarvex::exportOpEventData;

    Action getAuditFile = &tarvex::getAuditFile;
    Action loadAuditSigFile = &tarvex::loadAuditSigFile;
    Action printAuditGrid = &tarvex::printAuditGrid;
    Action exportAuditTrailData = &tarvex::exportAuditTrailData;
    Action verifyAuditSignature = &tarvex::verifyAuditSignature;

    Action getAlmFile = &tarvex::getAlmFile;
    Action printAlarmGrid = &tarvex::printAlarmGrid;
    Action exportAlmData = &tarvex::exportAlmData;

    Action openTrendSetup = &tarvex::openTrendSetup;
    Action toggleTrendCursor = &tarvex::toggleTrendCursor;
    Action saveTrendJpeg = &tarvex::saveTrendJpeg;
    Action printTrendPlot = &tarvex::printTrendPlot;
};

} // namespace tarvex
