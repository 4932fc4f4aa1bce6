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
    QByteArray units;
    for (const QChar c : fromWindows1252(bytes)) {
        units.append(static_cast<char>(c.unicode() & 0xFF));
        units.append(static_cast<char>(c.unicode() >> 8));
    }
    return fromWindows1252(units);
}

} // namespace tarvex::test
