#include "movegen/legality.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"

namespace {

// The first generated move of the position (the evasions when in check) that is `wanted`, or
// any move when `wanted` is 0, and does not leave the own king attacked; 0 when there is none.
Move firstLegal(Move wanted) {
    Position& p = position;
    const int us = p.sideToMove;
    // Generation may complete the opponent's castling; the caller's position must not change.
    const uint16_t castleFlags = p.castleFlags;
    const uint8_t kingSquares[2] = {p.kingSquare[BLACK], p.kingSquare[WHITE]};

    PlyFrame scratch{};
    findCheckers(scratch);
    const int kind = scratch.checkers ? EVASIONS : ALL_MOVES;
    ScoredMove* const list = moveStack + MOVE_STACK_SIZE / 2;
    ScoredMove* const end = moveGenerators[2 * kind + us](list, scratch);

    Move found = 0;
    for (const ScoredMove* entry = list; entry != end && !found; ++entry) {
        const Move move = entry->move;
        if (wanted && move != wanted) continue;
        // Try it, keeping what the history entry above the position held.
        const PlyRecord savedAbove = historyTop[1];
        UndoRecord undo;
        saveUndo(undo);
        makeMove(move, undo);
        if (!leavesKingAttacked(move, us)) found = move;
        unmakeMove(move, undo);
        historyTop[1] = savedAbove;
        if (wanted) break;
    }

    p.castleFlags = castleFlags;
    p.kingSquare[BLACK] = kingSquares[0];
    p.kingSquare[WHITE] = kingSquares[1];
    return found;
}

}  // namespace

bool isLegalMove(Move move) { return move != 0 && firstLegal(move) == move; }

Move anyLegalMove() { return firstLegal(0); }
