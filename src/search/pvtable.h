// The principal variation as the search finds it: for each ply of the line under search, the best
// line found from there, kept as moves raise alpha. So the line shown with a score is the one that
// earned it, down to the mate or the position the static evaluation scored. Each searching thread
// keeps its own, in its thread object.
#pragma once

#include "search/mate.h"
#include "search/thread.h"
#include "search/variation.h"

// No line from `ply` on yet: a node's start, or a move scored without a search below it.
inline void clearPv(SearchThread& thread, int ply) { thread.pvLength[ply] = 0; }

// `move` at `ply` raised alpha: the line from there is the move, then the line its child found.
// Out of line: it is rare, and the search's loops stay small without it.
void extendPv(SearchThread& thread, int ply, Move move);

// `move` at `ply` scored best so far without raising alpha, or caused a cut-off. A mate's line is
// kept all the same, since a mate is shown with its line to the mate whatever window found it;
// any other score leaves no line.
inline void noteBestLine(SearchThread& thread, int ply, Move move, int score) {
    if (isMateScore(score)) extendPv(thread, ply, move);
    else clearPv(thread, ply);
}

// The line found from the root.
Line rootLine(const SearchThread& thread);

// The line shown with `score` for an iteration of `depth`: `found` (legal moves from the position
// on the thread's board, as the search found them), completed from the table where it stops
// short. For a score that is no mate: up to `depth` moves, ending at a position the line repeats
// or that is drawn by rule. For a mate: completed only when the table (each entry agreeing with the
// mate's distance) and, for the last two plies, the board itself confirm every move to that mate at
// that distance; otherwise the search's own line, short of the mate, never beyond. The position
// is left as it was.
Line shownLine(SearchThread& thread, const Line& found, int score, unsigned depth);
