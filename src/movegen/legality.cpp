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
    const int us = position.sideToMove;
    PlyFrame scratch{};
    findCheckers(scratch);
    ScoredMove list[MAX_LIST_MOVES];
    const ScoredMove* const end = generateList(scratch.checkers ? EVASIONS : ALL_MOVES, list, scratch);

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
    return found;
}

}  // namespace

bool isLegalMove(Move move) { return move != 0 && firstLegal(move) == move; }

Move anyLegalMove() { return firstLegal(0); }
