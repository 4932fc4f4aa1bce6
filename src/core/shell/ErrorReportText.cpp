// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/ErrorReportText.h"

namespace tarvex {

QString errorReportText(const QString& procName, std::int32_t number, const QString& description) {
    // One multi-argument arg() so that '%' in a description is never taken as a placeholder.
    return QStringLiteral("Error %1 = %2 in function %3 occurred.\r\n"
                          "Please contact the manufacturer with this error.")
        .arg(QString::number(number), description, procName);
}

} // namespace tarvex
