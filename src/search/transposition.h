// The transposition table: for each bucket number one bucket per side to move, two slots each.
// Its size is a power of two of buckets: the default, which the xboard program keeps, or what the
// UCI program's Hash option asks. Every word is read and written whole (relaxed atomics), and a
// probe reads each once: a slot whose words come from two different writes (one thread reading
// while another writes) fails the key check, since word 1 carries the key mixed with the other two.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "board/makemove.h"
#include "board/position.h"
#include "ground/invariant.h"
#include "ground/sharedword.h"

// One slot. word0: move (bits 0-15) and key bits 16-31; word1: key bits 32-63 exclusive-or word0
// and word2; word2: depth (0-6), lower bound (7), upper bound (8), generation (9-17), score + 8190
// (18-31). A probe hands out a copy, read once, whose fields the accessors below take apart.
struct HashEntry {
    uint32_t word0;
    uint32_t word1;
    uint32_t word2;
};

// Buckets per side of the default table: 12 MiB in all.
constexpr uint64_t DEFAULT_HASH_BUCKETS = uint64_t(1) << 18;
// The smallest table: a bucket number has at least as many bits as key bits 16-31 leave unchecked.
constexpr uint64_t MIN_HASH_BUCKETS = uint64_t(1) << 10;
// Bytes of the buckets of both sides for one bucket number.
constexpr size_t HASH_BYTES_PER_BUCKET = 2 * 2 * sizeof(HashEntry);

// Bound of a stored score: exact, at least (a cut-off) or at most (nothing raised alpha).
constexpr uint32_t EXACT_BOUND = 0;
constexpr uint32_t LOWER_BOUND = 0x080;
constexpr uint32_t UPPER_BOUND = 0x100;

extern uint16_t hashGeneration;   // written into every search entry; 0 marks the book

namespace hashDetail {
extern HashEntry* slots;          // the table: bucket number, then side, then slot
extern uint64_t bucketMask;       // buckets per side - 1
extern uint32_t keyCheckMask;     // key bits 16-31 that the bucket number does not imply
}  // namespace hashDetail

// Empty every slot of both halves.
void clearHashTable();

// Buckets per side now.
uint64_t hashBuckets();

// Buckets per side of a table of `megabytes`: the largest power of two that fits, at least
// MIN_HASH_BUCKETS.
uint64_t hashBucketsFor(int megabytes);

// Make the table `buckets` buckets per side (a power of two, at least MIN_HASH_BUCKETS), empty.
// False, keeping the table as it was, when the memory cannot be had. Only while no search runs.
bool resizeHashTable(uint64_t buckets);


// Empty the slot of position `p`, if it holds a search result (a book move stays).
void forgetHashEntry(const Position& p);

// Slots that hold a search result, per thousand, counted over the first thousand buckets.
int hashFullPermille();

// Record a search result for position `p` by the replacement rule of the two slots.
void storeHash(const Position& p, int depth, uint32_t bound, Move move, int score);

// Make `move` the book move of position `p` (slot 0 of its bucket, generation 0).
void storeBookEntry(const Position& p, Move move);

// Fields of an entry copied by probeHash (or of a slot, while no search runs).
inline Move entryMove(const HashEntry& e) { return Move(e.word0 & 0xFFFF); }
inline int entryDepth(const HashEntry& e) { return e.word2 & 0x7F; }
inline uint32_t entryBound(const HashEntry& e) { return e.word2 & (LOWER_BOUND | UPPER_BOUND); }
inline int entryGeneration(const HashEntry& e) { return (e.word2 >> 9) & 0x1FF; }
inline int entryScore(const HashEntry& e) { return int(e.word2 >> 18) - 8190; }

// The bucket of `key` for `side` to move.
inline HashEntry* bucketOf(int side, uint64_t key) {
    INVARIANT(side == WHITE || side == BLACK);
    return hashDetail::slots + (((key & hashDetail::bucketMask) << 1) | uint64_t(side)) * 2;
}

// Word 1 as a write of the other two words for `key` leaves it.
inline uint32_t checkWord(uint64_t key, uint32_t word0, uint32_t word2) { return uint32_t(key >> 32) ^ word0 ^ word2; }

// The entry of position `p` (side to move and hashKey), copied into `entry`, its words as one
// write left them; false when there is none. Slot 0 is asked first; a slot's other two words are
// read only when the key bits of its first match.
inline bool probeHash(const Position& p, HashEntry& entry) {
    const uint64_t key = p.hashKey;
    const HashEntry* bucket = bucketOf(p.sideToMove, key);
    for (int i = 0; i < 2; ++i) {
        const uint32_t word0 = loadWord(bucket[i].word0);
        if ((word0 ^ uint32_t(key)) & hashDetail::keyCheckMask) continue;
        const uint32_t word1 = loadWord(bucket[i].word1), word2 = loadWord(bucket[i].word2);
        if (word1 != checkWord(key, word0, word2)) continue;
        entry = HashEntry{word0, word1, word2};
        return true;
    }
    return false;
}

// Ask for the cache line of `address`. The compiler's own prefetch counts as free of effects, so
// that it may drop a whole loop of them, and did: on x86-64 the instruction is written out.
inline void prefetchLine(const void* address) {
#if defined(__x86_64__)
    asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(address)));
#else
    __builtin_prefetch(address);
#endif
}

// Start loading the bucket of `key` for `side` to move into the cache, ahead of its probe. A
// bucket of 24 bytes may straddle two cache lines: fetch the lines of its first and last byte.
inline void prefetchBucket(int side, uint64_t key) {
    const char* bucket = reinterpret_cast<const char*>(bucketOf(side, key));
    prefetchLine(bucket);
    prefetchLine(bucket + sizeof(HashEntry[2]) - 1);
}

// The same for position `p`.
inline void prefetchHash(const Position& p) { prefetchBucket(p.sideToMove, p.hashKey); }

// The same, at once, for every position the moves of [begin, end) lead to from `p`. Nearly every
// probe misses the caches, and one node after another waits for its own: fetched together as soon
// as the list stands, the buckets of the later children arrive while the earlier are searched.
// The keys are guesses (keyAfterMove); a wrong one costs only a useless fetch.
inline void prefetchChildren(const Position& p, const ScoredMove* begin, const ScoredMove* end) {
    const int side = p.sideToMove ^ 1;
    for (const ScoredMove* entry = begin; entry < end; ++entry) prefetchBucket(side, keyAfterMove(p, entry->move));
}
