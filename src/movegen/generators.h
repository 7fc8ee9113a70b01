// Pseudo-legal move generation into scored lists: all moves, captures and check evasions.
#pragma once

#include "board/position.h"

struct PlyFrame;

// A generator writes its entries from `out` on and returns one past the last; only the evasion
// generators read the frame (its checkers and king rays). Generators read the position and
// change nothing in it.
using MoveGenerator = ScoredMove* (*)(ScoredMove* out, PlyFrame& frame);

enum GeneratorKind : int { ALL_MOVES = 0, CAPTURES = 1, EVASIONS = 2 };

// The six generators, by 2 * kind + side to move; called through generateList.
extern const MoveGenerator moveGenerators[6];

// The list of `kind` for the side to move, `Us` when the caller knows it.
template <Colour Us>
inline ScoredMove* generateList(GeneratorKind kind, ScoredMove* out, PlyFrame& frame) {
    return moveGenerators[2 * kind + Us](out, frame);
}
inline ScoredMove* generateList(GeneratorKind kind, ScoredMove* out, PlyFrame& frame) {
    return moveGenerators[2 * kind + position.sideToMove](out, frame);
}

// Every pseudo-legal move of the side to move, castling and under-promotions included.
template <Colour Us>
ScoredMove* generateMoves(ScoredMove* out);

// Captures, en passant, capture-promotions and queen push-promotions for the quiescence search,
// without the piece captures that lose material or only trade.
template <Colour Us>
ScoredMove* generateCaptures(ScoredMove* out);
