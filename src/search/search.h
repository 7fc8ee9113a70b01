// Iterative deepening: the search's entry point, its limits and its report.
#pragma once

#include <cstdint>

#include "ground/types.h"
#include "search/control.h"
#include "search/mate.h"
#include "search/transposition.h"
#include "search/variation.h"

constexpr int ASPIRATION_HALF_WIDTH = 30;

// Told after each completed iteration, for each line it searched (1 for the best, then the next
// best when several are asked for), the iteration's depth, the line's score and its moves (as
// the search found them, to the mate for a mate); on the searching thread.
using IterationReport = void (*)(unsigned depth, int number, int score, const Line& line);

struct SearchLimits {
    unsigned depth;                    // last iteration to run (at most DEEPEST_ITERATION counts)
    IterationReport report;            // null: nobody is told
    int lines = 1;                     // the best root moves each iteration searches to full depth
    int mateMoves = 0;                 // stop at a mate in this many moves or fewer (0: no such stop)
    const Move* onlyMoves = nullptr;   // search only these root moves (when any of them is legal)
    int onlyMoveCount = 0;
    int helper = 0;                    // 0: the main search; k > 0: helper k of several threads,
                                       // which logs and reports nothing and searches one line
};

// What a search found.
struct SearchResult {
    ScoredMove best;   // a legal move and its score (NO_SCORE: never searched), or the code of a
                       // position without a move (MatedCode, StalemateCode) or already drawn
                       // (RepetitionCode)
    unsigned depth;    // the depth the result was searched to (0: none)
    uint32_t bound;    // EXACT_BOUND, or the bound the score only sets on the move's value
    Line line;         // the principal variation, beginning with the best move (empty for a code)
};

// Search the calling thread's board with the control state made ready (resetSearchControl) and
// return the result (its move and score also left in rootMoves()[0]). The frame pointer must
// stand at frame 0.
SearchResult searchPosition(const SearchLimits& limits);

// Write the principal variation of the current position as the log shows it: the hash moves
// followed from here, at most `plies`, then how the line ends ("# " mate, "NOE " no entry, or a
// draw). Zero-terminated; the buffer needs 6 characters a ply and 24 more.
void principalVariationText(char* buffer, int plies);
