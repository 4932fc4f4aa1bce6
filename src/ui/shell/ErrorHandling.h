// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"
#include "ui/shell/ReportError.h"

#include <concepts>
#include <optional>
#include <utility>

namespace tarvex {

// How handlers meet failures. Procedures throw TvError; a handler takes one of two ways:
//
//  - errors ignored statement by statement (window load, resize, unload, button clicks and
//    releases, menu Exit, printouts): wrap each statement on its own, so that a failure skips
//    only it; a printout ends where its print dialog was cancelled:
//        ignoreErrors([&] { step1(); });
//        if (!ignoreErrors([&] { dialog.ShowPrinter(); })) { return; }
//  - errors reported (Help > About, the start-up timer, the readers and exports, the trend
//    setup): reportErrors(procName, statement) shows the failure with ReportError under the
//    procedure's name; handlers with a message of their own (the verifiers, the trend build,
//    the JPEG save, start-up) pass that message instead of the name. It answers false when the
//    statement failed, so that an event handler goes on with its next statement and a file
//    procedure cleans up and leaves:
//        if (!reportErrors(QStringLiteral("getAlmFile"), [&] { load(); })) {
//            clearAllCells(grid);
//        }
//    A cancelled dialog (error 32755) is no failure: nothing is reported, and the answer is true.

// The error in flight, as a handler reads it. Call only inside a catch block: a TvError comes
// back as it is, an allocation failure as error 7 and anything else as error 5.
TvError currentError() noexcept;

// Runs one statement; any failure is dropped without a message. Answers false only when the
// statement was a cancelled dialog (error 32755), which ends a printout.
template <class F> bool ignoreErrors(F&& statement) noexcept {
    try {
        std::forward<F>(statement)();
    } catch (...) {
        return !currentError().isCancel(); // errors ignored: the statement is skipped
    }
    return true;
}

// Runs one statement; a failure other than a cancelled dialog goes to `report` (a failure of
// the report itself is dropped) and the answer is false.
template <class Report, class F>
requires std::invocable<Report&, const TvError&>
bool reportErrors(Report&& report, F&& statement) noexcept {
    std::optional<TvError> error;
    try {
        std::forward<F>(statement)();
        return true;
    } catch (...) {
        error = currentError();
    }
    if (error->isCancel()) {
        return true;
    }
    ignoreErrors([&] { report(*error); });
    return false;
}

// The same, reported with ReportError under `procName`.
template <class F> bool reportErrors(const QString& procName, F&& statement) noexcept {
    return reportErrors([&procName](const TvError& e) { ReportError(procName, e); },
                        std::forward<F>(statement));
}

} // namespace tarvex
