#include "movegen/perft.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"

namespace {

// The node's list, generated as the search does: evasions when in check, all moves otherwise,
// with the undo snapshot taken after generation (which may have settled a castling).
ScoredMove* generateNode(ScoredMove* list) {
    PlyFrame& frame = *currentUndo;
    findCheckers(frame);
    const int kind = frame.checkers ? EVASIONS : ALL_MOVES;
    ScoredMove* end = moveGenerators[2 * kind + position.sideToMove](list, frame);
    saveUndo(frame.undo);
    return end;
}

// The walk with the side to move `Us` known: the colours alternate down the tree.
template <int Us>
uint64_t perftAs(int depth, ScoredMove* list) {
    ScoredMove* const end = generateNode(list);
    uint64_t nodes = 0;
    for (const ScoredMove* entry = list; entry != end; ++entry) {
        makeMoveAs<Us>(entry->move, currentUndo->undo);
        ++currentUndo;
        if (!leavesKingAttackedAs<Us>(entry->move)) nodes += depth == 1 ? 1 : perftAs<Us ^ 1>(depth - 1, end);
        --currentUndo;
        unmakeMoveAs<Us>(entry->move, currentUndo->undo);
    }
    return nodes;
}

}  // namespace

uint64_t perft(int depth, ScoredMove* list) {
    if (depth <= 0) return 1;
    return position.sideToMove == WHITE ? perftAs<WHITE>(depth, list) : perftAs<BLACK>(depth, list);
}

int perftDivide(int depth, ScoredMove* list, DivideEntry* out) {
    const int us = position.sideToMove;
    ScoredMove* const end = generateNode(list);
    int count = 0;
    for (const ScoredMove* entry = list; entry != end; ++entry) {
        makeMove(entry->move, currentUndo->undo);
        ++currentUndo;
        if (!leavesKingAttacked(entry->move, us)) out[count++] = {entry->move, perft(depth - 1, end)};
        --currentUndo;
        unmakeMove(entry->move, currentUndo->undo);
    }
    return count;
}
