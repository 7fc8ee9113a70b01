#include "movegen/exchange.h"

#include "movegen_support.h"

namespace {

// The exchange score of the side to move's piece on `from` going to `to`, with the sliders the
// generators pass.
int exchange(const char* from, const char* to) {
    const Position& p = position;
    const Bitboard rookSliders = p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    const Bitboard bishopSliders = p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    return staticExchange(p.board[squareOf(from)], squareOf(from), squareOf(to), rookSliders, bishopSliders);
}

}  // namespace

TEST(StaticExchange, UndefendedVictimIsWonWithItsSquareValue) {
    setUpPosition("4k3/8/8/3p4/8/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), 100 - 9500 + pst(WKNIGHT, "d5") - pst(WKNIGHT, "e3") + pst(BPAWN, "d5"));

    // A king taking an undefended pawn, and one taking a defended knight.
    setUpPosition("4k3/8/8/8/8/8/4p3/4K3 w - -");
    EXPECT_EQ(exchange("e1", "e2"), 100 - 9500 + pst(WKING, "e2") - pst(WKING, "e1") + pst(BPAWN, "e2"));
    setUpPosition("4k3/8/8/b7/8/8/3n4/4K3 w - -");
    EXPECT_EQ(exchange("e1", "d2"), -32767);
}

TEST(StaticExchange, OpponentCutOffWhenTheRecaptureWinsClearly) {
    setUpPosition("4k3/8/2p5/3p4/8/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), -30160 + pst(WKNIGHT, "d5") - pst(WKNIGHT, "e3"));
    setUpPosition("4k3/8/2p5/3r4/8/8/8/3QK3 w - -");
    EXPECT_EQ(exchange("d1", "d5"), -30390 + pst(WQUEEN, "d5") - pst(WQUEEN, "d1"));
}

TEST(StaticExchange, RookBehindTheMoverJoinsTheExchange) {
    // Rxd5, Bxd5, Rxd5: the rook on d1 stands behind the first and wins the bishop back.
    setUpPosition("4k3/5b2/8/3n4/8/8/3R4/3RK3 w - -");
    EXPECT_EQ(exchange("d2", "d5"), 125 - 9500 + pst(WROOK, "d5") - pst(WROOK, "d2") + pst(BKNIGHT, "d5"));
    // Without it the rook is lost for the knight.
    setUpPosition("4k3/5b2/8/3n4/8/8/3R4/4K3 w - -");
    EXPECT_EQ(exchange("d2", "d5"), -190 - 30000 + pst(WROOK, "d5") - pst(WROOK, "d2"));
}

TEST(StaticExchange, EvenTradeSitsJustAboveTheQuietMoves) {
    // Nxd5 Nxd5 exd5 Nxd5: pawn for pawn, knight for knight.
    setUpPosition("4k3/8/1n3n2/3p4/4P3/4N3/8/4K3 w - -");
    EXPECT_EQ(exchange("e3", "d5"), -29985 + pst(WKNIGHT, "d5") - pst(WKNIGHT, "e3"));
    EXPECT_FALSE(contains(generatedList(CAPTURES), moveOf(CAPTURE, "e3", "d5")));
}

TEST(StaticExchange, PushToThePromotionRankCountsTheNewQueen) {
    setUpPosition("4k3/1P6/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(exchange("b7", "b8"), -8700 + pst(WQUEEN, "b8") - pst(WPAWN, "b7"));
    // Black's square values are read at the square itself, not mirrored.
    setUpPosition("4k3/8/8/8/8/8/6p1/4K3 b - -");
    EXPECT_EQ(exchange("g2", "g1"), -8700 + pst(BQUEEN, "g1") - pst(BPAWN, "g2"));
}
