#include "search/quiescence.h"

#include "eval/evaluate.h"
#include "frames/frames.h"
#include "search/transposition.h"
#include "searchsupport.h"

namespace {

// Set up `fen` as a node one ply below a root, as searchNode hands it to the quiescence search.
void asChildNode(const char* fen, unsigned depth = 4) {
    setUpPosition(fen);
    plyFrames[0].listEnd = moveStack;
    currentFrame = plyFrames + 1;
    iterationDepth = depth;
}

// The static value, for the side to move, of the position after `move`.
int valueAfter(Move move) {
    saveUndo(currentFrame->undo);
    makeMove(move, currentFrame->undo);
    const int value = evaluate();
    unmakeMove(move, currentFrame->undo);
    return value;
}

}  // namespace

TEST(Quiescence, StandsPatAtOrAboveBetaWithoutStoring) {
    asChildNode("4k3/8/8/3p4/4P3/8/8/Q3K3 w - -");
    const int standPat = evaluate();
    EXPECT_EQ(quiescence(0, standPat - 100, standPat), standPat);
    EXPECT_EQ(probedEntry(), nullptr);
    EXPECT_EQ(currentFrame, plyFrames + 1);
}

TEST(Quiescence, MatedInCheckScoresByPlyAndStoresTheCode) {
    asChildNode("rnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq -", 6);
    EXPECT_EQ(quiescence(0, -8100, 8099), -8094);
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), MatedCode);
    EXPECT_EQ(entryScore(*entry), -8100) << "the table counts a mate from its node";
    EXPECT_EQ(entryBound(*entry), EXACT_BOUND);
}

TEST(Quiescence, InCheckEveryEvasionIsTriedAndTheResultStoredAtDepthOne) {
    // No standing pat, and no capture to try: the king's steps are searched.
    asChildNode("4k3/8/8/8/8/8/8/r3K3 w - -");
    const int score = quiescence(0, -8100, 8099);
    EXPECT_LT(score, -300);
    EXPECT_GT(score, -800);
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryDepth(*entry), 1);
}

TEST(Quiescence, CaptureLeavingNoMatingMaterialScoresZero) {
    // White's knight takes the last rook: king and knight against king is a draw.
    asChildNode("4k3/8/8/3r4/8/4N3/8/4K3 w - -");
    ASSERT_LT(evaluate(), 0);
    EXPECT_EQ(quiescence(0, -8100, 8099), 0);
}

TEST(Quiescence, AtTheFloorCapturesAreValuedStaticallyNotAnswered) {
    // Rxd7 is answered by Rxd7 when searched; at the floor only the position after it counts.
    const char* fen = "3rk3/3r4/8/8/8/8/8/3RK3 w - -";
    asChildNode(fen);
    const int afterCapture = -valueAfter(moveOf(CAPTURE, "d1", "d7"));
    EXPECT_EQ(quiescence(QUIESCENCE_FLOOR, -8100, 8099), afterCapture);
    asChildNode(fen);
    EXPECT_LT(quiescence(0, -8100, 8099), afterCapture - 300);
}

TEST(Quiescence, CutOffMakesTheCaptureAKiller) {
    asChildNode("4k3/8/8/3q4/4P3/8/8/4K3 w - -");
    plyFrames[1].killer1 = moveOf(QUIET, "a2", "a3");
    plyFrames[1].killer2 = 0;
    const int standPat = evaluate();
    // The pawn takes the queen: far above a beta just over the stand-pat score.
    EXPECT_GT(quiescence(0, standPat, standPat + 1), standPat + 500);
    EXPECT_EQ(plyFrames[1].killer1, moveOf(CAPTURE, "e4", "d5"));
    EXPECT_EQ(plyFrames[1].killer2, moveOf(QUIET, "a2", "a3"));
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryBound(*entry), LOWER_BOUND);
    EXPECT_EQ(entryDepth(*entry), 0);
}

TEST(Quiescence, ExactEntryOfAnyDepthEndsTheNodeButABookEntryOnlyGivesItsMove) {
    asChildNode("4k3/8/8/3p4/4P3/8/8/4K3 w - -");
    storeHash(0, EXACT_BOUND, moveOf(CAPTURE, "e4", "d5"), 77);
    EXPECT_EQ(quiescence(0, -8100, 8099), 77);
    // A book entry reads as exact -8190; it must not be taken for a search result.
    asChildNode("4k3/8/8/3p4/4P3/8/8/4K3 w - -");
    storeBookEntry(moveOf(CAPTURE, "e4", "d5"));
    const int score = quiescence(0, -8100, 8099);
    EXPECT_GT(score, -1000);
    EXPECT_EQ(plyFrames[1].hashMove, moveOf(CAPTURE, "e4", "d5"));
}
