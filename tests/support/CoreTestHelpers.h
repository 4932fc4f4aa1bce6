#pragma once
// Helpers shared by the tests of the core library.

#include "common/TvError.h"
#include "common/Windows1252.h"

#include <QString>

#include <functional>

namespace tarvex::test {

// The number of the error that `call` raises; 0 when it raises none.
inline int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

// A file's bytes widened as the file hash defines it: each UTF-16 code unit of the
// Windows-1252 text as two characters, low byte first.
inline QString widenedText(const QByteArray& bytes) {
    QString wide;
    for (const QChar c : fromWindows1252(bytes)) {
        wide.append(QChar(c.unicode() & 0xFF));
        wide.append(QChar(c.unicode() >> 8));
    }
    return wide;
}

} // namespace tarvex::test
