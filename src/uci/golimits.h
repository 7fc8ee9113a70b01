// What a "go" line asks of the search: the clocks, a fixed time, a depth, a node count, a mate,
// the root moves to look at, pondering, or no limit at all.
#pragma once

#include <cstdint>

#include "game/timebudget.h"
#include "uci/inputline.h"

constexpr int64_t NOT_GIVEN = -1;

struct GoLimits {
    int64_t clockMs[2];       // wtime and btime, by colour (BLACK 0, WHITE 1); NOT_GIVEN or >= 0
    int64_t incrementMs[2];   // winc and binc, by colour; 0 when not given
    int64_t movesToGo;        // moves to the next time control; 0 when not given (sudden death)
    int64_t moveTimeMs;       // movetime; NOT_GIVEN or >= 0
    int64_t depth;            // plies; 0 when not given
    int64_t nodes;            // NOT_GIVEN or >= 0
    int64_t mate;             // mate in this many moves; 0 when not given
    bool infinite;            // search until "stop"
    bool ponder;              // search on the opponent's time until "ponderhit" or "stop"
    int searchMovesAt;        // index of the first word after "searchmoves" (its moves), or -1
    int searchMoveCount;      // how many words after it are moves rather than keywords
};

// Read the words after "go". A keyword without a number after it counts as not given; negative
// times count as 0; unknown words are skipped.
GoLimits readGoLimits(const Word* words, int count);

// Whether anything bounds a search for `side` (a clock of its own, a time, a depth, a node count
// or a mate); without, "go" searches until "stop".
bool boundsSearch(const GoLimits& limits, int side);

// The least time Move Overhead leaves a search: enough for its first iterations.
constexpr uint64_t MINIMAL_SEARCH_MS = 10;

// The time a search for `side` may take: a fixed move time when given; else from the side's
// clock by the UCI variant of the time rules; else no limit. With both a move time and a clock,
// the earlier end counts, and a fixed time earns no extra time. The GUI's lag, `overheadMs` a
// move, is kept back from the budget and the limit, never taking either below MINIMAL_SEARCH_MS
// (one already shorter stays as it is).
TimeBudget timeBudget(const GoLimits& limits, int side, uint64_t overheadMs);
