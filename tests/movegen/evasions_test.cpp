#include "movegen/evasions.h"

#include "movegen_support.h"

TEST(Evasions, DoubleCheckLeavesOnlyKingMoves) {
    // Rook e8 and knight f3 both check; the bishop could take the knight but that is no answer.
    setUpPosition("4r1k1/8/8/8/8/5n2/6B1/R3K2R w KQ -");
    const auto list = generatedList(ALL_MOVES);
    ASSERT_FALSE(list.empty());
    for (const ScoredMove& entry : list) EXPECT_EQ(moveFrom(entry.move), squareOf("e1"));
}

TEST(Evasions, KnightCheckIsTakenOrAvoidedNeverBlocked) {
    setUpPosition("4k3/8/8/8/8/3n4/8/3RK2R w K -");
    const auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(entryOf(list, moveOf(CAPTURE, "d1", "d3")).score, 310 - 500 - 9500);
    for (const ScoredMove& entry : list)
        EXPECT_TRUE(moveFrom(entry.move) == squareOf("e1") || moveTo(entry.move) == squareOf("d3"));
    EXPECT_FALSE(contains(list, WHITE_SHORT_CASTLING));
}

TEST(Evasions, SliderCheckIsBlockedButTheKingDoesNotWalkAlongTheLine) {
    setUpPosition("r6k/8/8/8/8/8/8/K1B5 w - -");
    const auto list = generatedList(ALL_MOVES);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].move, moveOf(QUIET, "c1", "a3"));
    EXPECT_EQ(list[0].score, -30315);
    EXPECT_EQ(list[1].move, moveOf(QUIET, "a1", "b1"));
    EXPECT_EQ(list[2].move, moveOf(QUIET, "a1", "b2"));
}

TEST(Evasions, AdjacentQueenIsTakenByTheKingOnlyWhenUndefended) {
    setUpPosition("4k3/8/8/8/8/8/3q4/4K3 w - -");
    EXPECT_EQ(entryOf(generatedList(ALL_MOVES), moveOf(CAPTURE, "e1", "d2")).score,
              940 - 9500 + pst(WKING, "d2") - pst(WKING, "e1") + pst(BQUEEN, "d2"));
    setUpPosition("4k3/8/8/8/8/2p5/3q4/4K3 w - -");
    EXPECT_EQ(entryOf(generatedList(ALL_MOVES), moveOf(CAPTURE, "e1", "d2")).score, -32767);
}

TEST(Evasions, CheckingPawnIsTakenEnPassantFirst) {
    setUpPosition("4k3/8/8/2pP4/1K6/8/8/8 w - c6");
    auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[0].move, moveOf(EN_PASSANT, "d5", "c6"));
    EXPECT_EQ(list[0].score, -9500);
    setUpPosition("8/8/8/4k3/3Pp3/8/8/4K3 b - d3");
    list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[0].move, moveOf(EN_PASSANT, "e4", "d3"));
}

TEST(Evasions, CapturesOfTheCheckerAreScoredAtFaceValue) {
    // Knight and queen take the checking pawn; the knight is pinned but its capture is listed.
    setUpPosition("k3r3/8/8/8/4N2Q/8/5p2/4K3 w - -");
    auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[0].move, moveOf(CAPTURE, "e4", "f2"));
    EXPECT_EQ(list[0].score, 100 - 310 - 9500);
    EXPECT_EQ(list[1].move, moveOf(CAPTURE, "h4", "f2"));
    EXPECT_EQ(list[1].score, -10340);

    // A pawn taking the checker on the last rank promotes, in the usual four entries.
    setUpPosition("3r3k/2P5/8/8/8/8/8/3K4 w - -");
    list = generatedList(ALL_MOVES);
    const int scores[4] = {500 - 9401, 500 - 30005, 500 - 30025, 500 - 30050};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list[i].move, moveOf(CAPTURE_PROMOTE_Q + i, "c7", "d8"));
        EXPECT_EQ(list[i].score, scores[i]);
    }
    EXPECT_FALSE(contains(list, moveOf(QUIET, "d1", "d2")));
}
