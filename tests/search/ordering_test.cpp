#include "search/ordering.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

// The moves of a node's list in the order selectMove hands them out, from moves and scores.
std::vector<Move> selectionOrder(const std::vector<ScoredMove>& list, Move killer1, const uint32_t* counters) {
    static PlyFrame frame;
    frame.hashMove = 0;
    frame.killer1 = killer1;
    frame.killer2 = 0;
    static ScoredMove moves[MAX_LIST_MOVES];
    ScoredMove* const begin = moves;
    for (size_t i = 0; i < list.size(); ++i) begin[i] = list[i];
    frame.listEnd = begin + list.size();
    std::vector<Move> order;
    bool byCounters = false;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, begin, cursor, byCounters, counters);
        order.push_back(cursor->move);
    }
    return order;
}

}  // namespace

// Equal scores and equal counter keys go by their place in the list at the time of choosing,
// which the swaps of earlier choices have changed.
TEST(MoveOrdering, FirstOfEqualsByScoreThenByCounterKey) {
    static uint32_t counters[4096];
    const std::vector<ScoredMove> list = {{-30000, 1}, {-9000, 2}, {-9000, 3}, {-30000, 4}, {-30000, 5}};
    EXPECT_EQ(selectionOrder(list, 0, counters), (std::vector<Move>{2, 3, 1, 4, 5}));
    // Move 5 has now caused a cut-off: it leads the quiet moves, and its swap puts 1 behind 4.
    counters[5] = 10;
    EXPECT_EQ(selectionOrder(list, 0, counters), (std::vector<Move>{2, 3, 5, 4, 1}));
    // A killer is searched after the good captures, before the counted moves.
    EXPECT_EQ(selectionOrder(list, 4, counters), (std::vector<Move>{2, 3, 4, 5, 1}));
    // Counters past 2^23 keep their high bits when the key is packed with its position.
    counters[1] = 1u << 24;
    counters[4] = 1u << 23;
    EXPECT_EQ(selectionOrder(list, 0, counters), (std::vector<Move>{2, 3, 1, 4, 5}));
}
