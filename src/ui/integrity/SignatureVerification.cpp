// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/integrity/SignatureVerification.h"

#include "core/common/CellValue.h"
#include "core/integrity/ZvLog.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"

namespace tarvex {
namespace {

// What tells the two verifiers apart.
struct Verifier {
    QString SharedState::*recordPath;
    const char* confirmed;
    const char* altered;
    const char* errorEnd;
};

constexpr Verifier kDataLog{&SharedState::dataFilePath, "Digital signature of file confirmed!",
                            "Data File has been altered or corrupted.",
                            ". - Digital verification of file failed!"};
constexpr Verifier kAuditTrail{&SharedState::auditFilePath,
                               "Digital signature of audit trail confirmed!",
                               "Audit trail has been altered or corrupted.",
                               ". - Digital verification of audit trail failed!"};

const QString kCrLf = QStringLiteral("\r\n");

// The hourglass and the progress text, from the moment they are shown until the verification
// ends, whichever way it ends.
class WaitDisplay {
public:
    WaitDisplay(const Verifier& v, const SharedState& state, StatusSink& status)
        : verifier_(v), state_(state), status_(status) {}
    WaitDisplay(const WaitDisplay&) = delete;
    WaitDisplay& operator=(const WaitDisplay&) = delete;
    ~WaitDisplay() {
        if (!shown_) {
            return;
        }
        ignoreErrors([this] {
            status_.setStatusText(QStringLiteral("Current File is ") +
                                  state_.*verifier_.recordPath);
        });
        ignoreErrors([] { Screen::setMousePointer(Screen::vbDefault); });
    }

    void show() {
        shown_ = true;
        status_.setStatusText(QStringLiteral("Verifying digital signature, please wait!"));
        Screen::setMousePointer(Screen::vbHourglass);
    }
    // The error handler restores the display also when it was not shown yet.
    void restoreOnExit() { shown_ = true; }

private:
    const Verifier& verifier_;
    const SharedState& state_;
    StatusSink& status_;
    bool shown_ = false;
};

void compareSelected(const Verifier& v, const SharedState& state, const SpreadGrid& grid, int row) {
    CellValue stored;
    grid.GetCellValue(4, row, stored);
    const QString computed = cryptoLog(state).CalculateFileHash(state.*v.recordPath, zvLogKey());
    if (stored.toText() == computed) {
        msgBox(QLatin1String(v.confirmed), MsgStyle::Information);
    } else {
        msgBox(QStringLiteral("Digital signature of file failed!") + kCrLf +
                   QLatin1String(v.altered),
               MsgStyle::Critical);
    }
}

void verifySignature(const Verifier& v, const SharedState& state, StatusSink& status,
                     const SpreadGrid& grid) {
    WaitDisplay display(v, state, status);
    const auto tellFailure = [&](const TvError& error) {
        display.restoreOnExit();
        msgBox(QStringLiteral("Error Number ") + QString::number(error.number()) +
                   QLatin1String(v.errorEnd) + kCrLf +
                   QStringLiteral("Please contact Factory with this error."),
               MsgStyle::Critical);
    };
    reportErrors(tellFailure, [&] {
        if (grid.RowCount() < 1 || (state.*v.recordPath).isEmpty()) {
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
        compareSelected(v, state, grid, row);
    });
}

} // namespace

void verifyDataSignature(const SharedState& state, StatusSink& status,
                         const SpreadGrid& digiSigGrid) {
    verifySignature(kDataLog, state, status, digiSigGrid);
}

void verifyAuditSignature(const SharedState& state, StatusSink& status,
                          const SpreadGrid& auditSigGrid) {
    verifySignature(kAuditTrail, state, status, auditSigGrid);
}

} // namespace tarvex
