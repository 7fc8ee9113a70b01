// Helpers for the move-generation tests: lists as vectors, moves from coordinates.
#pragma once

#include <vector>

#include "board/checks.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"
#include "support.h"

// The list the search would see for the game's position (evasions when in check), or the
// captures list; both through the generator table.
inline std::vector<ScoredMove> generatedList(GeneratorKind kind) {
    PlyFrame frame{};
    findCheckers(game.position, frame);
    if (frame.checkers) kind = EVASIONS;
    ScoredMove list[MAX_LIST_MOVES];
    ScoredMove* end = generateList(game.position, kind, list, frame);
    return std::vector<ScoredMove>(list, end);
}


// The entry of `move` in the list; fails the test when it is missing.
inline ScoredMove entryOf(const std::vector<ScoredMove>& list, Move move) {
    for (const ScoredMove& entry : list)
        if (entry.move == move) return entry;
    ADD_FAILURE() << "move " << std::hex << move << " not in the list";
    return {0, 0};
}

inline bool contains(const std::vector<ScoredMove>& list, Move move) {
    for (const ScoredMove& entry : list)
        if (entry.move == move) return true;
    return false;
}

inline int pst(int code, const char* square) { return pieceSquareValue(game.position, code, squareOf(square)); }
