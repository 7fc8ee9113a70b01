// Pseudo-legal move generation into scored lists: all moves, captures and check evasions.
#pragma once

#include "board/position.h"

struct PlyFrame;

// A generator writes its entries from `out` on and returns one past the last; only the evasion
// generators read the frame (its checkers and king rays). Generators read the position and
// change nothing in it.
using MoveGenerator = ScoredMove* (*)(ScoredMove* out, PlyFrame& frame);

enum GeneratorKind : int { ALL_MOVES = 0, CAPTURES = 1, EVASIONS = 2 };

// Indexed by 2 * kind + side to move.
extern const MoveGenerator moveGenerators[6];

// Every pseudo-legal move of the side to move, castling and under-promotions included.
template <int Us>
ScoredMove* generateMoves(ScoredMove* out);

// Captures, en passant, capture-promotions and queen push-promotions for the quiescence search,
// without the piece captures that lose material or only trade.
template <int Us>
ScoredMove* generateCaptures(ScoredMove* out);
