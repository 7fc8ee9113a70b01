#include "search/transposition.h"

#include <cstring>

#include "ground/invariant.h"
#include "ground/memory.h"

uint16_t hashGeneration = 1;

namespace {

// The default table needs no allocation: the xboard program never allocates.
alignas(64) HashEntry defaultSlots[DEFAULT_HASH_BUCKETS * 4];
// A table of another size, allocated; null while the default is in use.
HashEntry* allocatedSlots = nullptr;

// A slot's three words, each read once.
inline HashEntry readSlot(const HashEntry& slot) {
    return HashEntry{loadWord(slot.word0), loadWord(slot.word1), loadWord(slot.word2)};
}

// Whether the words read belong to `key`, and to one write (as probeHash asks).
inline bool matches(const HashEntry& e, uint64_t key) {
    return ((e.word0 ^ uint32_t(key)) & hashDetail::keyCheckMask) == 0 && e.word1 == checkWord(key, e.word0, e.word2);
}

inline void writeWords(HashEntry& e, uint64_t key, uint32_t word0, uint32_t word2) {
    storeWord(e.word0, word0);
    storeWord(e.word1, checkWord(key, word0, word2));
    storeWord(e.word2, word2);
}

// The fields take a depth of 0 to 127, a score of -8190 to 8193 and one of the three bounds;
// beyond them a value would spill into its neighbours.
inline void writeEntry(HashEntry& e, uint64_t key, int depth, uint32_t bound, Move move, int score) {
    INVARIANT(depth >= 0 && depth <= 0x7F);
    INVARIANT(score >= NO_SCORE && score + 8190 < (1 << 14));
    INVARIANT(bound == EXACT_BOUND || bound == LOWER_BOUND || bound == UPPER_BOUND);
    writeWords(e, key, (uint32_t(key) & 0xFFFF0000) | move,
               (uint32_t(score + 8190) << 18) | (uint32_t(hashGeneration & 0x1FF) << 9) | bound | (uint32_t(depth) & 0x7F));
}

size_t tableBytes(uint64_t buckets) { return size_t(buckets) * HASH_BYTES_PER_BUCKET; }

}  // namespace

namespace hashDetail {
HashEntry* slots = defaultSlots;
uint64_t bucketMask = DEFAULT_HASH_BUCKETS - 1;
uint32_t keyCheckMask = 0xFFFC0000;
}  // namespace hashDetail

using hashDetail::bucketMask;
using hashDetail::keyCheckMask;
using hashDetail::slots;

// Nearly every probe of a table this size misses the caches; in pages of 2 MB, where the system
// grants them, its address translations at least stay at hand. The default table is not aligned to
// such pages (that would upset tools that read the program file), so it asks for the whole large
// pages inside it (askForLargePages): 10 of its 12 MB or more. Asked before the first clear touches
// the table; a refusal leaves ordinary pages.
void clearHashTable() {
    static const bool largePages = (askForLargePages(defaultSlots, sizeof defaultSlots), true);
    (void)largePages;
    std::memset(static_cast<void*>(slots), 0, tableBytes(bucketMask + 1));
}

uint64_t hashBuckets() { return bucketMask + 1; }

uint64_t hashBucketsFor(int megabytes) {
    const uint64_t bytes = uint64_t(megabytes) << 20;
    uint64_t buckets = MIN_HASH_BUCKETS;
    while (buckets * 2 * HASH_BYTES_PER_BUCKET <= bytes) buckets *= 2;
    return buckets;
}

bool resizeHashTable(uint64_t buckets) {
    if (buckets == hashBuckets()) {
        clearHashTable();
        return true;
    }
    HashEntry* table = defaultSlots;
    if (buckets != DEFAULT_HASH_BUCKETS) {
        // Large pages are granted for memory aligned to them.
        constexpr size_t ALIGNMENT = size_t(1) << 21;
        const size_t bytes = tableBytes(buckets);
        if (bytes / HASH_BYTES_PER_BUCKET != buckets || !memoryHolds(bytes)) return false;
        table = static_cast<HashEntry*>(allocateAligned(ALIGNMENT, bytes));
        if (!table) return false;
        askForLargePages(table, bytes);
    }
    freeAligned(allocatedSlots);
    allocatedSlots = table == defaultSlots ? nullptr : table;
    slots = table;
    bucketMask = buckets - 1;
    keyCheckMask = 0xFFFF0000 & ~uint32_t(bucketMask);
    clearHashTable();
    return true;
}

void forgetHashEntry(const Position& p) {
    const uint64_t key = p.hashKey;
    HashEntry* bucket = bucketOf(p.sideToMove, key);
    for (int i = 0; i < 2; ++i) {
        const HashEntry entry = readSlot(bucket[i]);
        if (!matches(entry, key)) continue;
        if (entryGeneration(entry) != 0) writeWords(bucket[i], 0, 0, 0);
        return;
    }
}

int hashFullPermille() {
    constexpr uint64_t SAMPLED = 1000;
    const uint64_t buckets = hashBuckets() < SAMPLED ? hashBuckets() : SAMPLED;
    uint64_t used = 0;
    for (const HashEntry* slot = slots; slot < slots + buckets * 4; ++slot)
        if (entryGeneration(readSlot(*slot)) != 0) ++used;
    return int(used * 1000 / (buckets * 4));
}

void storeHash(const Position& p, int depth, uint32_t bound, Move move, int score) {
    const uint64_t key = p.hashKey;
    HashEntry* bucket = bucketOf(p.sideToMove, key);
    const HashEntry first = readSlot(bucket[0]);
    // An exact score is worth more than a bound of the same depth.
    const bool moreExact = bound == EXACT_BOUND && entryBound(first) != EXACT_BOUND;
    if (matches(first, key)) {
        // The same position: keep the deeper (or equally deep but exact) result.
        if (depth > entryDepth(first) || (depth == entryDepth(first) && moreExact))
            writeEntry(bucket[0], key, depth, bound, move, score);
        return;
    }
    // Another position holds slot 0: it yields to more depth and to a newer generation.
    const int16_t advantage = int16_t(depth - entryDepth(first) + hashGeneration - entryGeneration(first));
    if (advantage > 0 || (advantage == 0 && moreExact))
        writeEntry(bucket[0], key, depth, bound, move, score);
    else
        writeEntry(bucket[1], key, depth, bound, move, score);
}

void storeBookEntry(const Position& p, Move move) {
    const uint64_t key = p.hashKey;
    HashEntry& first = bucketOf(p.sideToMove, key)[0];
    // Generation 0; depth, bounds and score stay as the slot held them.
    writeWords(first, key, (uint32_t(key) & 0xFFFF0000) | move, loadWord(first.word2) & ~(uint32_t(0x1FF) << 9));
}
