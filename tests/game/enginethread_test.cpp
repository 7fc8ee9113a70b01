#include "game/enginethread.h"

#include <atomic>
#include <vector>

#include "movegen/legality.h"
#include "search/transposition.h"
#include "search/searchsupport.h"

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
        EXPECT_TRUE(isLegalMove(game, searchResult().best.move));
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
    EXPECT_TRUE(isLegalMove(game, searchResult().best.move));
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
        EXPECT_TRUE(isLegalMove(game, searchResult().best.move)) << round;
        if (round % 3 == 1) {
            EXPECT_GE(totalNodes(), 20000u);
            EXPECT_LT(totalNodes(), 21000u);
        }
        if (round == 3) setSearchThreads(2);
    }
    quitEngine();
    resizeHashTable(DEFAULT_HASH_BUCKETS);
}

struct Reported {
    unsigned depth;
    int score;
    Line line;
};
std::vector<Reported> reported;

// Stores, once the search has reported its iteration 2, what a helper a ply ahead stores for the
// root of "r1b2k1r/ppp1bppp/8/1B1Q4/5q2/2P5/PPP2PPP/R3R1K1 w": d5d8, mate in two (three plies),
// exact, at depth 3.
void storeAsAHelperWould(const IterationLine& line) {
    reported.push_back(Reported{line.depth, line.score, line.moves});
    if (line.depth == 2) storeHash(game.position, 3, EXACT_BOUND, moveOf(QUIET, "d5", "d8"), -MATED_SCORE - 3);
}

// Another thread's entry for the root, deeper and exact, stored while the main search is an
// iteration behind, never stands in for the main search's answer: no iteration reports its score
// with the move the search had at the head of its list (the queen given away, or a rook's move),
// and the answer is the mate with the line that plays it.
TEST(EngineThread, AnotherThreadsRootEntryNeverAnswers) {
    setUpPosition("r1b2k1r/ppp1bppp/8/1B1Q4/5q2/2P5/PPP2PPP/R3R1K1 w - -");
    reported.clear();
    launchEngine();
    startSearch(SearchRequest{SearchLimits{5, storeAsAHelperWould}});
    waitForSearch();
    quitEngine();
    const Move mate = moveOf(QUIET, "d5", "d8");
    for (const Reported& r : reported) {
        ASSERT_GT(r.line.length, 0);
        EXPECT_TRUE(!isMateScore(r.score) || r.line.moves[0] == mate) << r.depth;
        EXPECT_TRUE(lineHolds(r.line, r.score)) << r.depth;
    }
    ASSERT_EQ(reported.back().depth, 3u) << "the mate ends the search at the depth that finds it";
    EXPECT_EQ(searchResult().best.move, mate);
    EXPECT_EQ(searchResult().best.score, -MATED_SCORE - 3);
    EXPECT_EQ(searchResult().line.length, 3);
    EXPECT_TRUE(lineHolds(searchResult().line, searchResult().best.score));
}

// A search of chosen root moves leaves nothing for the root that a later search of the whole
// position could take as its answer: that one searches, and finds a better move.
TEST(EngineThread, ChosenMovesLeaveNoAnswerForTheWholePosition) {
    setUpPosition("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -");
    const Move chosen = moveOf(QUIET, "a2", "a3");
    launchEngine();
    SearchRequest restricted{SearchLimits{5, nullptr}};
    restricted.limits.onlyMoves[0] = chosen;
    restricted.limits.onlyMoveCount = 1;
    restricted.fromScratch = true;
    startSearch(restricted);
    waitForSearch();
    EXPECT_EQ(searchResult().best.move, chosen);
    startSearch(SearchRequest{SearchLimits{5, nullptr}});
    waitForSearch();
    EXPECT_NE(searchResult().best.move, chosen);
    EXPECT_GT(totalNodes(), 0u);
    quitEngine();
}

}  // namespace
