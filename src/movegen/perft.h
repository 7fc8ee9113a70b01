// Counting the positions a fixed number of plies below the current one, with the search's
// generators, make, unmake and legality test (at the last ply only for moves that could uncover
// the king).
#pragma once

#include <cstdint>

#include "frames/frames.h"

// Deepest walk the frames allow.
constexpr int MAX_PERFT_DEPTH = MAX_FRAMES - 1;

// Leaf positions `depth` plies below the board's position, reached by legal moves only. Uses the
// frames from `frame` on (one a ply) and the move lists from `list` on (room for one longest list a
// ply).
uint64_t perft(Board& board, PlyFrame* frame, int depth, ScoredMove* list);

// One legal root move and the leaves below it.
struct DivideEntry {
    Move move;
    uint64_t nodes;
};

// Per legal root move, in generation order: the leaves `depth` - 1 plies below it (depth >= 1).
// Fills `out` (room for MAX_LIST_MOVES entries) and returns the number of entries.
int perftDivide(Board& board, PlyFrame* frame, int depth, ScoredMove* list, DivideEntry* out);
