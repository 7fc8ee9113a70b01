#include "movegen/exchange.h"

#include "movegen_support.h"

namespace {

// The exchange score of the side to move's piece on `from` going to `to`, with the sliders the
// generators pass.
int exchange(const char* from, const char* to) {
    const Position& p = game.position;
    const Bitboard rookSliders = p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    const Bitboard bishopSliders = p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    return staticExchange(game.position, p.board[squareOf(from)], squareOf(from), squareOf(to), rookSliders, bishopSliders);
}

// What the moving piece's square values change when it goes from `from` to `to`.
int squareChange(const char* from, const char* to) {
    const int code = game.position.board[squareOf(from)];
    return pst(code, to) - pst(code, from);
}

// The scores of the evaluator's three outcomes for the piece on `from` taking on `to`: a gain
// of `gain` (the victim's square value counts), an even trade, and a loss of `loss`.
int gainScore(int gain, const char* from, const char* to) {
    const int victim = game.position.board[squareOf(to)];
    return gain - 9500 + squareChange(from, to) + (victim ? pst(victim, to) : 0);
}

int evenScore(const char* from, const char* to) { return -29985 + squareChange(from, to); }

int lossScore(int loss, const char* from, const char* to) { return -30000 - loss + squareChange(from, to); }

}  // namespace

TEST(StaticExchange, UndefendedVictimIsWonWithItsSquareValue) {
    setUpPosition("4k3/8/8/3p4/8/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), gainScore(100, "e3", "d5"));

    // A king taking an undefended pawn, and one taking a defended knight.
    setUpPosition("4k3/8/8/8/8/8/4p3/4K3 w - -");
    EXPECT_EQ(exchange("e1", "e2"), gainScore(100, "e1", "e2"));
    setUpPosition("4k3/8/8/b7/8/8/3n4/4K3 w - -");
    EXPECT_EQ(exchange("e1", "d2"), -32767);
}

// A recapture that wins clearly even if the recapturing piece is lost ends the count there: the
// loss is the attacker less the victim and half the recapturer, without looking further.
TEST(StaticExchange, OpponentCutOffWhenTheRecaptureWinsClearly) {
    setUpPosition("4k3/8/2p5/3p4/8/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), lossScore(310 - 100 - 50, "e3", "d5"));   // Nxd5 cxd5
    setUpPosition("4k3/8/2p5/3r4/8/8/8/3QK3 w - -");
    EXPECT_EQ(exchange("d1", "d5"), lossScore(940 - 500 - 50, "d1", "d5"));   // Qxd5 cxd5
}

TEST(StaticExchange, RookBehindTheMoverJoinsTheExchange) {
    // Rxd5, Bxd5, Rxd5: the rook on d1 stands behind the first and wins the bishop back.
    setUpPosition("4k3/5b2/8/3n4/8/8/3R4/3RK3 w - -");
    EXPECT_EQ(exchange("d2", "d5"), gainScore(310 - 500 + 315, "d2", "d5"));
    // Without it the rook is lost for the knight.
    setUpPosition("4k3/5b2/8/3n4/8/8/3R4/4K3 w - -");
    EXPECT_EQ(exchange("d2", "d5"), lossScore(500 - 310, "d2", "d5"));
}

// A queen that has just recaptured uncovers the slider behind it, on a file as on a diagonal.
TEST(StaticExchange, SliderBehindARecapturingQueenJoinsTheExchange) {
    // Rxd5 Qxd5 Rxd5 Rxd5: the rook behind the black queen takes back; White keeps 40 by
    // stopping after the queen is taken, since the pawn and the queen for two rooks is +40.
    setUpPosition("3rk3/3q4/8/3p4/8/8/3R4/3RK3 w - -");
    EXPECT_EQ(exchange("d2", "d5"), gainScore(100 - 500 + 940 - 500, "d2", "d5"));
    // Bxd5 Qxd5 Qxd5 Bxd5: the bishop behind the black queen wins White's queen back, so
    // White stops after ...Qxd5 and has given a bishop for a pawn.
    setUpPosition("4k3/1b6/2q5/3p4/8/5B2/6Q1/4K3 w - -");
    EXPECT_EQ(exchange("f3", "d5"), lossScore(315 - 100, "f3", "d5"));
}

TEST(StaticExchange, EvenTradeSitsJustAboveTheQuietMoves) {
    // Nxd5 Nxd5 exd5 Nxd5: pawn for pawn, knight for knight.
    setUpPosition("4k3/8/1n3n2/3p4/4P3/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), evenScore("e3", "d5"));
    EXPECT_FALSE(contains(generatedList(CAPTURES), moveOf(CAPTURE, "e3", "d5")));
}

// Reaching the last rank gains 800 (a queen for the pawn, in the evaluator's round figure) and
// the new queen's square value.
TEST(StaticExchange, PushToThePromotionRankCountsTheNewQueen) {
    setUpPosition("4k3/1P6/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(exchange("b7", "b8"), 800 - 9500 + pst(WQUEEN, "b8") - pst(WPAWN, "b7"));
    // Black's square values are read at the square itself, not mirrored.
    setUpPosition("4k3/8/8/8/8/8/6p1/4K3 b - -");
    EXPECT_EQ(exchange("g2", "g1"), 800 - 9500 + pst(BQUEEN, "g1") - pst(BPAWN, "g2"));
}
