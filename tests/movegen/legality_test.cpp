#include "movegen/legality.h"

#include "board/makemove.h"
#include "movegen_support.h"

TEST(Legality, AcceptsPlayableMovesAndRefusesTheRest) {
    // The knight on e2 is pinned by the rook on e8; f1 is attacked by the bishop on h3.
    setUpPosition("4r1k1/8/8/8/8/7b/4N3/R3K2R w KQ -");
    EXPECT_TRUE(isLegalMove(WHITE_LONG_CASTLING));
    EXPECT_FALSE(isLegalMove(WHITE_SHORT_CASTLING));
    EXPECT_FALSE(isLegalMove(moveOf(QUIET, "e2", "c3")));
    EXPECT_TRUE(isLegalMove(moveOf(QUIET, "a1", "a7")));
    EXPECT_FALSE(isLegalMove(moveOf(CAPTURE, "a1", "a7")));   // the type must match too
    EXPECT_FALSE(isLegalMove(moveOf(QUIET, "a1", "b2")));
    EXPECT_FALSE(isLegalMove(0));

    // In check only evasions count, and the promotion piece is part of the move.
    setUpPosition("3r3k/2P5/8/8/8/8/8/3K4 w - -");
    EXPECT_TRUE(isLegalMove(moveOf(CAPTURE_PROMOTE_N, "c7", "d8")));
    EXPECT_FALSE(isLegalMove(moveOf(PROMOTE_Q, "c7", "c8")));
    EXPECT_FALSE(isLegalMove(moveOf(QUIET, "d1", "d2")));
}

TEST(Legality, LeavesPositionHistoryFramesAndMoveStackAlone) {
    // The position right after Black castled long.
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    saveUndo(currentFrame->undo);
    makeMove(BLACK_LONG_CASTLING, currentFrame->undo);
    const Position before = position;
    const PlyRecord* top = historyTop;
    const PlyRecord above = historyTop[1];
    const UndoRecord undo = currentFrame->undo;
    rootMoves()[0] = {123, WHITE_SHORT_CASTLING};
    const std::vector<ScoredMove> stack(moveStack, moveStack + MOVE_STACK_SIZE);

    EXPECT_TRUE(isLegalMove(WHITE_SHORT_CASTLING));
    EXPECT_TRUE(samePosition(before, position));
    EXPECT_EQ(historyTop, top);
    EXPECT_EQ(historyTop[1].key, above.key);
    EXPECT_EQ(currentFrame->undo.hashKey, undo.hashKey);
    EXPECT_EQ(currentFrame->undo.occupiedMover, undo.occupiedMover);
    EXPECT_EQ(currentFrame->undo.castleFlags, undo.castleFlags);
    EXPECT_EQ(rootMoves()[0].score, 123);
    EXPECT_EQ(rootMoves()[0].move, WHITE_SHORT_CASTLING);
    EXPECT_EQ(std::memcmp(stack.data(), moveStack, sizeof moveStack), 0);
}

TEST(Legality, AnyLegalMoveIsLegalOrNoneWhenMatedOrStalemated) {
    setUpPosition("6k1/5ppp/8/8/8/8/8/R5K1 b - -");   // not mated: the king has no move, the pawns do
    EXPECT_TRUE(isLegalMove(anyLegalMove()));
    setUpPosition("R5k1/5ppp/8/8/8/8/8/6K1 b - -");   // back-rank mate
    EXPECT_EQ(anyLegalMove(), 0);
    setUpPosition("7k/5Q2/6K1/8/8/8/8/8 b - -");      // stalemate
    EXPECT_EQ(anyLegalMove(), 0);
    // In check, the queen guarded by the rook: mate; the rook's check alone: the king steps away.
    setUpPosition("k7/8/8/8/8/8/1r6/Kq6 w - -");
    EXPECT_EQ(anyLegalMove(), 0);
    setUpPosition("k7/8/8/8/8/8/8/K1r5 w - -");
    const Move escape = anyLegalMove();
    EXPECT_TRUE(isLegalMove(escape));
    EXPECT_EQ(moveFrom(escape), squareOf("a1"));
}
