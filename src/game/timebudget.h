// The time one search may take, and the rules of it that both programs share: a clock is
// expected to last 40 moves unless told otherwise, no move takes more than 90% of the clock, and
// a fail low at the root may earn extra time only on a budget above two seconds. The programs
// read their clocks differently (xboard's level and time, UCI's go fields): two named variants.
#pragma once

#include <cstdint>

constexpr uint64_t NO_TIME_LIMIT = UINT64_MAX;
// Moves a clock must last when the GUI names no number.
constexpr uint32_t DEFAULT_MOVES_TO_GO = 40;
// Only a budget above this may earn extra time after a fail low.
constexpr uint64_t EXTRA_TIME_MIN_BUDGET_MS = 2000;
// What the UCI program keeps on its clock for the GUI and the pipes around every move.
constexpr uint64_t SAFETY_MARGIN_MS = 50;

struct TimeBudget {
    uint64_t budgetMs;   // the search is ended once this has passed (NO_TIME_LIMIT: never)
    uint64_t limitMs;    // it never runs past this, extra time included
    uint64_t extraMs;    // most extra time a fail low may earn, about half the clock (0: none)
};

// A search that only its depth, its node count or "stop" ends.
constexpr TimeBudget UNLIMITED_TIME{NO_TIME_LIMIT, NO_TIME_LIMIT, 0};

// 90% of `ms`, without the product overflowing.
constexpr uint64_t ninetyPercent(uint64_t ms) { return ms / 10 * 9 + ms % 10 * 9 / 10; }

// How long to wait before ending the search: the budget, never past the limit.
constexpr uint64_t firstWaitMs(const TimeBudget& budget) {
    return budget.budgetMs < budget.limitMs ? budget.budgetMs : budget.limitMs;
}

// Extra time for a search that fails low at the root `elapsedMs` after its start: false when it
// gets none; else true with up to extraMs, within the limit, in `extraMs`.
bool extraTimeAfterFailLow(const TimeBudget& budget, uint64_t elapsedMs, uint64_t& extraMs);

// The xboard variant: the budget it keeps from its level and time commands, within 90% of the
// clock it last read (`limitMs`); a fail low may add half of what the control's moves would take
// at this budget.
TimeBudget levelBudget(uint32_t budgetMs, uint64_t limitMs, uint32_t movesPerControl);

// The UCI variant, from our clock and increment: a share of the clock by `movesToGo` (0: the
// default) plus three quarters of the increment, never more than 90% of the clock nor more than
// the clock less SAFETY_MARGIN_MS; a fail low may add half the clock.
TimeBudget clockBudget(uint64_t clockMs, uint64_t incrementMs, uint64_t movesToGo);
