#include "search/transposition.h"

#include <cstdint>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "board/position.h"
#include "ground/invariant.h"

HashEntry hashTable[2][HASH_BUCKETS][2];
uint16_t hashGeneration = 1;

namespace {

constexpr uint32_t KEY_CHECK_MASK = 0xFFFC0000;   // key bits 18-31; bits 0-17 choose the bucket

inline HashEntry* bucketOf(uint64_t key) {
    INVARIANT(position.sideToMove == WHITE || position.sideToMove == BLACK);
    return hashTable[position.sideToMove][key & (HASH_BUCKETS - 1)];
}

inline bool matches(const HashEntry& e, uint64_t key) {
    return ((e.word0 ^ uint32_t(key)) & KEY_CHECK_MASK) == 0 && e.word1 == uint32_t(key >> 32);
}

// The fields take a depth of 0 to 127, a score of -8190 to 8193 and one of the three bounds;
// beyond them a value would spill into its neighbours.
inline void writeEntry(HashEntry& e, uint64_t key, int depth, uint32_t bound, Move move, int score) {
    INVARIANT(depth >= 0 && depth <= 0x7F);
    INVARIANT(score >= NO_SCORE && score + 8190 < (1 << 14));
    INVARIANT(bound == EXACT_BOUND || bound == LOWER_BOUND || bound == UPPER_BOUND);
    e.word0 = (uint32_t(key) & 0xFFFF0000) | move;
    e.word1 = uint32_t(key >> 32);
    e.word2 = (uint32_t(score + 8190) << 18) | (uint32_t(hashGeneration & 0x1FF) << 9) | bound |
              (uint32_t(depth) & 0x7F);
}

// Nearly every probe of a table this size misses the caches; in pages of 2 MB, where the system
// grants them, its address translations at least stay at hand. The table is not aligned to such
// pages (that would upset tools that read the program file), so it asks for the whole large pages
// inside it: 10 of its 12 MB or more. Asked before the first clear touches the table; a refusal
// leaves ordinary pages.
bool askForLargePages() {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t LARGE_PAGE = uintptr_t(1) << 21;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(hashTable) + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(hashTable) + sizeof hashTable) & ~(LARGE_PAGE - 1);
    return madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) == 0;
#else
    return false;
#endif
}

}  // namespace

void clearHashTable() {
    static const bool largePages = askForLargePages();
    (void)largePages;
    std::memset(hashTable, 0, sizeof hashTable);
}

const HashEntry* probeHash() {
    const uint64_t key = position.hashKey;
    const HashEntry* bucket = bucketOf(key);
    if (matches(bucket[0], key)) return &bucket[0];
    if (matches(bucket[1], key)) return &bucket[1];
    return nullptr;
}

void storeHash(int depth, uint32_t bound, Move move, int score) {
    const uint64_t key = position.hashKey;
    HashEntry* bucket = bucketOf(key);
    HashEntry& first = bucket[0];
    // An exact score is worth more than a bound of the same depth.
    const bool moreExact = bound == EXACT_BOUND && entryBound(first) != EXACT_BOUND;
    if (matches(first, key)) {
        // The same position: keep the deeper (or equally deep but exact) result.
        if (depth > entryDepth(first) || (depth == entryDepth(first) && moreExact))
            writeEntry(first, key, depth, bound, move, score);
        return;
    }
    // Another position holds slot 0: it yields to more depth and to a newer generation.
    const int16_t advantage = int16_t(depth - entryDepth(first) + hashGeneration - entryGeneration(first));
    if (advantage > 0 || (advantage == 0 && moreExact))
        writeEntry(first, key, depth, bound, move, score);
    else
        writeEntry(bucket[1], key, depth, bound, move, score);
}

void storeBookEntry(Move move) {
    const uint64_t key = position.hashKey;
    HashEntry& first = bucketOf(key)[0];
    first.word0 = (uint32_t(key) & 0xFFFF0000) | move;
    first.word1 = uint32_t(key >> 32);
    first.word2 &= ~(uint32_t(0x1FF) << 9);   // generation 0; depth, bound and score stay
}
