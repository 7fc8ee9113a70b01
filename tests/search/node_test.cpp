#include "search/node.h"

#include "game/gamemove.h"
#include "movegen/movegen_support.h"
#include "search/probe.h"
#include "search/transposition.h"
#include "searchsupport.h"


// The score of a mate counts the plies from the root; the table counts them from the node, so
// that the same position met at another ply (a transposition, or a later search) gives its own.
TEST(SearchNode, CheckmateAtAPlyScoresByThatPly) {
    SearchThread& thread = threadOnGame();
    // Node of depth 2 at ply 3 of a 5-ply iteration.
    asChildNode("rnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq -", 5);
    EXPECT_EQ(searchNode(thread, 2, -8100, 8099), -8097);
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), MatedCode);
    EXPECT_EQ(entryScore(*entry), -8100) << "mated right here";
    thread.iterationDepth = 7;   // the same node at ply 5
    EXPECT_EQ(searchNode(thread, 2, -8100, 8099), -8095);
    // White mates with its next move: at ply 1 that is mate at ply 2; met at ply 3, at ply 4.
    asChildNode("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -", 3);
    EXPECT_EQ(searchNode(thread, 2, -8100, 8099), 8098);
    thread.iterationDepth = 5;
    int alpha = -8100, beta = 8099, score = 0;
    ASSERT_TRUE(probeForNode(thread, currentFrame(thread), 2, alpha, beta, score));
    EXPECT_EQ(score, 8096);
    asChildNode("7k/5Q2/6K1/8/8/8/8/8 b - -", 5);
    EXPECT_EQ(searchNode(thread, 2, -8100, 8099), 0);
    ASSERT_NE(probedEntry(), nullptr);
    EXPECT_EQ(entryMove(*probedEntry()), StalemateCode);
}

TEST(SearchNode, QuietCutOffMovesBecomeKillersCapturesOnlyGainCounts) {
    SearchThread& thread = threadOnGame();
    // No captures for White: with beta far below, the first legal move cuts off.
    const char* quietOnly = "4k3/pppp4/8/8/8/8/PPPP4/4K3 w - -";
    asChildNode(quietOnly, 4);
    thread.frames.plies[1].killer1 = thread.frames.plies[1].killer2 = 0;
    searchNode(thread, 2, -8100, -8000);
    const Move first = thread.frames.plies[1].killer1;
    EXPECT_NE(first, 0);
    EXPECT_EQ(thread.frames.cutoffCounters[WHITE][first & 0xFFF], 4u);
    // The killer is tried first next time: the same cut-off changes nothing. (Set-up clears
    // the killers, so they are put back by hand.)
    asChildNode(quietOnly, 4);
    thread.frames.plies[1].killer1 = first;
    searchNode(thread, 2, -8100, -8000);
    EXPECT_EQ(thread.frames.plies[1].killer1, first);
    EXPECT_EQ(thread.frames.plies[1].killer2, 0);
    // A hash move goes before the killer: it becomes killer1 and pushes the old one down.
    asChildNode(quietOnly, 4);
    thread.frames.plies[1].killer1 = first;
    const Move other = moveOf(QUIET, "a2", "a3") == first ? moveOf(QUIET, "b2", "b3") : moveOf(QUIET, "a2", "a3");
    storeHash(game.position, 0, EXACT_BOUND, other, 0);
    searchNode(thread, 2, -8100, -8000);
    EXPECT_EQ(thread.frames.plies[1].killer1, other);
    EXPECT_EQ(thread.frames.plies[1].killer2, first);
    // A capture that cuts off: its counter grows by depth squared, the killers stay.
    asChildNode("4k3/8/8/3q4/4P3/8/8/4K3 w - -", 4);
    const Move capture = moveOf(CAPTURE, "e4", "d5");
    thread.frames.cutoffCounters[WHITE][capture & 0xFFF] = 0;
    thread.frames.plies[1].killer1 = thread.frames.plies[1].killer2 = 0;
    searchNode(thread, 3, -8100, -8000);
    EXPECT_EQ(thread.frames.cutoffCounters[WHITE][capture & 0xFFF], 9u);
    EXPECT_EQ(thread.frames.plies[1].killer1, 0);
}

TEST(SearchNode, StopReturnsAtOnceWithoutStoring) {
    SearchThread& thread = asChildNode("r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -", 6);
    stopFlag = 1;
    EXPECT_EQ(searchNode(thread, 5, -8100, 8099), NO_SCORE);   // nothing finished before the stop
    EXPECT_EQ(probedEntry(), nullptr);
    EXPECT_EQ(thread.frames.current, thread.frames.plies + 1);
    stopFlag = 0;
}

// A node's value is the best of its moves' values as each would get with the whole window: the
// moves after the first one that raised alpha are tried with a null window, and one that beats it
// must be searched again for its true value. Depth 2, so the children (depth 1) search their own
// moves with the whole window and give exact values to compare with.
TEST(SearchNode, ValueIsTheBestOfTheMovesSearchedWithTheWholeWindow) {
    SearchThread& thread = threadOnGame();
    const char* positions[] = {
        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -",
        "r2q1rk1/pp2bppp/2n1pn2/3p4/3P1B2/2NBPN2/PP3PPP/R2Q1RK1 b - -",
        "2r3k1/5ppp/p3p3/1p1pP3/3P4/P4N2/1P3PPP/2R3K1 w - -",
        "r4rk1/1b3ppp/p7/1p6/8/1B6/PP3PPP/R4RK1 b - -",
    };
    for (const char* fen : positions) {
        // Each legal move's value from the child position, searched on its own.
        setUpPosition(fen);
        std::vector<std::string> children;
        for (const ScoredMove& entry : generatedList(ALL_MOVES)) {
            setUpPosition(fen);
            if (!isLegalGameMove(entry.move)) continue;
            playGameMove(entry.move);
            children.push_back(currentPositionText());
        }
        int best = -8100;
        for (const std::string& child : children) {
            asChildNode(child.c_str(), 4);
            const int value = -searchNode(thread, 1, -8100, 8099);
            if (value > best) best = value;
        }
        asChildNode(fen, 4);
        EXPECT_EQ(searchNode(thread, 2, -8100, 8099), best) << fen;
    }
}
