// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPrintouts.h"

#include "core/common/Int16.h"
#include "core/common/SafeFileName.h"
#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "ui/printing/InstalledPrinters.h"
#include "ui/recordfiles/CsvExport.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"
#include "ui/viewer/frmHistory.h"

#include <QDateTime>
#include <QPrinter>

#include <cstdint>

namespace tarvex {
namespace {

// What sets the four printouts apart.
struct Printout {
    SpreadGrid* frmHistory::*grid;
    bool (*guard)(const QString&);
    QString SharedState::*path;
    const char* title;
    bool selectedBlock; // a selection of three rows or more prints just that block
};

const Printout kDataPrintout{&frmHistory::vaGrid, &isDataFileOpen, &SharedState::dataFilePath,
                             "Data History Printout At: ", true};
const Printout kOpEventPrintout{&frmHistory::opEvGrid, &isDataFileOpen, &SharedState::dataFilePath,
                                "Operator Event Printout At: ", false};
const Printout kAuditPrintout{&frmHistory::auditGrid, &isAuditFileOpen, &SharedState::auditFilePath,
                              "Audit Trail Printout At: ", false};
const Printout kAlarmPrintout{&frmHistory::alarmGrid, &isAlarmFileOpen, &SharedState::alarmFilePath,
                              "Alarm History Printout At: ", false};

// Printer flags of the dialog: neither a selection nor page numbers to choose.
constexpr std::int32_t kPrintDialogFlags = CommonDialog::PDNoSelection | CommonDialog::PDNoPageNums;

std::function<double()>& clockSource() {
    static std::function<double()> replaced;
    return replaced;
}

double now() {
    return clockSource() ? clockSource()() : toDateSerial(QDateTime::currentDateTime());
}

// The values the print dialog leaves, read as the printout keeps them.
struct PrintChoice {
    std::int16_t firstPage = 0;
    std::int16_t lastPage = 0;
    std::int16_t copies = 0;
    std::int32_t orientation = 0;
};

// One statement of a printout: a cancelled dialog ends the printout, any other failure skips
// only this statement.
template <class F> void step(F&& statement) {
    try {
        std::forward<F>(statement)();
    } catch (...) {
        if (currentError().isCancel()) {
            throw;
        }
    }
}

PrintChoice askPrinter(const Printout& printout) {
    // The dialog proposes a PDF file named after the job; the copies' own times come later.
    step([&] {
        const double time = toDateSerial(QDateTime::currentDateTime());
        fileDialog().printer().setDocName(
            safeFileName(QLatin1String(printout.title) + generalDate(time)));
    });
    step([] { fileDialog().CancelError = true; });
    step([] { fileDialog().Flags = kPrintDialogFlags; });
    step([] { fileDialog().ShowPrinter(); });
    PrintChoice choice;
    step([&] { choice.firstPage = toInt16(fileDialog().FromPage); });
    step([&] { choice.lastPage = toInt16(fileDialog().ToPage); });
    step([&] { choice.copies = toInt16(fileDialog().Copies); });
    step([&] { choice.orientation = fileDialog().Orientation; });
    return choice;
}

void setPrintRange(SpreadGrid& grid, bool selectedBlock) {
    bool block = false;
    if (selectedBlock) {
        step([&] { block = grid.SelectionEndRow() - grid.ActiveRow() > 1; });
    }
    if (!block) {
        step([&] { grid.setPrintRangeMode(0); });
        return;
    }
    step([&] { grid.setCurrentRow(grid.ActiveRow()); });
    step([&] { grid.setCurrentColumn(grid.ActiveColumn()); });
    step([&] { grid.setBlockEndRow(grid.SelectionEndRow()); });
    step([&] { grid.setBlockEndColumn(grid.SelectionEndColumn()); });
    step([&] { grid.setPrintRangeMode(1); });
}

void printCopy(const Printout& printout, SpreadGrid& grid, const PrintChoice& choice) {
    step([&] { grid.setPrintTitleText(QLatin1String(printout.title) + generalDate(now())); });
    step([&] {
        grid.setPrintFileText(QStringLiteral("File printout for fileName ") +
                              pubVars().*printout.path);
    });
    step([&] { grid.setPrintPageText(QStringLiteral("/c/rPage #/p")); });
    setPrintRange(grid, printout.selectedBlock);
    step([&] { grid.setPrintSwitchA(true); });
    step([&] { grid.setPrintOrientation(toInt16(choice.orientation)); });
    step([&] { grid.setPrintFirstPage(choice.firstPage); });
    step([&] { grid.setPrintLastPage(choice.lastPage); });
    step([&] { grid.setPrintSwitchB(false); });
    step([&] { grid.PrintGrid(0); });
}

void runPrintout(const Printout& printout) {
    bool fileOpen = false;
    step([&] { fileOpen = printout.guard(pubVars().*printout.path); });
    if (!fileOpen) {
        return;
    }
    bool noPrinter = false;
    step([&] { noPrinter = installedPrinters().isEmpty(); });
    if (noPrinter) {
        step([] {
            msgBox(QStringLiteral(
                       "There is no default printer!Please install or select a default printer."),
                   MsgStyle::Critical);
        });
        return;
    }
    const PrintChoice choice = askPrinter(printout);
    SpreadGrid& grid = *(frmHistory::instance().*printout.grid);
    for (int copy = 1; copy <= choice.copies; ++copy) {
        printCopy(printout, grid, choice);
    }
}

void print(const Printout& printout) noexcept {
    try {
        runPrintout(printout);
    } catch (...) {
        // a cancelled print dialog: nothing is printed and nothing is said
    }
}

} // namespace

void printDataGrid() {
    print(kDataPrintout);
}

void printOpEventGrid() {
    print(kOpEventPrintout);
}

void printAuditGrid() {
    print(kAuditPrintout);
}

void printAlarmGrid() {
    print(kAlarmPrintout);
}

void setPrintoutClock(std::function<double()> clock) {
    clockSource() = std::move(clock);
}

} // namespace tarvex
