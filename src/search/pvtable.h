// The principal variation as the search finds it: for each ply of the line under search, the best
// line found from there, kept as moves raise alpha. So the line shown with a score is the one that
// earned it, down to the mate or the position the static evaluation scored. Each searching thread
// has its own.
#pragma once

#include "frames/frames.h"
#include "search/mate.h"
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

// `move` at `ply` scored best so far without raising alpha, or caused a cut-off. A mate's line is
// kept all the same, since a mate is shown with its line to the mate whatever window found it;
// any other score leaves no line.
inline void noteBestLine(int ply, Move move, int score) {
    if (isMateScore(score)) extendPv(ply, move);
    else clearPv(ply);
}

// The line found from the root.
Line rootLine();

// The line shown with `score` for an iteration of `depth`: `found` (legal moves from the current
// position, as the search found them), completed from the table where it stops short. For a score
// that is no mate: up to `depth` moves, ending at a position the line repeats or that is drawn by
// rule. For a mate: the table's moves only while each entry agrees with the mate's distance; a
// line that does not end in that mate at that distance stops short of it, never beyond. The
// position is left as it was.
Line shownLine(const Line& found, int score, unsigned depth);
