#include "shell/ReportError.h"

#include "shell/ErrorReportText.h"
#include "shell/MsgBoxPos.h"

namespace tarvex {

void ReportError(const QString& procName, const TvError& err) {
    msgBox(errorReportText(procName, err.number(), err.description()), MsgStyle::OkOnly);
}

} // namespace tarvex
