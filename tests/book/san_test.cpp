#include "book/san.h"

#include <string>

#include "support.h"

namespace {


const char* const START_BLACK = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -";

TEST(San, PiecesAndPawnPushesFromTheInitialPosition) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const Move nf3 = moveOf(QUIET, "g1", "f3");
    EXPECT_EQ(parseSan("Nf3"), nf3);
    EXPECT_EQ(parseSan("Nxf3"), nf3);
    EXPECT_EQ(parseSan("Nf3!!"), nf3);
    EXPECT_EQ(parseSan("e4"), moveOf(QUIET, "e2", "e4"));   // e3 is empty: the double push
    EXPECT_EQ(parseSan("e3"), moveOf(QUIET, "e2", "e3"));
    EXPECT_EQ(parseSan("Ng1f3"), nf3);
    EXPECT_EQ(parseSan("g1f3"), nf3);
    EXPECT_EQ(parseSan("Qh5"), 0);       // the e2 pawn blocks the diagonal
    EXPECT_EQ(parseSan("Bc4"), 0);
    EXPECT_EQ(parseSan("e1"), 0);        // no square behind the first rank

    setUpPosition(START_BLACK);
    EXPECT_EQ(parseSan("e5"), moveOf(QUIET, "e7", "e5"));
    EXPECT_EQ(parseSan("Nc6"), moveOf(QUIET, "b8", "c6"));
    EXPECT_EQ(parseSan("e8"), 0);
}

TEST(San, OnlyTheFirstNineCharactersCount) {
    setUpPosition(INITIAL_POSITION_TEXT);
    // Cut after nine characters the text is "Nf3" and six question marks; the "Q" never counts.
    EXPECT_EQ(parseSan("Nf3??????Q"), moveOf(QUIET, "g1", "f3"));
    EXPECT_EQ(parseSan("Nf3?????Q"), 0);
}

TEST(San, SlidersFollowTheCurrentOccupancy) {
    setUpPosition("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -");
    EXPECT_EQ(parseSan("Bb5"), moveOf(QUIET, "f1", "b5"));
    EXPECT_EQ(parseSan("Qe2"), moveOf(QUIET, "d1", "e2"));
    EXPECT_EQ(parseSan("Nxe5"), moveOf(CAPTURE, "f3", "e5"));
    EXPECT_EQ(parseSan("Rg1"), moveOf(QUIET, "h1", "g1"));
    EXPECT_EQ(parseSan("Ke2"), moveOf(QUIET, "e1", "e2"));
    EXPECT_EQ(parseSan("Nd4"), moveOf(QUIET, "f3", "d4"));
    EXPECT_EQ(parseSan("Bd4"), 0);       // no bishop reaches d4
    EXPECT_EQ(parseSan("Pe5"), 0);       // no such piece letter
    EXPECT_EQ(parseSan("nf3"), 0);       // piece letters are upper case
}

TEST(San, AmbiguousMovesNeedTheOriginFileOrRank) {
    setUpPosition("4k3/8/8/8/8/5N2/8/RN2K2R w - -");
    EXPECT_EQ(parseSan("Nd2"), 0);
    EXPECT_EQ(parseSan("Nbd2"), moveOf(QUIET, "b1", "d2"));
    EXPECT_EQ(parseSan("Nfd2"), moveOf(QUIET, "f3", "d2"));
    EXPECT_EQ(parseSan("N1d2"), moveOf(QUIET, "b1", "d2"));
    EXPECT_EQ(parseSan("Ncd2"), 0);      // neither knight stands on the c-file
    EXPECT_EQ(parseSan("Nxd2"), 0);

    setUpPosition("R7/8/4k3/8/8/8/8/R3K3 w - -");
    EXPECT_EQ(parseSan("Ra4"), 0);
    EXPECT_EQ(parseSan("R1a4"), moveOf(QUIET, "a1", "a4"));
    EXPECT_EQ(parseSan("R8a4"), moveOf(QUIET, "a8", "a4"));
    EXPECT_EQ(parseSan("R9a4"), 0);
    EXPECT_EQ(parseSan("Ra8a4"), moveOf(QUIET, "a8", "a4"));
}

TEST(San, PawnCapturesPromotionsAndEnPassant) {
    setUpPosition("3r3k/4P3/8/2pPp3/3p4/8/8/4K3 w - c6");
    EXPECT_EQ(parseSan("dxc6"), moveOf(QUIET, "d5", "c6"));   // en passant reads as a plain move
    EXPECT_EQ(parseSan("d5c6"), moveOf(EN_PASSANT, "d5", "c6"));
    EXPECT_EQ(parseSan("e8=Q"), moveOf(PROMOTE_Q, "e7", "e8"));
    EXPECT_EQ(parseSan("e8n"), moveOf(PROMOTE_N, "e7", "e8"));
    EXPECT_EQ(parseSan("exd8=Q+"), moveOf(CAPTURE_PROMOTE_Q, "e7", "d8"));
    EXPECT_EQ(parseSan("exd8=R"), moveOf(CAPTURE_PROMOTE_R, "e7", "d8"));
    EXPECT_EQ(parseSan("e7d8b"), moveOf(CAPTURE_PROMOTE_B, "e7", "d8"));
    EXPECT_EQ(parseSan("ed6"), 0);       // no pawn on the e-file hits d6

    setUpPosition("4k3/8/8/2pPp3/3p4/4P3/8/4K3 b - -");
    EXPECT_EQ(parseSan("exd3"), 0);      // black's e-pawn is on e5 and cannot reach d3
    EXPECT_EQ(parseSan("dxe3+"), moveOf(CAPTURE, "d4", "e3"));
    EXPECT_EQ(parseSan("e4"), moveOf(QUIET, "e5", "e4"));
}

TEST(San, CastlingNeedsTheRightAndNoCastlingYet) {
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w Kq -");
    EXPECT_EQ(parseSan("O-O"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan("0-0+"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan("O-O-O"), 0);
    EXPECT_EQ(parseSan("e1g1"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan("e1c1"), moveOf(QUIET, "e1", "c1"));   // no right: an ordinary king move

    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R b Kq -");
    EXPECT_EQ(parseSan("O-O-O"), BLACK_LONG_CASTLING);
    EXPECT_EQ(parseSan("0-0-0"), BLACK_LONG_CASTLING);
    EXPECT_EQ(parseSan("O-O"), 0);
    EXPECT_EQ(parseSan("O-O-O-O"), 0);
}

TEST(San, TextsThatNameNoMove) {
    setUpPosition(INITIAL_POSITION_TEXT);
    for (const char* text : {"", "x", "N", "Nf", "Nf9", "Zf3", "i4", "e9", "++", "Nbz2", "Nf3e4g5", "1-0"})
        EXPECT_EQ(parseSan(text), 0) << text;
}

}  // namespace
