#include "movegen/legality.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/generators.h"
#include "search/frames.h"

bool isLegalMove(Move move) {
    if (move == 0) return false;
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

    bool legal = false;
    for (const ScoredMove* entry = list; entry != end; ++entry) {
        if (entry->move != move) continue;
        // Try it on the current frame, keeping what that frame and the history entry above held.
        const UndoRecord savedUndo = currentUndo->undo;
        const PlyRecord savedAbove = historyTop[1];
        saveUndo();
        makeMove(move);
        legal = !leavesKingAttacked(move, us);
        unmakeMove(move);
        currentUndo->undo = savedUndo;
        historyTop[1] = savedAbove;
        break;
    }

    p.castleFlags = castleFlags;
    p.kingSquare[BLACK] = kingSquares[0];
    p.kingSquare[WHITE] = kingSquares[1];
    return legal;
}
