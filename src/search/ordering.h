// Move ordering of the full-width nodes (root and interior): hash move, killers, good captures
// by score, then everything else by cut-off counter plus score.
#pragma once

#include <utility>

#include "frames/frames.h"

constexpr int HASH_MOVE_SCORE = 30000;
constexpr int KILLER1_SCORE = -9998;
constexpr int KILLER2_SCORE = -9999;
constexpr int GOOD_MOVE_SCORE = -10000;        // entries below this go by cut-off counter
constexpr uint32_t COUNTER_KEY_OFFSET = 33000; // lifts every score above zero in the counter key

// Lists are shorter than 512 moves: an index into a list fits in 9 bits.
constexpr uint32_t INDEX_BITS = 9;
constexpr uint32_t LAST_INDEX = (1u << INDEX_BITS) - 1;
static_assert(MAX_LIST_MOVES <= int(LAST_INDEX) + 1);

// A score with its inverted index `i` in the low bits: the largest packed value is the first
// of the largest scores, so the choice needs no branches.
inline uint32_t packedScore(int score, uint32_t i) { return (uint32_t(score + 32768) << INDEX_BITS) | (LAST_INDEX - i); }

// The index that a packed maximum carries.
inline uint32_t indexOf(uint64_t packed) { return LAST_INDEX - uint32_t(packed & LAST_INDEX); }

// The entry of [from, end) with the highest score, the first of equals.
inline ScoredMove* highestScore(ScoredMove* from, ScoredMove* end) {
    const uint32_t count = uint32_t(end - from);
    uint32_t best = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t packed = packedScore(from[i].score, i);
        best = packed > best ? packed : best;
    }
    return from + indexOf(best);
}

// The same for the first scan of a node's list, which on its way gives the hash move and the two
// killers their scores: `mark` (generator's score, 0 for the hash move, 1 or 2 for a killer).
template <typename Mark>
inline ScoredMove* markAndFindHighest(const PlyFrame& frame, ScoredMove* from, ScoredMove* end, Mark mark) {
    const Move hashMove = frame.hashMove, killer1 = frame.killer1, killer2 = frame.killer2;
    const uint32_t count = uint32_t(end - from);
    uint32_t best = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const Move move = from[i].move;
        if (move == hashMove) from[i].score = int16_t(mark(from[i].score, 0));
        else if (move == killer1) from[i].score = int16_t(mark(from[i].score, 1));
        else if (move == killer2) from[i].score = int16_t(mark(from[i].score, 2));
        const uint32_t packed = packedScore(from[i].score, i);
        best = packed > best ? packed : best;
    }
    return from + indexOf(best);
}

// Places of the hash move and killers in a full-width node.
inline int fullWidthMark(int, int which) {
    return which == 0 ? HASH_MOVE_SCORE : which == 1 ? KILLER1_SCORE : KILLER2_SCORE;
}

// Swap the next move to search into `cursor`; the first call of a node (cursor at `begin`) marks
// the hash move and killers. While the best remaining score is at least GOOD_MOVE_SCORE the
// highest score goes first (first of equals); after that, once and for the rest of the node
// (`byCounters`), the remaining moves get counter keys in the frame's orderKeys (indexed like the
// list from `begin`) and go by the highest key, again first of equals.
inline void selectMove(PlyFrame& frame, ScoredMove* begin, ScoredMove* cursor, bool& byCounters,
                       const uint32_t* counters) {
    ScoredMove* const end = frame.listEnd;
    const uint32_t first = uint32_t(cursor - begin), count = uint32_t(end - begin);
    if (!byCounters) {
        std::swap(*(cursor == begin ? markAndFindHighest(frame, begin, end, fullWidthMark) : highestScore(cursor, end)), *cursor);
        if (cursor->score >= GOOD_MOVE_SCORE) return;
        byCounters = true;
        for (uint32_t i = first; i < count; ++i)
            frame.orderKeys[i] = counters[begin[i].move & 0xFFF] + uint32_t(begin[i].score + int(COUNTER_KEY_OFFSET));
    }
    // The same packing, with the key widened to make room for the index.
    uint32_t* const keys = frame.orderKeys;
    uint64_t best = 0;
    for (uint32_t i = first; i < count; ++i) {
        const uint64_t packed = (uint64_t(keys[i]) << INDEX_BITS) | (LAST_INDEX - i);
        best = packed > best ? packed : best;
    }
    const uint32_t chosen = indexOf(best);
    std::swap(keys[chosen], keys[first]);
    std::swap(begin[chosen], begin[first]);
}
