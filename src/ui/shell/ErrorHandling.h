// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"
#include "ui/shell/ReportError.h"

#include <optional>
#include <utility>

namespace tarvex {

// How handlers meet failures. Procedures throw TvError; a handler picks one of three ways:
//
//  - errors ignored statement by statement (window load, resize, unload, button clicks and
//    releases, menu Exit): wrap each statement on its own, so that a failure skips only it:
//        ignoreErrors([&] { step1(); });
//        ignoreErrors([&] { step2(); });
//  - errors reported, then go on (Help > About, the start-up timer): each statement under
//    reportErrors(procName, ...), which shows the error with ReportError and returns false;
//  - a procedure's own handler (file readers, exports): try { ... } catch (...) { TvError e =
//    currentError(); ... }, testing e.isCancel() for a cancelled dialog and calling
//    ReportError(procName, e) for anything else.

// The error in flight, as a handler reads it. Call only inside a catch block: a TvError comes
// back as it is, an allocation failure as error 7 and anything else as error 5.
TvError currentError() noexcept;

// Runs one statement; any failure is dropped without a message.
template <class F> void ignoreErrors(F&& statement) noexcept {
    try {
        std::forward<F>(statement)();
    } catch (...) {
        // errors ignored: the statement is skipped
    }
}

// Runs one statement; a failure is shown with ReportError(procName) and the caller goes on with
// its next statement. Returns false when the statement failed. A failure of the report itself
// is dropped.
template <class F> bool reportErrors(const QString& procName, F&& statement) noexcept {
    std::optional<TvError> error;
    try {
        std::forward<F>(statement)();
        return true;
    } catch (...) {
        error = currentError();
    }
    ignoreErrors([&] { ReportError(procName, *error); });
    return false;
}

} // namespace tarvex
