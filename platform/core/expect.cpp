#include "platform/core/expect.h"

#include <cstdio>
#include <cstdlib>

bool ExpectationBroken(const char* condition, const char* file, int line) {
#ifdef NDEBUG
    (void)condition;
    (void)file;
    (void)line;
    return false;
#else
    std::fprintf(stderr, "%s:%d: expected %s\n", file, line, condition);
    std::abort();
#endif
}
