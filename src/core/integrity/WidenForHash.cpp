// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/WidenForHash.h"

#include "core/common/Windows1252.h"

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TARVEX_WIDEN_X86 1
#endif

namespace tarvex {
namespace {

// Only bytes 0x80..0x9F have a character above U+00FF; every other byte b widens to b, 0.
constexpr unsigned kSpecialFirst = 0x80;
constexpr unsigned kSpecialCount = 0x20;

struct Pair {
    char low;
    char high;
};

// The UTF-16LE bytes of every byte's character. They go to the hasher as they are: read back
// as Windows-1252 text, every byte value is a character of its own.
const std::array<Pair, 256>& widePairs() {
    static const auto pairs = [] {
        std::array<Pair, 256> p{};
        for (unsigned b = 0; b < 256; ++b) {
            const char16_t u = windows1252ToUnicode(static_cast<unsigned char>(b));
            p[b] = {static_cast<char>(u & 0xFFU), static_cast<char>(u >> 8)};
        }
        return p;
    }();
    return pairs;
}

void widenScalar(const unsigned char* in, qsizetype n, char* out) {
    const auto& pairs = widePairs();
    for (qsizetype i = 0; i < n; ++i) {
        out[2 * i] = pairs[in[i]].low;
        out[2 * i + 1] = pairs[in[i]].high;
    }
}

#ifdef TARVEX_WIDEN_X86
// Sixteen bytes at a time, whatever they hold: the pairs of the 32 special bytes are looked up
// with byte shuffles (one table for each half of the range and each byte of the pair), and
// blended in where a byte's top three bits are 100.
__attribute__((target("ssse3"))) qsizetype widenBlocks(const unsigned char* in, qsizetype size,
                                                       char* out) {
    const auto& pairs = widePairs();
    std::array<char, kSpecialCount> lows{};
    std::array<char, kSpecialCount> highs{};
    for (unsigned i = 0; i < kSpecialCount; ++i) {
        lows[i] = pairs[kSpecialFirst + i].low;
        highs[i] = pairs[kSpecialFirst + i].high;
    }
    const auto table = [](const std::array<char, kSpecialCount>& bytes, std::size_t half) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bytes.at(16 * half)));
    };
    const __m128i lows0 = table(lows, 0U);
    const __m128i lows1 = table(lows, 1U);
    const __m128i highs0 = table(highs, 0U);
    const __m128i highs1 = table(highs, 1U);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i bit4 = _mm_set1_epi8(0x10);
    const __m128i topBits = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i special = _mm_set1_epi8(static_cast<char>(kSpecialFirst));
    qsizetype at = 0;
    for (; at + 16 <= size; at += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        const __m128i index = _mm_and_si128(x, nibble);
        const __m128i upperHalf = _mm_cmpeq_epi8(_mm_and_si128(x, bit4), bit4);
        const __m128i isSpecial = _mm_cmpeq_epi8(_mm_and_si128(x, topBits), special);
        const __m128i specialLow =
            _mm_or_si128(_mm_andnot_si128(upperHalf, _mm_shuffle_epi8(lows0, index)),
                         _mm_and_si128(upperHalf, _mm_shuffle_epi8(lows1, index)));
        const __m128i specialHigh =
            _mm_or_si128(_mm_andnot_si128(upperHalf, _mm_shuffle_epi8(highs0, index)),
                         _mm_and_si128(upperHalf, _mm_shuffle_epi8(highs1, index)));
        const __m128i low =
            _mm_or_si128(_mm_andnot_si128(isSpecial, x), _mm_and_si128(isSpecial, specialLow));
        const __m128i high = _mm_and_si128(isSpecial, specialHigh);
        auto* to = reinterpret_cast<__m128i*>(out + 2 * at);
        _mm_storeu_si128(to, _mm_unpacklo_epi8(low, high));
        _mm_storeu_si128(to + 1, _mm_unpackhi_epi8(low, high));
    }
    return at;
}

bool canWidenBlocks() {
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3;
}
#else
qsizetype widenBlocks(const unsigned char*, qsizetype, char*) {
    return 0;
}

bool canWidenBlocks() {
    return false;
}
#endif

} // namespace

void widenForHash(QByteArrayView bytes, char* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype done = canWidenBlocks() ? widenBlocks(in, bytes.size(), out) : 0;
    widenScalar(in + done, bytes.size() - done, out + 2 * done);
}

} // namespace tarvex
