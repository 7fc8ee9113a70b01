#include "uci/timebudget.h"

namespace {

uint64_t smaller(uint64_t a, uint64_t b) { return a < b ? a : b; }

uint64_t saturatedSum(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

// 90% of the clock, without the product overflowing.
uint64_t ninetyPercent(uint64_t ms) { return ms / 10 * 9 + ms % 10 * 9 / 10; }

}  // namespace

TimeBudget timeBudget(const GoLimits& limits, int side) {
    TimeBudget budget{NO_TIME_LIMIT, NO_TIME_LIMIT, 0, false};
    if (limits.clockMs[side] != NOT_GIVEN) {
        const uint64_t clock = uint64_t(limits.clockMs[side]);
        const uint64_t increment = uint64_t(limits.incrementMs[side]);
        const uint64_t moves = limits.movesToGo > 0 ? uint64_t(limits.movesToGo) : EXPECTED_MOVES;
        const uint64_t share = saturatedSum(clock / moves, increment / 4 * 3 + increment % 4 * 3 / 4);
        const uint64_t limit = smaller(ninetyPercent(clock), clock > SAFETY_MARGIN_MS ? clock - SAFETY_MARGIN_MS : 0);
        budget = TimeBudget{smaller(share, limit), limit, clock, true};
    }
    if (limits.moveTimeMs != NOT_GIVEN) {
        const uint64_t moveTime = uint64_t(limits.moveTimeMs);
        if (moveTime < budget.budgetMs) budget = TimeBudget{moveTime, moveTime, 0, false};
    }
    return budget;
}

bool extraTimeAfterFailLow(const TimeBudget& budget, uint64_t elapsedMs, uint64_t& extraMs) {
    if (!budget.fromClock || budget.budgetMs <= FAIL_LOW_MIN_BUDGET_MS) return false;
    const uint64_t left = budget.limitMs > elapsedMs ? budget.limitMs - elapsedMs : 0;
    extraMs = smaller(budget.clockMs / 2, left);
    return true;
}
