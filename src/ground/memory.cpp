#include "ground/memory.h"

#include <cstdint>
#include <cstdlib>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <malloc.h>
#include <windows.h>
#elif defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

size_t roundedUp(size_t bytes, size_t alignment) { return (bytes + alignment - 1) & ~(alignment - 1); }

}  // namespace

#ifdef _WIN32

// Windows has no aligned_alloc (its free could not tell such a block); large pages need a
// privilege that users rarely hold, so none are asked for.
void* allocateAligned(size_t alignment, size_t bytes) { return _aligned_malloc(roundedUp(bytes, alignment), alignment); }

void freeAligned(void* memory) { _aligned_free(memory); }

void askForLargePages(void*, size_t) {}

bool memoryHolds(size_t bytes) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return !GlobalMemoryStatusEx(&status) || bytes < status.ullTotalPhys;
}

#else

void* allocateAligned(size_t alignment, size_t bytes) { return std::aligned_alloc(alignment, roundedUp(bytes, alignment)); }

void freeAligned(void* memory) { std::free(memory); }

void askForLargePages(void* memory, size_t bytes) {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t LARGE_PAGE = uintptr_t(1) << 21;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(memory) + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(memory) + bytes) & ~(LARGE_PAGE - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)memory;
    (void)bytes;
#endif
}

bool memoryHolds(size_t bytes) {
#if defined(__linux__)
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0) return bytes / size_t(pageSize) < size_t(pages);
#endif
    (void)bytes;
    return true;
}

#endif
