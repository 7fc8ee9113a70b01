// Memory for the large tables, as the system gives it.
#pragma once

#include <cstddef>

// `bytes` (rounded up to whole `alignment`s, a power of two) aligned to `alignment`; null when it
// cannot be had. Given back with freeAligned (null is harmless).
void* allocateAligned(size_t alignment, size_t bytes);
void freeAligned(void* memory);

// Ask for large pages (2 MB) for the whole such pages inside [memory, memory + bytes), where the
// system grants them on request; a refusal, or a system without, leaves ordinary pages.
void askForLargePages(void* memory, size_t bytes);

// Whether the machine has `bytes` of memory at all: the system may promise more than it has, and
// a table bigger than the memory would end the process once the search filled it. True when the
// system does not tell.
bool memoryHolds(size_t bytes);
