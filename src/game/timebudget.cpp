#include "game/timebudget.h"

namespace {

uint64_t smaller(uint64_t a, uint64_t b) { return a < b ? a : b; }

uint64_t saturatedSum(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

}  // namespace

bool extraTimeAfterFailLow(const TimeBudget& budget, uint64_t elapsedMs, uint64_t& extraMs) {
    if (budget.extraMs == 0 || budget.budgetMs <= EXTRA_TIME_MIN_BUDGET_MS) return false;
    const uint64_t left = budget.limitMs > elapsedMs ? budget.limitMs - elapsedMs : 0;
    extraMs = smaller(budget.extraMs, left);
    return true;
}

TimeBudget levelBudget(uint32_t budgetMs, uint64_t limitMs, uint32_t movesPerControl) {
    return TimeBudget{budgetMs, limitMs, uint64_t(movesPerControl) * budgetMs / 2};
}

TimeBudget clockBudget(uint64_t clockMs, uint64_t incrementMs, uint64_t movesToGo) {
    const uint64_t moves = movesToGo > 0 ? movesToGo : DEFAULT_MOVES_TO_GO;
    const uint64_t share = saturatedSum(clockMs / moves, incrementMs / 4 * 3 + incrementMs % 4 * 3 / 4);
    const uint64_t limit = smaller(ninetyPercent(clockMs), clockMs > SAFETY_MARGIN_MS ? clockMs - SAFETY_MARGIN_MS : 0);
    return TimeBudget{smaller(share, limit), limit, clockMs / 2};
}
