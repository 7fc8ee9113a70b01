// Moves that can answer a check.
#pragma once

#include "board/position.h"

struct PlyFrame;

// For the side to move of `p`, in check: captures of a single checker, moves onto the squares between
// the king and a distant sliding checker, and king moves (only king moves in double check).
// The frame's checkers and king rays must describe position `p`; checkers is not empty.
template <Colour Us>
ScoredMove* generateEvasions(const Position& p, ScoredMove* out, PlyFrame& frame);
