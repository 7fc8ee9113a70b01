// Iterative deepening: the search's entry point, its limits and its report.
#pragma once

#include <cstdint>

#include "ground/types.h"
#include "search/control.h"
#include "search/thread.h"
#include "search/mate.h"
#include "search/transposition.h"
#include "search/variation.h"

constexpr int ASPIRATION_HALF_WIDTH = 30;

// One line of a completed iteration, as the search reports it.
struct IterationLine {
    unsigned depth;      // the iteration's
    unsigned selDepth;   // the deepest ply the iteration reached, quiescence included
    int number;          // 1 for the best line, then the next best when several are asked for
    int lines;           // the lines the search shows per iteration
    int score;
    const Line& moves;   // as the search found them; for a mate, to the mate or short of it
};

// Told after each completed iteration, for each line it searched; on the searching thread.
using IterationReport = void (*)(const IterationLine& line);

struct SearchLimits {
    unsigned depth;                    // last iteration to run (at most DEEPEST_ITERATION counts)
    IterationReport report;            // null: nobody is told
    int lines = 1;                     // the best root moves each iteration searches to full depth
    int shownLines = 0;                // of those, the ones reported (0: all of them)
    int mateMoves = 0;                 // stop at a mate in this many moves or fewer (0: no such stop)
    int onlyMoveCount = 0;             // search only the first this many of onlyMoves (when any of them
    Move onlyMoves[MAX_LIST_MOVES]{};  // is legal); the request holds them for the whole search
    int helper = 0;                    // 0: the main search; k > 0: helper k of several threads,
                                       // which logs and reports nothing and searches one line
};

// The most lines of an iteration a search keeps for its caller (see IterationLines).
constexpr int MOST_KEPT_LINES = 8;

// The lines of the last iteration that a search of several lines completed whole, best first: the
// first MOST_KEPT_LINES of them.
struct IterationLines {
    unsigned depth;                     // that iteration's (0: none completed)
    unsigned selDepth;                  // the deepest ply it reached
    int count;
    ScoredMove first[MOST_KEPT_LINES];  // each line's first move and its score
    Line moves[MOST_KEPT_LINES];        // each line, as reported
};

// What a search found.
struct SearchResult {
    ScoredMove best;     // a legal move and its score (NO_SCORE: never searched), or the code of a
                         // position without a move (MatedCode, StalemateCode) or already drawn
                         // (RepetitionCode)
    unsigned depth;      // the depth the result was searched to (0: none)
    uint32_t bound;      // EXACT_BOUND, or the bound the score only sets on the move's value
    Line line;           // the principal variation, beginning with the best move (empty for a code)
    unsigned selDepth;   // the deepest ply its iteration reached (0: none)
    IterationLines lastLines;   // of a search of several lines (count 0 otherwise)
};

// Where a search of the position begins: its first iteration and window, from the table's entry
// for the root left by an earlier search. Read once, before any thread searches, so that every
// thread starts alike and none starts from what another has stored meanwhile.
struct SearchStart {
    bool drawn;           // the position is already drawn by rule: nothing is searched
    unsigned depth;       // the first iteration
    int alpha, beta;      // its window
    bool hasEarlier;      // whether the table held an entry for the root
    HashEntry earlier;    // that entry
};

// The start of a search of the position on the game's board, while no search runs (the entry
// its stored move would repeat is found on the board's history, above its top).
SearchStart searchStart(Board& game);

// Run the iterations from `start` on the thread's board (a copy of the game's), with the control
// state made ready (resetSearchControl) and the frame pointer at frame 0, until the depth limit, a
// mate that ends the search, the last iteration or a stop. Returns the answer they found: the last
// completed iteration's, or a move the one under way proved better (LOWER_BOUND); depth 0 when
// none.
SearchResult runIterations(SearchThread& thread, const SearchLimits& limits, const SearchStart& start);

// The search's result from its iterations' answer and the table's entry for the root, as far as
// the entry is the thread's own (stored by its root passes, or read at the start): the entry may
// come from a deeper earlier search. Another thread's entry never stands in for the answer. The
// move and score are also left first in the thread's root list. Only once no other thread
// searches.
SearchResult settleResult(SearchThread& thread, const SearchResult& answer, const SearchStart& start);

// The whole search of the thread's board on the calling thread, as one thread searches: start,
// iterations, result.
SearchResult searchPosition(SearchThread& thread, const SearchLimits& limits);

// Room for the text of principalVariationText: 6 characters a ply and 24 more.
constexpr int PV_TEXT_SIZE = 6 * DEEPEST_ITERATION + 24;

// Write the principal variation of the position on the thread's board as the log shows it: the
// hash moves followed from there, at most `plies`, then how the line ends ("# " mate, "NOE " no
// entry, or a draw). Zero-terminated, in a buffer of PV_TEXT_SIZE.
void principalVariationText(SearchThread& thread, char* buffer, int plies);
