#include "integrity/WidenForHash.h"

#include "common/Windows1252.h"

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
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

// The UTF-16LE bytes of each special byte's character. They go to the hasher as they are: read
// back as Windows-1252 text, every byte value is a character of its own.
const std::array<Pair, kSpecialCount>& specialPairs() {
    static const auto pairs = [] {
        std::array<Pair, kSpecialCount> p{};
        for (unsigned i = 0; i < kSpecialCount; ++i) {
            const char16_t u = windows1252ToUnicode(static_cast<unsigned char>(kSpecialFirst + i));
            p[i] = {static_cast<char>(u & 0xFFU), static_cast<char>(u >> 8)};
        }
        return p;
    }();
    return pairs;
}

bool isSpecial(unsigned char b) {
    return static_cast<unsigned char>(b - kSpecialFirst) < kSpecialCount;
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

#ifdef __SSE2__
// Sixteen bytes at a time: a byte is special when its top three bits are 100.
qsizetype widenBlocks(const unsigned char* in, qsizetype size, char* out) {
    const __m128i topBits = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i special = _mm_set1_epi8(static_cast<char>(kSpecialFirst));
    const __m128i zero = _mm_setzero_si128();
    qsizetype at = 0;
    for (; at + 16 <= size; at += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        auto* to = reinterpret_cast<__m128i*>(out + 2 * at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(x, topBits), special)) == 0) {
            _mm_storeu_si128(to, _mm_unpacklo_epi8(x, zero));
            _mm_storeu_si128(to + 1, _mm_unpackhi_epi8(x, zero));
        } else {
            widenMixed(in + at, 16, out + 2 * at);
        }
    }
    return at;
}
#else
qsizetype widenBlocks(const unsigned char*, qsizetype, char*) {
    return 0;
}
#endif

} // namespace

void widenForHash(QByteArrayView bytes, char* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype done = widenBlocks(in, bytes.size(), out);
    widenMixed(in + done, bytes.size() - done, out + 2 * done);
}

} // namespace tarvex
