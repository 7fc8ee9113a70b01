// Draws by rule: bare material, the fifty-move rule and repetition, read from the history stack.
#pragma once

#include "ground/types.h"

// True when the current position is drawn by rule; `count` earlier occurrences of it (same side
// to move, since the last irreversible move) make a repetition draw: 2 for a third occurrence.
bool drawByRule(int count);

// The same question for the position that quiet move `move` would give, without making it.
// Any move that is not a quiet move answers false.
bool repeatsAfterMove(Move move, int count);
