#ifndef VANTREL_CORE_CHECK_H
#define VANTREL_CORE_CHECK_H

// Checks of internal invariants. Unlike assert() they stay active in release builds:
// a broken invariant means wrong numbers could reach a machine tool, so the program
// stops and names the expression, the source file and the line.

[[noreturn]] void CheckFailed(const char* Expression, const char* File, int Line);

#define VANTREL_CHECK(Expression)                                                                  \
    do                                                                                             \
    {                                                                                              \
        if (!(Expression))                                                                         \
            CheckFailed(#Expression, __FILE__, __LINE__);                                          \
    } while (false)

#endif
