// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/PageTextParts.h"

namespace tarvex {

PageTextParts pageTextParts(const QString& format, int page) {
    PageTextParts parts;
    QString* part = &parts.left;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar code = i + 1 < format.size() ? format[i + 1].toLower() : QChar();
        if (format[i] != QLatin1Char('/') || code.isNull()) {
            part->append(format[i]);
            continue;
        }
        if (code == QLatin1Char('l')) {
            part = &parts.left;
        } else if (code == QLatin1Char('c')) {
            part = &parts.centre;
        } else if (code == QLatin1Char('r')) {
            part = &parts.right;
        } else if (code == QLatin1Char('p')) {
            part->append(QString::number(page));
        } else {
            part->append(format[i]);
            continue;
        }
        ++i; // the code letter
    }
    return parts;
}

} // namespace tarvex
