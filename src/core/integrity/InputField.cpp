// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/InputField.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"

namespace tarvex {
namespace {

// Consumes a line end whose first character has just been read.
void finishLineEnd(QIODevice& file, char first) {
    char next = 0;
    if (first == '\r' && file.peek(&next, 1) == 1 && next == '\n') {
        file.getChar(&next);
    }
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Reads up to a comma or line end and consumes it; `keep` collects the characters on the way.
void readToDelimiter(QIODevice& file, QString* keep) {
    char c = 0;
    while (file.getChar(&c)) {
        if (c == ',') {
            return;
        }
        if (isLineEnd(c)) {
            finishLineEnd(file, c);
            return;
        }
        if (keep != nullptr) {
            keep->append(QChar(windows1252ToUnicode(static_cast<unsigned char>(c))));
        }
    }
}

QString readQuoted(QIODevice& file) {
    QString field;
    char c = 0;
    while (file.getChar(&c)) {
        if (c == '"') {
            readToDelimiter(file, nullptr);
            return field;
        }
        if (isLineEnd(c)) {
            finishLineEnd(file, c);
            return field;
        }
        field.append(QChar(windows1252ToUnicode(static_cast<unsigned char>(c))));
    }
    return field;
}

} // namespace

QString readInputField(QIODevice& file) {
    char c = 0;
    do {
        if (!file.getChar(&c)) {
            throw TvError(ErrPastEnd);
        }
    } while (c == ' ');
    if (c == '"') {
        return readQuoted(file);
    }
    if (c == ',') {
        return {};
    }
    if (isLineEnd(c)) {
        finishLineEnd(file, c);
        return {};
    }
    QString field(QChar(windows1252ToUnicode(static_cast<unsigned char>(c))));
    readToDelimiter(file, &field);
    return field;
}

} // namespace tarvex
