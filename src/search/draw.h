// Draws by rule: bare material, the fifty-move rule and repetition, read from the board's history.
#pragma once

#include "board/position.h"

// True when the board's position is drawn by rule; `count` earlier occurrences of it (same side
// to move, since the last irreversible move) make a repetition draw: 2 for a third occurrence.
bool drawByRule(const Board& board, int count);

// The same question for the position that quiet move `move` would give, without making it (the
// history entry above the position is used and left changed). Any move that is not a quiet move
// answers false.
bool repeatsAfterMove(Board& board, Move move, int count);
