// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that every input must keep; a violation aborts, which both libFuzzer and the
// corpus replay report as a failure.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

#ifdef TARVEX_FUZZ_REPLAY
// Compiled into the core test program, every target registers under its name, and an ordinary
// test replays its committed corpus (see ReplayTest.cpp).
#include <map>
#include <string>

namespace tarvex::fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);

inline std::map<std::string, Target>& targets() {
    static std::map<std::string, Target> all;
    return all;
}

struct Registration {
    Registration(const char* name, Target target) { targets()[name] = target; }
};

} // namespace tarvex::fuzz

#define FUZZ_TARGET(name)                                                                          \
    static int fuzzTarget_##name(const std::uint8_t* data, std::size_t size);                      \
    static const tarvex::fuzz::Registration fuzzRegistration_##name(#name, fuzzTarget_##name);     \
    static int fuzzTarget_##name(const std::uint8_t* data, std::size_t size)
#else
#define FUZZ_TARGET(name)                                                                          \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#endif
