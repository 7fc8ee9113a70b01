// Invariant checks: compiled into Debug, sanitizer and fuzzing builds (TARNEK_CHECKS), where a
// broken invariant stops the program at once with its place; nothing at all in Release.
#pragma once

// Report the broken invariant `what` at `file`:`line` on the error stream and abort.
[[noreturn]] void invariantBroken(const char* what, const char* file, int line);

#if defined(TARNEK_CHECKS) && TARNEK_CHECKS
#define INVARIANT(condition) ((condition) ? void(0) : invariantBroken(#condition, __FILE__, __LINE__))
#else
#define INVARIANT(condition) void(0)
#endif
