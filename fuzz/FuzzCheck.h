#pragma once

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
