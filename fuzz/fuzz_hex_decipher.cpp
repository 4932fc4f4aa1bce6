// SPDX-License-Identifier: GPL-3.0-or-later
// Hex text and deciphering, as every line of a .sig or .evt file meets them (the input is a
// whole file: each line is checked): the lenient decoder gives one byte per part or one of its
// two errors, deciphering fails only with its documented errors, the decoder reads back what
// bytesToHex writes, and the line's bytes decode and decipher as its text does.
#include "FuzzCheck.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"
#include "core/integrity/HexText.h"
#include "core/integrity/ZvLog.h"

#include <cstdint>

using namespace tarvex;

namespace {

// What a call gives: its bytes, or the error it raised.
template <typename Call> QByteArray outcome(Call&& call) {
    try {
        return call();
    } catch (const TvError& e) {
        return "error " + QByteArray::number(e.number());
    }
}

void checkLine(ZvLog& log, const QByteArray& bytes) {
    const QString line = fromWindows1252(bytes);
    FUZZ_CHECK(outcome([&] { return HexToBytes(bytes); }) ==
               outcome([&] { return HexToBytes(line, u" "); }));
    FUZZ_CHECK(outcome([&] { return log.DecryptBytesFromHex(bytes, zvLogKey()); }) ==
               outcome([&] { return toWindows1252(log.DecryptFromHex(line, zvLogKey())); }));
    try {
        const QByteArray decoded = HexToBytes(line, u" ");
        FUZZ_CHECK(decoded.size() == line.count(u' ') + 1);
    } catch (const TvError& e) {
        FUZZ_CHECK(e.number() == ErrOverflow || e.number() == ErrSubscript);
    }
    try {
        log.DecryptFromHex(line, zvLogKey());
    } catch (const TvError& e) {
        FUZZ_CHECK(e.number() == ErrInvalidCall || e.number() == ErrOverflow ||
                   e.number() == ErrSubscript);
    }
    if (!bytes.isEmpty() && bytes.size() <= 32768) {
        FUZZ_CHECK(HexToBytes(bytesToHex(bytes), u" ") == bytes);
    }
}

} // namespace

FUZZ_TARGET(hex_decipher) {
    static ZvLog log;
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        checkLine(log, line);
    }
    return 0;
}
