#include "search/quiescence.h"

#include "eval/evaluate.h"
#include "frames/frames.h"
#include "search/transposition.h"
#include "searchsupport.h"

namespace {

// The static value, for the side to move, of the position after `move`.
int valueAfter(Move move) {
    saveUndo(game.position, handFrame->undo);
    makeMove(game, move, handFrame->undo);
    const int value = evaluate(game.position);
    unmakeMove(game, move, handFrame->undo);
    return value;
}

}  // namespace

TEST(Quiescence, StandsPatAtOrAboveBetaWithoutStoring) {
    SearchThread& thread = asChildNode("4k3/8/8/3p4/4P3/8/8/Q3K3 w - -");
    const int standPat = evaluate(game.position);
    EXPECT_EQ(quiescence(thread, 0, standPat - 100, standPat), standPat);
    EXPECT_EQ(probedEntry(), nullptr);
    EXPECT_EQ(thread.frames.current, thread.frames.plies + 1);
}

TEST(Quiescence, MatedInCheckScoresByPlyAndStoresTheCode) {
    SearchThread& thread = asChildNode("rnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq -", 6);
    EXPECT_EQ(quiescence(thread, 0, -8100, 8099), -8094);
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), MatedCode);
    EXPECT_EQ(entryScore(*entry), -8100) << "the table counts a mate from its node";
    EXPECT_EQ(entryBound(*entry), EXACT_BOUND);
}

TEST(Quiescence, InCheckEveryEvasionIsTriedAndTheResultStoredAtDepthOne) {
    // No standing pat, and no capture to try: the king's steps are searched.
    SearchThread& thread = asChildNode("4k3/8/8/8/8/8/8/r3K3 w - -");
    const int score = quiescence(thread, 0, -8100, 8099);
    EXPECT_LT(score, -300);
    EXPECT_GT(score, -800);
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryDepth(*entry), 1);
}

TEST(Quiescence, CaptureLeavingNoMatingMaterialScoresZero) {
    // White's knight takes the last rook: king and knight against king is a draw.
    SearchThread& thread = asChildNode("4k3/8/8/3r4/8/4N3/8/4K3 w - -");
    ASSERT_LT(evaluate(game.position), 0);
    EXPECT_EQ(quiescence(thread, 0, -8100, 8099), 0);
}

TEST(Quiescence, AtTheFloorCapturesAreValuedStaticallyNotAnswered) {
    // Rxd7 is answered by Rxd7 when searched; at the floor only the position after it counts.
    const char* fen = "3rk3/3r4/8/8/8/8/8/3RK3 w - -";
    SearchThread& thread = asChildNode(fen);
    const int afterCapture = -valueAfter(moveOf(CAPTURE, "d1", "d7"));
    EXPECT_EQ(quiescence(thread, QUIESCENCE_FLOOR, -8100, 8099), afterCapture);
    asChildNode(fen);
    EXPECT_LT(quiescence(thread, 0, -8100, 8099), afterCapture - 300);
}

TEST(Quiescence, CutOffMakesTheCaptureAKiller) {
    SearchThread& thread = asChildNode("4k3/8/8/3q4/4P3/8/8/4K3 w - -");
    thread.frames.plies[1].killer1 = moveOf(QUIET, "a2", "a3");
    thread.frames.plies[1].killer2 = 0;
    const int standPat = evaluate(game.position);
    // The pawn takes the queen: far above a beta just over the stand-pat score.
    EXPECT_GT(quiescence(thread, 0, standPat, standPat + 1), standPat + 500);
    EXPECT_EQ(thread.frames.plies[1].killer1, moveOf(CAPTURE, "e4", "d5"));
    EXPECT_EQ(thread.frames.plies[1].killer2, moveOf(QUIET, "a2", "a3"));
    const HashEntry* entry = probedEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryBound(*entry), LOWER_BOUND);
    EXPECT_EQ(entryDepth(*entry), 0);
}

TEST(Quiescence, ExactEntryOfAnyDepthEndsTheNodeButABookEntryOnlyGivesItsMove) {
    SearchThread& thread = asChildNode("4k3/8/8/3p4/4P3/8/8/4K3 w - -");
    storeHash(game.position, 0, EXACT_BOUND, moveOf(CAPTURE, "e4", "d5"), 77);
    EXPECT_EQ(quiescence(thread, 0, -8100, 8099), 77);
    // A book entry reads as exact -8190; it must not be taken for a search result.
    asChildNode("4k3/8/8/3p4/4P3/8/8/4K3 w - -");
    storeBookEntry(game.position, moveOf(CAPTURE, "e4", "d5"));
    const int score = quiescence(thread, 0, -8100, 8099);
    EXPECT_GT(score, -1000);
    EXPECT_EQ(thread.frames.plies[1].hashMove, moveOf(CAPTURE, "e4", "d5"));
}
