#include "board/checks.h"

#include "board/makemove.h"
#include "movegen/checkers.h"
#include "support.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* name : names) b |= squareMask[squareOf(name)];
    return b;
}

bool castlingRefused(const char* fen, Move castling, Variant variant = NORMAL_CHESS) {
    setUpPosition(fen, variant);
    const int side = game.position.sideToMove;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, castling, handFrame->undo);
    const bool refused = leavesKingAttacked(game.position, castling, side);
    unmakeMove(game, castling, handFrame->undo);
    return refused;
}

}  // namespace

TEST(Checks, CheckersAndKingRays) {
    // A queen on h5 checks the king on e8 along the diagonal: the rook rays are cleared.
    setUpPosition("4k3/8/8/7Q/8/8/8/4K3 b - -");
    PlyFrame& frame = handFrames[0];
    frame.kingRookRays = ~Bitboard(0);
    findCheckers(game.position, frame);
    EXPECT_EQ(frame.checkers, squares({"h5"}));
    EXPECT_EQ(frame.kingRookRays, 0u);
    EXPECT_TRUE(frame.kingBishopRays & squares({"h5"}));

    // A rook on the open e-file.
    setUpPosition("4k3/8/8/8/8/8/8/K3R3 b - -");
    findCheckers(game.position, frame);
    EXPECT_EQ(frame.checkers, squares({"e1"}));
    EXPECT_TRUE(frame.kingRookRays & squares({"e1"}));

    // Double check by knight and bishop; a pawn check.
    setUpPosition("4k3/8/3N4/1B6/8/8/8/4K3 b - -");
    findCheckers(game.position, frame);
    EXPECT_EQ(frame.checkers, squares({"d6", "b5"}));
    setUpPosition("4k3/8/8/8/8/8/3p4/4K3 w - -");
    findCheckers(game.position, frame);
    EXPECT_EQ(frame.checkers, squares({"d2"}));
    setUpPosition(INITIAL_POSITION_TEXT);
    findCheckers(game.position, frame);
    EXPECT_EQ(frame.checkers, 0u);
}

TEST(Checks, CastlingThroughAttackedSquares) {
    EXPECT_FALSE(castlingRefused("4k3/8/8/8/8/8/8/4K2R w K -", WHITE_SHORT_CASTLING));
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/2b5/8/8/4K2R w K -", WHITE_SHORT_CASTLING));   // f1 attacked
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/8/r3K2R w K -", WHITE_SHORT_CASTLING));    // e1 attacked
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/7n/4K2R w K -", WHITE_SHORT_CASTLING));    // g1 attacked
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/8/R3K1r1 w Q -", WHITE_LONG_CASTLING));    // e1 attacked
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/4n3/R3K3 w Q -", WHITE_LONG_CASTLING));    // c1, d1 attacked
    EXPECT_FALSE(castlingRefused("4k3/8/8/8/8/n7/8/R3K3 w Q -", WHITE_LONG_CASTLING));   // only b1 attacked
    EXPECT_TRUE(castlingRefused("r3k3/8/8/8/8/8/8/3RK3 b q -", BLACK_LONG_CASTLING));     // d8 attacked
    EXPECT_FALSE(castlingRefused("r3k2r/8/8/8/8/8/8/1R2K3 b kq -", BLACK_LONG_CASTLING)); // only b8 attacked
    EXPECT_TRUE(castlingRefused("4k2r/8/8/8/8/8/8/4K1R1 b k -", BLACK_SHORT_CASTLING));   // g8 attacked

    // Chess960: every square the king crosses counts, and the rank as it stood before the castling.
    const Move b1g1 = moveOf(CASTLE_WHITE_SHORT, "b1", "g1"), b1a1 = moveOf(CASTLE_WHITE_LONG, "b1", "a1");
    EXPECT_TRUE(castlingRefused("4k3/8/8/b7/8/8/8/1K4R1 w G -", b1g1, CHESS960));        // e1 attacked
    EXPECT_FALSE(castlingRefused("r3k3/8/8/8/8/8/8/1K4R1 w G -", b1g1, CHESS960));       // only a1 attacked
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/8/RK5r w A -", b1a1, CHESS960));  // in check; the rook would shield
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/8/qR3K2 w B -", moveOf(CASTLE_WHITE_LONG, "f1", "b1"), CHESS960));
    EXPECT_FALSE(castlingRefused("4k2r/8/8/8/8/8/8/6KR w H -", moveOf(CASTLE_WHITE_SHORT, "g1", "h1"), CHESS960));
    EXPECT_TRUE(castlingRefused("4k3/8/8/8/8/8/8/r5KR w H -", moveOf(CASTLE_WHITE_SHORT, "g1", "h1"), CHESS960));
}

TEST(Checks, MovesIntoOrOutOfCheck) {
    // The pinned knight may not leave the e-file.
    setUpPosition("4r1k1/8/8/8/8/8/4N3/4K3 w - -");
    Move knightMove = encodeMove(QUIET, squareOf("e2"), squareOf("c3"));
    saveUndo(game.position, handFrame->undo);
    makeMove(game, knightMove, handFrame->undo);
    EXPECT_TRUE(leavesKingAttacked(game.position, knightMove, WHITE));
    unmakeMove(game, knightMove, handFrame->undo);
    Move kingMove = encodeMove(QUIET, squareOf("e1"), squareOf("d1"));
    saveUndo(game.position, handFrame->undo);
    makeMove(game, kingMove, handFrame->undo);
    EXPECT_FALSE(leavesKingAttacked(game.position, kingMove, WHITE));
    unmakeMove(game, kingMove, handFrame->undo);
}
