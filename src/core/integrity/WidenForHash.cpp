#include "integrity/WidenForHash.h"

#include "common/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarvex {
namespace {

// Only bytes 0x80..0x9F have a character above U+00FF; every other byte b widens to b, 0.
constexpr unsigned kSpecialFirst = 0x80;
constexpr unsigned kSpecialCount = 0x20;
constexpr qsizetype kBlock = 64;

char narrow(unsigned codeUnitByte) {
    const int b = unicodeToWindows1252(static_cast<char16_t>(codeUnitByte));
    return static_cast<char>(b < 0 ? '?' : b);
}

struct Pair {
    char low;
    char high;
};

const std::array<Pair, kSpecialCount>& specialPairs() {
    static const auto pairs = [] {
        std::array<Pair, kSpecialCount> p{};
        for (unsigned i = 0; i < kSpecialCount; ++i) {
            const char16_t u = windows1252ToUnicode(static_cast<unsigned char>(kSpecialFirst + i));
            p[i] = {narrow(u & 0xFFU), narrow(u >> 8)};
        }
        return p;
    }();
    return pairs;
}

bool isSpecial(unsigned char b) {
    return static_cast<unsigned char>(b - kSpecialFirst) < kSpecialCount;
}

// Kept branch-free so that the compiler vectorises the common all-plain block.
bool hasSpecial(const unsigned char* in, qsizetype n) {
    bool any = false;
    for (qsizetype i = 0; i < n; ++i) {
        any |= isSpecial(in[i]);
    }
    return any;
}

void widenPlain(const unsigned char* in, qsizetype n, char* out) {
    for (qsizetype i = 0; i < n; ++i) {
        out[2 * i] = static_cast<char>(in[i]);
        out[2 * i + 1] = 0;
    }
}

void widenMixed(const unsigned char* in, qsizetype n, char* out) {
    const auto& pairs = specialPairs();
    for (qsizetype i = 0; i < n; ++i) {
        if (isSpecial(in[i])) {
            out[2 * i] = pairs[in[i] - kSpecialFirst].low;
            out[2 * i + 1] = pairs[in[i] - kSpecialFirst].high;
        } else {
            out[2 * i] = static_cast<char>(in[i]);
            out[2 * i + 1] = 0;
        }
    }
}

} // namespace

void widenForHash(QByteArrayView bytes, char* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype at = 0; at < size; at += kBlock) {
        const qsizetype n = std::min(kBlock, size - at);
        if (hasSpecial(in + at, n)) {
            widenMixed(in + at, n, out + 2 * at);
        } else {
            widenPlain(in + at, n, out + 2 * at);
        }
    }
}

} // namespace tarvex
