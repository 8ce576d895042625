#pragma once
// A property check for fuzz targets: a broken property aborts, which
// libFuzzer reports as a crash with the input that broke it.

#include <cstdio>
#include <cstdlib>

#define QX_FUZZ_CHECK(condition)                                                              \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)
