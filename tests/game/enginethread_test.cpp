#include "game/enginethread.h"

#include <atomic>

#include "movegen/legality.h"
#include "support.h"

namespace {

std::atomic<unsigned> deepestReported{0};
void noteDepth(unsigned depth, int, int, Move) { deepestReported = depth; }

// The whole life of the engine thread in this process: idle, searches ended by their budget, by
// their depth and by a stop, then quit. A fault in the hand-over between the threads shows as a
// hang here.
TEST(EngineThread, IdleSearchesAndQuit) {
    setUpPosition(INITIAL_POSITION_TEXT);
    launchEngine();
    EXPECT_TRUE(waitForSearch(0)) << "idle once launched";
    stopSearch();   // nothing to stop
    EXPECT_TRUE(waitForSearch(0));

    // A spent budget ends the search; one started right after it is searched as well.
    for (int round = 0; round < 2; ++round) {
        startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, NO_NODE_LIMIT, nullptr}, TimeBudget{0, 0, 0}});
        endSearchAfterBudget();
        EXPECT_TRUE(waitForSearch(0)) << "idle once the search is ended";
        EXPECT_TRUE(isLegalMove(searchResult().best.move));
    }

    // A depth limit ends it by itself, and no deeper than the ceiling. (Each from a cleared
    // table, whose root entry would let the search start deeper.)
    setUpPosition(INITIAL_POSITION_TEXT);
    startSearch(SearchRequest{SearchLimits{4, NO_NODE_LIMIT, noteDepth}, UNLIMITED_TIME});
    waitForSearch();
    EXPECT_EQ(deepestReported, 4u);
    setUpPosition(INITIAL_POSITION_TEXT);
    depthCeiling = 3;
    startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, NO_NODE_LIMIT, noteDepth}, UNLIMITED_TIME});
    waitForSearch();
    depthCeiling = DEEPEST_ITERATION;
    EXPECT_EQ(deepestReported, 3u);

    // A stop ends a search that nothing else would.
    startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, NO_NODE_LIMIT, nullptr}, UNLIMITED_TIME});
    stopSearch();
    waitForSearch();
    EXPECT_TRUE(isLegalMove(searchResult().best.move));
    quitEngine();
}

}  // namespace
