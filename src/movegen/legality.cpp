#include "movegen/legality.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"

namespace {

// Whether `move`, generated for `us` to move, leaves the own king safe: made and taken back,
// keeping what the history entry above the position held.
bool keepsKingSafe(Move move, int us) {
    const PlyRecord savedAbove = historyTop[1];
    UndoRecord undo;
    saveUndo(undo);
    makeMove(move, undo);
    const bool legal = !leavesKingAttacked(move, us);
    unmakeMove(move, undo);
    historyTop[1] = savedAbove;
    return legal;
}

// Hand each generated move of the position (the evasions when in check) to `take`, in generation
// order, until it returns true; `take` decides which to try for legality.
template <typename Take>
void forEachGenerated(Take take) {
    PlyFrame scratch{};
    findCheckers(scratch);
    ScoredMove list[MAX_LIST_MOVES];
    const ScoredMove* const end = generateList(scratch.checkers ? EVASIONS : ALL_MOVES, list, scratch);
    for (const ScoredMove* entry = list; entry != end; ++entry)
        if (take(entry->move)) return;
}

}  // namespace

bool isLegalMove(Move move) {
    if (move == 0) return false;
    const int us = position.sideToMove;
    bool legal = false;
    forEachGenerated([&](Move generated) {
        if (generated != move) return false;
        legal = keepsKingSafe(move, us);
        return true;
    });
    return legal;
}

Move anyLegalMove() {
    const int us = position.sideToMove;
    Move found = 0;
    forEachGenerated([&](Move move) {
        if (keepsKingSafe(move, us)) found = move;
        return found != 0;
    });
    return found;
}

int legalMoves(Move* out) {
    const int us = position.sideToMove;
    int count = 0;
    forEachGenerated([&](Move move) {
        if (keepsKingSafe(move, us)) out[count++] = move;
        return false;
    });
    return count;
}
