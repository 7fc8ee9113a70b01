#include "game/enginethread.h"

#include <atomic>

#include "movegen/legality.h"
#include "search/transposition.h"
#include "support.h"

namespace {

std::atomic<unsigned> deepestReported{0};
void noteDepth(const IterationLine& line) { deepestReported = line.depth; }

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
        startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, nullptr}, TimeBudget{0, 0, 0}});
        endSearchAfterBudget();
        EXPECT_TRUE(waitForSearch(0)) << "idle once the search is ended";
        EXPECT_TRUE(isLegalMove(searchResult().best.move));
    }

    // A depth limit ends it by itself, and no deeper than the ceiling. (Each from a cleared
    // table, whose root entry would let the search start deeper.)
    setUpPosition(INITIAL_POSITION_TEXT);
    startSearch(SearchRequest{SearchLimits{4, noteDepth}, UNLIMITED_TIME});
    waitForSearch();
    EXPECT_EQ(deepestReported, 4u);
    setUpPosition(INITIAL_POSITION_TEXT);
    depthCeiling = 3;
    startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, noteDepth}, UNLIMITED_TIME});
    waitForSearch();
    depthCeiling = DEEPEST_ITERATION;
    EXPECT_EQ(deepestReported, 3u);

    // A stop ends a search that nothing else would.
    startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, nullptr}, UNLIMITED_TIME});
    stopSearch();
    waitForSearch();
    EXPECT_TRUE(isLegalMove(searchResult().best.move));
    quitEngine();
}

// Four threads search together: started and stopped, ended by their depth and by a node count of
// all of them, with the table resized and the number of threads changed between searches. No
// race, no lost signal, a legal move every time.
TEST(EngineThread, SeveralThreadsStartStopAndResize) {
    const char* const positions[] = {
        "r1bq1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P3/2NP1N2/PPP2PPP/R2QK2R w KQ -",
        "8/5pk1/6p1/1p5p/1P1R3P/6P1/5PK1/2r5 b - -",
        "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq -",
    };
    launchEngine();
    setSearchThreads(4);
    EXPECT_EQ(searchThreads(), 4);
    for (int round = 0; round < 6; ++round) {
        resizeHashTable(round % 2 ? MIN_HASH_BUCKETS << 4 : DEFAULT_HASH_BUCKETS);
        setUpPosition(positions[round % 3]);
        SearchRequest request{SearchLimits{round % 3 == 0 ? 5u : DEEPEST_ITERATION, nullptr}};
        if (round % 3 == 1) request.nodes = 20000;
        startSearch(request);
        if (round % 3 == 2) stopSearch();
        waitForSearch();
        EXPECT_TRUE(isLegalMove(searchResult().best.move)) << round;
        if (round % 3 == 1) {
            EXPECT_GE(totalNodes(), 20000u);
            EXPECT_LT(totalNodes(), 21000u);
        }
        if (round == 3) setSearchThreads(2);
    }
    quitEngine();
    resizeHashTable(DEFAULT_HASH_BUCKETS);
}

}  // namespace
