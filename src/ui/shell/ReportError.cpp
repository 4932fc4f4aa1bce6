// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ReportError.h"

#include "core/shell/ErrorReportText.h"
#include "ui/shell/MsgBoxPos.h"

namespace tarvex {

void ReportError(const QString& procName, const TvError& err) {
    msgBox(errorReportText(procName, err.number(), err.description()), MsgStyle::OkOnly);
}

} // namespace tarvex
