// Move ordering of the full-width nodes (root and interior): hash move, killers, good captures
// by score, then everything else by history counter plus score.
#pragma once

#include <utility>

#include "search/frames.h"

constexpr int HASH_MOVE_SCORE = 30000;
constexpr int KILLER1_SCORE = -9998;
constexpr int KILLER2_SCORE = -9999;
constexpr int GOOD_MOVE_SCORE = -10000;        // entries below this go by history
constexpr uint32_t HISTORY_KEY_OFFSET = 33000; // lifts every score above zero in the history key

// Give the frame's hash move and killers their places in the list [begin, listEnd).
inline void markSpecialMoves(const PlyFrame& frame, ScoredMove* begin) {
    for (ScoredMove* entry = begin; entry < frame.listEnd; ++entry) {
        if (entry->move == frame.hashMove) entry->score = HASH_MOVE_SCORE;
        else if (entry->move == frame.killer1) entry->score = KILLER1_SCORE;
        else if (entry->move == frame.killer2) entry->score = KILLER2_SCORE;
    }
}

// Swap the next move to search into `cursor`. While the best remaining score is at least
// GOOD_MOVE_SCORE the highest score goes first (first of equals); after that, once and for the
// rest of the node (`byHistory`), the remaining moves get history keys in the frame's orderKeys
// (indexed like the list from `begin`) and go by the highest key.
inline void selectMove(PlyFrame& frame, ScoredMove* begin, ScoredMove* cursor, bool& byHistory,
                       const uint32_t* history) {
    ScoredMove* const end = frame.listEnd;
    if (!byHistory) {
        ScoredMove* best = cursor;
        for (ScoredMove* entry = cursor + 1; entry < end; ++entry)
            if (entry->score > best->score) best = entry;
        std::swap(*best, *cursor);
        if (cursor->score >= GOOD_MOVE_SCORE) return;
        byHistory = true;
        for (ScoredMove* entry = cursor; entry < end; ++entry)
            frame.orderKeys[entry - begin] = history[entry->move & 0xFFF] + uint32_t(entry->score + int(HISTORY_KEY_OFFSET));
    }
    uint32_t* const keys = frame.orderKeys;
    const long first = cursor - begin, count = end - begin;
    long best = first;
    for (long i = first + 1; i < count; ++i)
        if (keys[i] > keys[best]) best = i;
    std::swap(keys[best], keys[first]);
    std::swap(begin[best], begin[first]);
}
