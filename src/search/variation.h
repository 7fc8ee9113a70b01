// The principal variation: the chain of moves the transposition table holds from a position.
#pragma once

#include "search/control.h"

// A line of moves: at most one per iteration a search can run.
struct Line {
    Move moves[DEEPEST_ITERATION];
    int length;
};

// How a walk through the table ended.
enum VariationEnd : int {
    VARIATION_FULL,         // it took as many moves as it was allowed
    VARIATION_NO_ENTRY,     // a position of the line has no entry
    VARIATION_MATE,         // the side to move at the end of the line is mated
    VARIATION_STALEMATE,    // ... stalemated
    VARIATION_DRAWN,        // ... drawn by rule before its move
    VARIATION_NO_MOVE,      // the entry holds no move that may be played there
};

struct Variation {
    Line line;
    VariationEnd end;
};

// The hash moves followed from the position on the thread's board, at most `plies` (up to
// DEEPEST_ITERATION), each a legal move of the position it is played from (an entry may belong to
// another position with the same key bits). With `stopAtDraw`, it ends at a position the line
// repeats or that is drawn by rule. Uses the frames from the current one on; leaves the position
// as it was.
void walkVariation(SearchThread& thread, Variation& variation, int plies, bool stopAtDraw = false);

