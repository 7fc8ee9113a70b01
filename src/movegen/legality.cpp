#include "movegen/legality.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"

namespace {

// Whether `move`, generated for `us` to move, leaves the own king safe: made and taken back,
// keeping what the history entry above the position held.
bool keepsKingSafe(Board& board, Move move, int us) {
    const PlyRecord savedAbove = board.top[1];
    UndoRecord undo;
    saveUndo(board.position, undo);
    makeMove(board, move, undo);
    const bool legal = !leavesKingAttacked(board.position, move, us);
    unmakeMove(board, move, undo);
    board.top[1] = savedAbove;
    return legal;
}

// Hand each generated move of the position (the evasions when in check) to `take`, in generation
// order, until it returns true; `take` decides which to try for legality.
template <typename Take>
void forEachGenerated(const Position& p, Take take) {
    PlyFrame scratch{};
    findCheckers(p, scratch);
    ScoredMove list[MAX_LIST_MOVES];
    const ScoredMove* const end = generateList(p, scratch.checkers ? EVASIONS : ALL_MOVES, list, scratch);
    for (const ScoredMove* entry = list; entry != end; ++entry)
        if (take(entry->move)) return;
}

}  // namespace

bool isLegalMove(Board& board, Move move) {
    if (move == 0) return false;
    const int us = board.position.sideToMove;
    bool legal = false;
    forEachGenerated(board.position, [&](Move generated) {
        if (generated != move) return false;
        legal = keepsKingSafe(board, move, us);
        return true;
    });
    return legal;
}

Move anyLegalMove(Board& board) {
    const int us = board.position.sideToMove;
    Move found = 0;
    forEachGenerated(board.position, [&](Move move) {
        if (keepsKingSafe(board, move, us)) found = move;
        return found != 0;
    });
    return found;
}

int legalMoves(Board& board, Move* out) {
    const int us = board.position.sideToMove;
    int count = 0;
    forEachGenerated(board.position, [&](Move move) {
        if (keepsKingSafe(board, move, us)) out[count++] = move;
        return false;
    });
    return count;
}
