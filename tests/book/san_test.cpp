#include "book/san.h"

#include <string>

#include "support.h"

namespace {


const char* const START_BLACK = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -";

TEST(San, PiecesAndPawnPushesFromTheInitialPosition) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const Move nf3 = moveOf(QUIET, "g1", "f3");
    EXPECT_EQ(parseSan(game.position, "Nf3"), nf3);
    EXPECT_EQ(parseSan(game.position, "Nxf3"), nf3);
    EXPECT_EQ(parseSan(game.position, "Nf3!!"), nf3);
    EXPECT_EQ(parseSan(game.position, "e4"), moveOf(QUIET, "e2", "e4"));   // e3 is empty: the double push
    EXPECT_EQ(parseSan(game.position, "e3"), moveOf(QUIET, "e2", "e3"));
    EXPECT_EQ(parseSan(game.position, "Ng1f3"), nf3);
    EXPECT_EQ(parseSan(game.position, "g1f3"), nf3);
    EXPECT_EQ(parseSan(game.position, "Qh5"), 0);       // the e2 pawn blocks the diagonal
    EXPECT_EQ(parseSan(game.position, "Bc4"), 0);
    EXPECT_EQ(parseSan(game.position, "e1"), 0);        // no square behind the first rank

    setUpPosition(START_BLACK);
    EXPECT_EQ(parseSan(game.position, "e5"), moveOf(QUIET, "e7", "e5"));
    EXPECT_EQ(parseSan(game.position, "Nc6"), moveOf(QUIET, "b8", "c6"));
    EXPECT_EQ(parseSan(game.position, "e8"), 0);
}

TEST(San, OnlyTheFirstNineCharactersCount) {
    setUpPosition(INITIAL_POSITION_TEXT);
    // Cut after nine characters the text is "Nf3" and six question marks; the "Q" never counts.
    EXPECT_EQ(parseSan(game.position, "Nf3??????Q"), moveOf(QUIET, "g1", "f3"));
    EXPECT_EQ(parseSan(game.position, "Nf3?????Q"), 0);
}

TEST(San, SlidersFollowTheCurrentOccupancy) {
    setUpPosition("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -");
    EXPECT_EQ(parseSan(game.position, "Bb5"), moveOf(QUIET, "f1", "b5"));
    EXPECT_EQ(parseSan(game.position, "Qe2"), moveOf(QUIET, "d1", "e2"));
    EXPECT_EQ(parseSan(game.position, "Nxe5"), moveOf(CAPTURE, "f3", "e5"));
    EXPECT_EQ(parseSan(game.position, "Rg1"), moveOf(QUIET, "h1", "g1"));
    EXPECT_EQ(parseSan(game.position, "Ke2"), moveOf(QUIET, "e1", "e2"));
    EXPECT_EQ(parseSan(game.position, "Nd4"), moveOf(QUIET, "f3", "d4"));
    EXPECT_EQ(parseSan(game.position, "Bd4"), 0);       // no bishop reaches d4
    EXPECT_EQ(parseSan(game.position, "Pe5"), 0);       // no such piece letter
    EXPECT_EQ(parseSan(game.position, "nf3"), 0);       // piece letters are upper case
}

TEST(San, AmbiguousMovesNeedTheOriginFileOrRank) {
    setUpPosition("4k3/8/8/8/8/5N2/8/RN2K2R w - -");
    EXPECT_EQ(parseSan(game.position, "Nd2"), 0);
    EXPECT_EQ(parseSan(game.position, "Nbd2"), moveOf(QUIET, "b1", "d2"));
    EXPECT_EQ(parseSan(game.position, "Nfd2"), moveOf(QUIET, "f3", "d2"));
    EXPECT_EQ(parseSan(game.position, "N1d2"), moveOf(QUIET, "b1", "d2"));
    EXPECT_EQ(parseSan(game.position, "Ncd2"), 0);      // neither knight stands on the c-file
    EXPECT_EQ(parseSan(game.position, "Nxd2"), 0);

    setUpPosition("R7/8/4k3/8/8/8/8/R3K3 w - -");
    EXPECT_EQ(parseSan(game.position, "Ra4"), 0);
    EXPECT_EQ(parseSan(game.position, "R1a4"), moveOf(QUIET, "a1", "a4"));
    EXPECT_EQ(parseSan(game.position, "R8a4"), moveOf(QUIET, "a8", "a4"));
    EXPECT_EQ(parseSan(game.position, "R9a4"), 0);
    EXPECT_EQ(parseSan(game.position, "Ra8a4"), moveOf(QUIET, "a8", "a4"));
}

TEST(San, PawnCapturesPromotionsAndEnPassant) {
    setUpPosition("3r3k/4P3/8/2pPp3/3p4/8/8/4K3 w - c6");
    EXPECT_EQ(parseSan(game.position, "dxc6"), moveOf(QUIET, "d5", "c6"));   // en passant reads as a plain move
    EXPECT_EQ(parseSan(game.position, "d5c6"), moveOf(EN_PASSANT, "d5", "c6"));
    EXPECT_EQ(parseSan(game.position, "e8=Q"), moveOf(PROMOTE_Q, "e7", "e8"));
    EXPECT_EQ(parseSan(game.position, "e8n"), moveOf(PROMOTE_N, "e7", "e8"));
    EXPECT_EQ(parseSan(game.position, "exd8=Q+"), moveOf(CAPTURE_PROMOTE_Q, "e7", "d8"));
    EXPECT_EQ(parseSan(game.position, "exd8=R"), moveOf(CAPTURE_PROMOTE_R, "e7", "d8"));
    EXPECT_EQ(parseSan(game.position, "e7d8b"), moveOf(CAPTURE_PROMOTE_B, "e7", "d8"));
    EXPECT_EQ(parseSan(game.position, "ed6"), 0);       // no pawn on the e-file hits d6

    setUpPosition("4k3/8/8/2pPp3/3p4/4P3/8/4K3 b - -");
    EXPECT_EQ(parseSan(game.position, "exd3"), 0);      // black's e-pawn is on e5 and cannot reach d3
    EXPECT_EQ(parseSan(game.position, "dxe3+"), moveOf(CAPTURE, "d4", "e3"));
    EXPECT_EQ(parseSan(game.position, "e4"), moveOf(QUIET, "e5", "e4"));
}

TEST(San, CastlingNeedsTheRightAndNoCastlingYet) {
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w Kq -");
    EXPECT_EQ(parseSan(game.position, "O-O"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan(game.position, "0-0+"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan(game.position, "O-O-O"), 0);
    EXPECT_EQ(parseSan(game.position, "e1g1"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(parseSan(game.position, "e1c1"), moveOf(QUIET, "e1", "c1"));   // no right: an ordinary king move

    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R b Kq -");
    EXPECT_EQ(parseSan(game.position, "O-O-O"), BLACK_LONG_CASTLING);
    EXPECT_EQ(parseSan(game.position, "0-0-0"), BLACK_LONG_CASTLING);
    EXPECT_EQ(parseSan(game.position, "O-O"), 0);
    EXPECT_EQ(parseSan(game.position, "O-O-O-O"), 0);
}

TEST(San, TextsThatNameNoMove) {
    setUpPosition(INITIAL_POSITION_TEXT);
    for (const char* text : {"", "x", "N", "Nf", "Nf9", "Zf3", "i4", "e9", "++", "Nbz2", "Nf3e4g5", "1-0"})
        EXPECT_EQ(parseSan(game.position, text), 0) << text;
}

}  // namespace
