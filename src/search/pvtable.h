// The principal variation as the search finds it: for each ply of the line under search, the best
// line found from there, kept as moves raise alpha. So the line shown with a score is the one that
// earned it, down to the mate or the position the static evaluation scored. Each searching thread
// has its own.
#pragma once

#include "frames/frames.h"
#include "search/variation.h"

// [ply][i]: the i-th move of the line from `ply` on, for pvLength[ply] moves. One more ply than
// there are frames: the deepest node's child has its line too (an empty one).
extern thread_local constinit Move pvMoves[MAX_FRAMES + 1][MAX_FRAMES];
extern thread_local constinit uint8_t pvLength[MAX_FRAMES + 1];

// No line from `ply` on yet: a node's start, or a move scored without a search below it.
inline void clearPv(int ply) { pvLength[ply] = 0; }

// `move` at `ply` raised alpha: the line from there is the move, then the line its child found.
// Out of line: it is rare, and the search's loops stay small without it.
void extendPv(int ply, Move move);

// The line found from the root.
Line rootLine();

// `found` (legal moves from the current position), then, where it stops short of `plies` moves at
// a position that is not over, the table's moves from there, up to a position the line repeats or
// that is drawn by rule. The position is left as it was.
Line completedLine(const Line& found, int plies);
