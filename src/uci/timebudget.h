// The time a search may take, from the clock fields of "go" or its fixed move time. The front
// end keeps the time: the search reads no clock.
#pragma once

#include <cstdint>

#include "uci/golimits.h"

constexpr uint64_t NO_TIME_LIMIT = UINT64_MAX;

// Margin kept on the clock for what the GUI and the pipes take around every move.
constexpr uint64_t SAFETY_MARGIN_MS = 50;
// Moves the game is expected to last from here when the GUI gives no "movestogo".
constexpr uint64_t EXPECTED_MOVES = 40;
// Only a budget above this may earn extra time after a fail low.
constexpr uint64_t FAIL_LOW_MIN_BUDGET_MS = 2000;

struct TimeBudget {
    uint64_t budgetMs;     // the search is ended once this has passed (NO_TIME_LIMIT: never)
    uint64_t limitMs;      // it never runs past this, extra time included
    uint64_t clockMs;      // our clock at the start (0 when the time is fixed or free)
    bool fromClock;        // a budget from the clock, which a fail low may stretch
};

// The budget of a search for `side`: a fixed move time when given; else from the side's clock a
// share of it by movestogo or EXPECTED_MOVES, plus three quarters of the increment, never more
// than 90% of the clock nor more than the clock less SAFETY_MARGIN_MS; else no limit. With both
// a move time and a clock, the earlier end counts.
TimeBudget timeBudget(const GoLimits& limits, int side);

// Extra time for a search of clock budget `budget` that fails low at the root `elapsedMs` after
// its start: false when it gets none; else up to half of the clock, within the limit.
bool extraTimeAfterFailLow(const TimeBudget& budget, uint64_t elapsedMs, uint64_t& extraMs);
