#include "movegen/legality.h"

#include "board/makemove.h"
#include "movegen_support.h"

TEST(Legality, AcceptsPlayableMovesAndRefusesTheRest) {
    // The knight on e2 is pinned by the rook on e8; f1 is attacked by the bishop on h3.
    setUpPosition("4r1k1/8/8/8/8/7b/4N3/R3K2R w KQ -");
    EXPECT_TRUE(isLegalMove(game, WHITE_LONG_CASTLING));
    EXPECT_FALSE(isLegalMove(game, WHITE_SHORT_CASTLING));
    EXPECT_FALSE(isLegalMove(game, moveOf(QUIET, "e2", "c3")));
    EXPECT_TRUE(isLegalMove(game, moveOf(QUIET, "a1", "a7")));
    EXPECT_FALSE(isLegalMove(game, moveOf(CAPTURE, "a1", "a7")));   // the type must match too
    EXPECT_FALSE(isLegalMove(game, moveOf(QUIET, "a1", "b2")));
    EXPECT_FALSE(isLegalMove(game, 0));

    // In check only evasions count, and the promotion piece is part of the move.
    setUpPosition("3r3k/2P5/8/8/8/8/8/3K4 w - -");
    EXPECT_TRUE(isLegalMove(game, moveOf(CAPTURE_PROMOTE_N, "c7", "d8")));
    EXPECT_FALSE(isLegalMove(game, moveOf(PROMOTE_Q, "c7", "c8")));
    EXPECT_FALSE(isLegalMove(game, moveOf(QUIET, "d1", "d2")));
}

TEST(Legality, LeavesPositionAndHistoryAlone) {
    // The position right after Black castled long.
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, BLACK_LONG_CASTLING, handFrame->undo);
    const Position before = game.position;
    const PlyRecord* top = game.top;
    const PlyRecord above = game.top[1];
    const UndoRecord undo = handFrame->undo;

    EXPECT_TRUE(isLegalMove(game, WHITE_SHORT_CASTLING));
    EXPECT_TRUE(samePosition(before, game.position));
    EXPECT_EQ(game.top, top);
    EXPECT_EQ(game.top[1].key, above.key);
    EXPECT_EQ(handFrame->undo.hashKey, undo.hashKey);
    EXPECT_EQ(handFrame->undo.occupiedMover, undo.occupiedMover);
    EXPECT_EQ(handFrame->undo.castleFlags, undo.castleFlags);
}

TEST(Legality, AnyLegalMoveIsLegalOrNoneWhenMatedOrStalemated) {
    setUpPosition("6k1/5ppp/8/8/8/8/8/R5K1 b - -");   // not mated: the king has no move, the pawns do
    EXPECT_TRUE(isLegalMove(game, anyLegalMove(game)));
    setUpPosition("R5k1/5ppp/8/8/8/8/8/6K1 b - -");   // back-rank mate
    EXPECT_EQ(anyLegalMove(game), 0);
    setUpPosition("7k/5Q2/6K1/8/8/8/8/8 b - -");      // stalemate
    EXPECT_EQ(anyLegalMove(game), 0);
    // In check, the queen guarded by the rook: mate; the rook's check alone: the king steps away.
    setUpPosition("k7/8/8/8/8/8/1r6/Kq6 w - -");
    EXPECT_EQ(anyLegalMove(game), 0);
    setUpPosition("k7/8/8/8/8/8/8/K1r5 w - -");
    const Move escape = anyLegalMove(game);
    EXPECT_TRUE(isLegalMove(game, escape));
    EXPECT_EQ(moveFrom(escape), squareOf("a1"));
}
