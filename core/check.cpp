#include "core/check.h"

#include <cstdio>
#include <cstdlib>

void CheckFailed(const char* Expression, const char* File, int Line)
{
    std::fprintf(stderr, "Check failed: %s, file %s, line %d\n", Expression, File, Line);
    std::fflush(stderr);
    std::abort();
}
