// Whether a move may be played in the current position.
#pragma once

#include "ground/types.h"

// True when `move` (the full code, type included) is one of the moves generated for the position
// (the evasions when in check) and does not leave the own king attacked. Position, history stack,
// frames and move stack are left exactly as they were: the list it tries is its own.
bool isLegalMove(Move move);

// The first legal move of the position in generation order, or 0 when the side to move has none
// (it is mated or stalemated). Leaves everything as isLegalMove does.
Move anyLegalMove();

// The legal moves of the position in generation order, written to `out` (room for
// MAX_LIST_MOVES); returns how many. Leaves everything as isLegalMove does.
int legalMoves(Move* out);
