#pragma once

// How the fuzz targets and the soak report a broken rule: a message on stderr, then abort,
// which libFuzzer records as a crash together with the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "rule broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Require(bool holds, const std::string& what) {
    if (!holds)
        Fail(what);
}
