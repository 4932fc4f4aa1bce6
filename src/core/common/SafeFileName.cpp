// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/SafeFileName.h"

namespace tarvex {

QString safeFileName(QStringView text) {
    static const QStringView kRefused = u"/\\:*?\"<>|";
    QString name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u':' && i + 1 < text.size() && text[i + 1] == u' ') {
            continue;
        }
        name.append(kRefused.contains(c) || c.category() == QChar::Other_Control ? u'-' : c);
    }
    qsizetype begin = 0;
    qsizetype end = name.size();
    const auto trimmed = [&](qsizetype at) { return name[at] == u' ' || name[at] == u'.'; };
    while (begin < end && trimmed(begin)) {
        ++begin;
    }
    while (end > begin && trimmed(end - 1)) {
        --end;
    }
    return name.mid(begin, end - begin);
}

} // namespace tarvex
