// Pseudo-legal move generation into scored lists: all moves, captures and check evasions.
#pragma once

#include "board/position.h"
#include "frames/frames.h"
#include "ground/invariant.h"

// A generator writes the entries of position `p` from `out` on and returns one past the last; only
// the evasion generators read the frame (its checkers and king rays). Generators read the position
// and change nothing in it.
using MoveGenerator = ScoredMove* (*)(const Position& p, ScoredMove* out, PlyFrame& frame);

enum GeneratorKind : int { ALL_MOVES = 0, CAPTURES = 1, EVASIONS = 2 };

// The six generators, by 2 * kind + side to move; called through generateList.
extern const MoveGenerator moveGenerators[6];

// The list of `kind` for the side to move of `p`, `Us` when the caller knows it; `out` must have
// room for the longest list of a position (the length of every list is checked in Debug builds).
template <Colour Us>
inline ScoredMove* generateList(const Position& p, GeneratorKind kind, ScoredMove* out, PlyFrame& frame) {
    ScoredMove* const end = moveGenerators[2 * kind + Us](p, out, frame);
    INVARIANT(end - out <= MAX_LIST_MOVES);
    return end;
}
inline ScoredMove* generateList(const Position& p, GeneratorKind kind, ScoredMove* out, PlyFrame& frame) {
    return p.sideToMove == WHITE ? generateList<WHITE>(p, kind, out, frame) : generateList<BLACK>(p, kind, out, frame);
}

// Every pseudo-legal move of the side to move, castling and under-promotions included.
template <Colour Us>
ScoredMove* generateMoves(const Position& p, ScoredMove* out);

// Captures, en passant, capture-promotions and queen push-promotions for the quiescence search,
// without the piece captures that lose material or only trade.
template <Colour Us>
ScoredMove* generateCaptures(const Position& p, ScoredMove* out);
