// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/integrity/SignatureVerification.h"

#include "core/common/CellValue.h"
#include "core/common/TvError.h"
#include "core/integrity/ZvLog.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/viewer/frmHistory.h"

namespace tarvex {
namespace {

// What tells the two verifiers apart.
struct Verifier {
    SpreadGrid* frmHistory::*grid;
    QString SharedState::*recordPath;
    const char* confirmed;
    const char* altered;
    const char* errorEnd;
};

constexpr Verifier kDataLog{
    &frmHistory::digiSigGrid, &SharedState::dataFilePath, "Digital signature of file confirmed!",
    "Data File has been altered or corrupted.", ". - Digital verification of file failed!"};
constexpr Verifier kAuditTrail{&frmHistory::auditSigGrid, &SharedState::auditFilePath,
                               "Digital signature of audit trail confirmed!",
                               "Audit trail has been altered or corrupted.",
                               ". - Digital verification of audit trail failed!"};

const QString kCrLf = QStringLiteral("\r\n");

// The hourglass and the progress text, from the moment they are shown until the verification
// ends, whichever way it ends.
class WaitDisplay {
public:
    explicit WaitDisplay(const Verifier& v) : verifier_(v) {}
    WaitDisplay(const WaitDisplay&) = delete;
    WaitDisplay& operator=(const WaitDisplay&) = delete;
    ~WaitDisplay() {
        if (!shown_) {
            return;
        }
        ignoreErrors([this] {
            frmMain::instance().setStatusText(QStringLiteral("Current File is ") +
                                              pubVars().*verifier_.recordPath);
        });
        ignoreErrors([] { Screen::setMousePointer(Screen::vbDefault); });
    }

    void show() {
        shown_ = true;
        frmMain::instance().setStatusText(
            QStringLiteral("Verifying digital signature, please wait!"));
        Screen::setMousePointer(Screen::vbHourglass);
    }
    // The error handler restores the display also when it was not shown yet.
    void restoreOnExit() { shown_ = true; }

private:
    const Verifier& verifier_;
    bool shown_ = false;
};

void compareSelected(const Verifier& v, const SpreadGrid& grid, int row) {
    CellValue stored;
    grid.GetCellValue(4, row, stored);
    const QString computed =
        pubVars().cryptoLog->CalculateFileHash(pubVars().*v.recordPath, zvLogKey());
    if (stored.toText() == computed) {
        msgBox(QLatin1String(v.confirmed), MsgStyle::Information);
    } else {
        msgBox(QStringLiteral("Digital signature of file failed!") + kCrLf +
                   QLatin1String(v.altered),
               MsgStyle::Critical);
    }
}

void verifySignature(const Verifier& v) {
    WaitDisplay display(v);
    try {
        const SpreadGrid& grid = *(frmHistory::instance().*v.grid);
        if (grid.RowCount() < 1 || (pubVars().*v.recordPath).isEmpty()) {
            msgBox(QStringLiteral("No signature to verify!") + kCrLf + kCrLf +
                       QStringLiteral("Use the open file icon to load a data file."),
                   MsgStyle::Question);
            return;
        }
        display.show();
        const int row = grid.ActiveRow();
        if (row == 0) {
            msgBox(QStringLiteral("No digital signature selected from grid!"), MsgStyle::Critical);
            return;
        }
        if (!pubVars().cryptoLog) {
            throw TvError(ErrInvalidCall);
        }
        compareSelected(v, grid, row);
    } catch (...) {
        const TvError error = currentError();
        display.restoreOnExit();
        ignoreErrors([&] {
            msgBox(QStringLiteral("Error Number ") + QString::number(error.number()) +
                       QLatin1String(v.errorEnd) + kCrLf +
                       QStringLiteral("Please contact Factory with this error."),
                   MsgStyle::Critical);
        });
    }
}

} // namespace

void verifyDataSignature() {
    verifySignature(kDataLog);
}

void verifyAuditSignature() {
    verifySignature(kAuditTrail);
}

} // namespace tarvex
