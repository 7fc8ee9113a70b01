// The moves of the game: the one legality test of the front ends, and playing a move for good.
#pragma once

#include "ground/types.h"

// Whether `move` may be played in the game now.
bool isLegalGameMove(Move move);

// Play a legal move in the game: position, history, game board, fresh history table and a log
// line with the new key. False, changing nothing, for the move 0.
bool playGameMove(Move move);
