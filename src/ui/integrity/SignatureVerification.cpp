// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/integrity/SignatureVerification.h"

#include "core/common/CellValue.h"
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
    RecordKind kind;
    const char* confirmed;
    const char* altered;
    const char* errorEnd;
};

constexpr Verifier kDataLog{
    &SharedState::dataFilePath, RecordKind::DataLog, "Digital signature of file confirmed!",
    "Data File has been altered or corrupted.", ". - Digital verification of file failed!"};
constexpr Verifier kAuditTrail{&SharedState::auditFilePath, RecordKind::AuditTrail,
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

QString cellText(const SpreadGrid& grid, int column, int row) {
    CellValue value;
    grid.GetCellValue(column, row, value);
    return value.toText();
}

QString recordCount(qint64 count) {
    return count == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(count);
}

QString verdictToolTip(const HashVerdict& verdict) {
    switch (verdict.kind) {
    case HashVerdict::Kind::Verified:
        return {};
    case HashVerdict::Kind::Appended:
        return QStringLiteral("Covers the first %1; %2 appended after signing")
            .arg(recordCount(verdict.recordsCovered), recordCount(verdict.recordsAppended));
    case HashVerdict::Kind::Malformed:
        return QStringLiteral("The stored hash is malformed");
    case HashVerdict::Kind::Altered:
        break;
    }
    return QStringLiteral("The signed part was altered");
}

HashVerdict compareSelected(const Verifier& v, const SharedState& state, SpreadGrid& grid,
                            int row) {
    // A tooltip from an earlier check would speak for a check that may now fail.
    grid.setRowToolTip(row, {});
    const QString stored = cellText(grid, 4, row);
    // The signature's date and time only tell the check where to look first.
    const QString signedAt = cellText(grid, 0, row) + QLatin1Char(' ') + cellText(grid, 1, row);
    const HashVerdict verdict =
        SignatureChecker().check(state.*v.recordPath, v.kind, {stored}, {signedAt}).front();
    if (verdict.verified()) {
        msgBox(QLatin1String(v.confirmed), MsgStyle::Information);
    } else {
        grid.setRowToolTip(row, verdictToolTip(verdict));
        msgBox(QStringLiteral("Digital signature of file failed!") + kCrLf +
                   QLatin1String(v.altered),
               MsgStyle::Critical);
    }
    return verdict;
}

std::optional<HashVerdict> verifySignature(const Verifier& v, const SharedState& state,
                                           StatusSink& status, SpreadGrid& grid) {
    WaitDisplay display(v, state, status);
    const auto tellFailure = [&](const TvError& error) {
        display.restoreOnExit();
        msgBox(QStringLiteral("Error Number ") + QString::number(error.number()) +
                   QLatin1String(v.errorEnd) + kCrLf +
                   QStringLiteral("Please contact Factory with this error."),
               MsgStyle::Critical);
    };
    std::optional<HashVerdict> verdict;
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
        verdict = compareSelected(v, state, grid, row);
    });
    return verdict;
}

} // namespace

std::optional<HashVerdict> verifyDataSignature(const SharedState& state, StatusSink& status,
                                               SpreadGrid& digiSigGrid) {
    return verifySignature(kDataLog, state, status, digiSigGrid);
}

std::optional<HashVerdict> verifyAuditSignature(const SharedState& state, StatusSink& status,
                                                SpreadGrid& auditSigGrid) {
    return verifySignature(kAuditTrail, state, status, auditSigGrid);
}

} // namespace tarvex
