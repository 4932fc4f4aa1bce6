// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPrintouts.h"

#include "core/common/Int16.h"
#include "core/common/SafeFileName.h"
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "ui/printing/GridPrinter.h"
#include "ui/printing/InstalledPrinters.h"
#include "ui/recordfiles/CsvExport.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"

#include <QDateTime>
#include <QPrinter>

#include <cstdint>
#include <optional>

namespace tarvex {
namespace {

// What sets the four printouts apart.
struct Printout {
    bool (*guard)(const QString&);
    QString SharedState::*path;
    const char* title;
    bool selectedBlock; // a selection of three rows or more prints just that block
};

const Printout kDataPrintout{&isDataFileOpen, &SharedState::dataFilePath,
                             "Data History Printout At: ", true};
const Printout kOpEventPrintout{&isDataFileOpen, &SharedState::dataFilePath,
                                "Operator Event Printout At: ", false};
const Printout kAuditPrintout{&isAuditFileOpen, &SharedState::auditFilePath,
                              "Audit Trail Printout At: ", false};
const Printout kAlarmPrintout{&isAlarmFileOpen, &SharedState::alarmFilePath,
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

// The print dialog's choice; nothing when the user cancelled it.
std::optional<PrintChoice> askPrinter(const Printout& printout, const SharedState& state) {
    // The dialog proposes a PDF file named after the job; the copies' own times come later.
    ignoreErrors([&] {
        const double time = toDateSerial(QDateTime::currentDateTime());
        fileDialog(state).printer().setDocName(
            safeFileName(QLatin1String(printout.title) + generalDate(time)));
    });
    ignoreErrors([&] { fileDialog(state).CancelError = true; });
    ignoreErrors([&] { fileDialog(state).Flags = kPrintDialogFlags; });
    if (!ignoreErrors([&] { fileDialog(state).ShowPrinter(); })) {
        return std::nullopt;
    }
    PrintChoice choice;
    ignoreErrors([&] { choice.firstPage = toInt16(fileDialog(state).FromPage); });
    ignoreErrors([&] { choice.lastPage = toInt16(fileDialog(state).ToPage); });
    ignoreErrors([&] { choice.copies = toInt16(fileDialog(state).Copies); });
    ignoreErrors([&] { choice.orientation = fileDialog(state).Orientation; });
    return choice;
}

void setPrintRange(SpreadGrid& grid, bool selectedBlock) {
    bool block = false;
    if (selectedBlock) {
        ignoreErrors([&] { block = grid.SelectionEndRow() - grid.ActiveRow() > 1; });
    }
    if (!block) {
        ignoreErrors([&] { grid.setPrintRangeMode(0); });
        return;
    }
    ignoreErrors([&] { grid.setCurrentRow(grid.ActiveRow()); });
    ignoreErrors([&] { grid.setCurrentColumn(grid.ActiveColumn()); });
    ignoreErrors([&] { grid.setBlockEndRow(grid.SelectionEndRow()); });
    ignoreErrors([&] { grid.setBlockEndColumn(grid.SelectionEndColumn()); });
    ignoreErrors([&] { grid.setPrintRangeMode(1); });
}

void printCopy(const Printout& printout, const SharedState& state, SpreadGrid& grid,
               const PrintChoice& choice) {
    ignoreErrors(
        [&] { grid.setPrintTitleText(QLatin1String(printout.title) + generalDate(now())); });
    ignoreErrors([&] {
        grid.setPrintFileText(QStringLiteral("File printout for fileName ") + state.*printout.path);
    });
    ignoreErrors([&] { grid.setPrintPageText(QStringLiteral("/c/rPage #/p")); });
    setPrintRange(grid, printout.selectedBlock);
    ignoreErrors([&] { grid.setPrintSwitchA(true); });
    ignoreErrors([&] { grid.setPrintOrientation(toInt16(choice.orientation)); });
    ignoreErrors([&] { grid.setPrintFirstPage(choice.firstPage); });
    ignoreErrors([&] { grid.setPrintLastPage(choice.lastPage); });
    ignoreErrors([&] { grid.setPrintSwitchB(false); });
    ignoreErrors([&] { printGrid(grid, state.fileDialog, loadedRecordFiles(state)); });
}

void print(const Printout& printout, const SharedState& state, SpreadGrid& grid) {
    bool fileOpen = false;
    ignoreErrors([&] { fileOpen = printout.guard(state.*printout.path); });
    if (!fileOpen) {
        return;
    }
    bool noPrinter = false;
    ignoreErrors([&] { noPrinter = installedPrinters().isEmpty(); });
    if (noPrinter) {
        ignoreErrors([] {
            msgBox(QStringLiteral(
                       "There is no default printer!Please install or select a default printer."),
                   MsgStyle::Critical);
        });
        return;
    }
    // A cancelled print dialog prints nothing and says nothing.
    if (const std::optional<PrintChoice> choice = askPrinter(printout, state)) {
        for (int copy = 1; copy <= choice->copies; ++copy) {
            printCopy(printout, state, grid, *choice);
        }
    }
}

} // namespace

void printDataGrid(const SharedState& state, SpreadGrid& vaGrid) {
    print(kDataPrintout, state, vaGrid);
}

void printOpEventGrid(const SharedState& state, SpreadGrid& opEvGrid) {
    print(kOpEventPrintout, state, opEvGrid);
}

void printAuditGrid(const SharedState& state, SpreadGrid& auditGrid) {
    print(kAuditPrintout, state, auditGrid);
}

void printAlarmGrid(const SharedState& state, SpreadGrid& alarmGrid) {
    print(kAlarmPrintout, state, alarmGrid);
}

void setPrintoutClock(std::function<double()> clock) {
    clockSource() = std::move(clock);
}

} // namespace tarvex
