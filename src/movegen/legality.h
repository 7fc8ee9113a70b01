// Whether a move may be played in a board's position, and which may.
#pragma once

#include "board/position.h"

// True when `move` (the full code, type included) is one of the moves generated for the board's
// position (the evasions when in check) and does not leave the own king attacked. The board, its
// history included, is left exactly as it was: the list it tries is its own.
bool isLegalMove(Board& board, Move move);

// The first legal move of the position in generation order, or 0 when the side to move has none
// (it is mated or stalemated). Leaves everything as isLegalMove does.
Move anyLegalMove(Board& board);

// The legal moves of the position in generation order, written to `out` (room for
// MAX_LIST_MOVES); returns how many. Leaves everything as isLegalMove does.
int legalMoves(Board& board, Move* out);
