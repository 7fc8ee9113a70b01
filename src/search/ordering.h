// Move ordering of the full-width nodes (root and interior): hash move, killers, good captures
// by score, then everything else by history counter plus score.
#pragma once

#include <cstdint>
#include <utility>

#include "frames/frames.h"

constexpr int HASH_MOVE_SCORE = 30000;
constexpr int KILLER1_SCORE = -9998;
constexpr int KILLER2_SCORE = -9999;
constexpr int GOOD_MOVE_SCORE = -10000;        // entries below this go by history
constexpr uint32_t HISTORY_KEY_OFFSET = 33000; // lifts every score above zero in the history key

// The first entry from `from` on whose score is `score` (there must be one).
inline ScoredMove* firstWithScore(ScoredMove* from, int score) {
    while (from->score != score) ++from;
    return from;
}

// The entry of [from, end) with the highest score, the first of equals. The highest score is
// found first, by a plain maximum that the compiler takes several entries at a time, and then
// its first entry.
inline ScoredMove* highestScore(ScoredMove* from, ScoredMove* end) {
    int best = INT16_MIN;
    for (const ScoredMove* entry = from; entry < end; ++entry) best = entry->score > best ? entry->score : best;
    return firstWithScore(from, best);
}

// The same for the first scan of a node's list, which on its way gives the hash move and the two
// killers their scores: `mark` (generator's score, 0 for the hash move, 1 or 2 for a killer).
template <typename Mark>
inline ScoredMove* markAndFindHighest(const PlyFrame& frame, ScoredMove* from, ScoredMove* end, Mark mark) {
    const Move hashMove = frame.hashMove, killer1 = frame.killer1, killer2 = frame.killer2;
    int best = INT16_MIN;
    for (ScoredMove* entry = from; entry < end; ++entry) {
        const Move move = entry->move;
        if (move == hashMove) entry->score = int16_t(mark(entry->score, 0));
        else if (move == killer1) entry->score = int16_t(mark(entry->score, 1));
        else if (move == killer2) entry->score = int16_t(mark(entry->score, 2));
        best = entry->score > best ? entry->score : best;
    }
    return firstWithScore(from, best);
}

// Places of the hash move and killers in a full-width node.
inline int fullWidthMark(int, int which) {
    return which == 0 ? HASH_MOVE_SCORE : which == 1 ? KILLER1_SCORE : KILLER2_SCORE;
}

// Swap the next move to search into `cursor`; the first call of a node (cursor at `begin`) marks
// the hash move and killers. While the best remaining score is at least GOOD_MOVE_SCORE the
// highest score goes first (first of equals); after that, once and for the rest of the node
// (`byHistory`), the remaining moves get history keys in the frame's orderKeys (indexed like the
// list from `begin`) and go by the highest key, again first of equals.
inline void selectMove(PlyFrame& frame, ScoredMove* begin, ScoredMove* cursor, bool& byHistory,
                       const uint32_t* history) {
    ScoredMove* const end = frame.listEnd;
    const uint32_t first = uint32_t(cursor - begin), count = uint32_t(end - begin);
    if (!byHistory) {
        std::swap(*(cursor == begin ? markAndFindHighest(frame, begin, end, fullWidthMark) : highestScore(cursor, end)), *cursor);
        if (cursor->score >= GOOD_MOVE_SCORE) return;
        byHistory = true;
        for (uint32_t i = first; i < count; ++i)
            frame.orderKeys[i] = history[begin[i].move & 0xFFF] + uint32_t(begin[i].score + int(HISTORY_KEY_OFFSET));
    }
    // The highest key, then its first position.
    uint32_t* const keys = frame.orderKeys;
    uint32_t best = 0;
    for (uint32_t i = first; i < count; ++i) best = keys[i] > best ? keys[i] : best;
    uint32_t chosen = first;
    while (keys[chosen] != best) ++chosen;
    std::swap(keys[chosen], keys[first]);
    std::swap(begin[chosen], begin[first]);
}
