#include "uci/golimits.h"

#include <initializer_list>

#include "ground/types.h"

namespace {

// The number after a keyword, consumed only when it is one.
bool numberAfter(const Word* words, int count, int& i, int64_t& value) {
    if (i + 1 >= count || !readNumber(words[i + 1], value)) return false;
    ++i;
    return true;
}

int64_t notNegative(int64_t value) { return value < 0 ? 0 : value; }

// A time less the GUI's lag, within MINIMAL_SEARCH_MS; no limit stays none.
uint64_t lessOverhead(uint64_t ms, uint64_t overheadMs) {
    if (ms == NO_TIME_LIMIT || ms <= MINIMAL_SEARCH_MS) return ms;
    return ms - MINIMAL_SEARCH_MS > overheadMs ? ms - overheadMs : MINIMAL_SEARCH_MS;
}

// Every field that readGoLimits reads (keep the two together): a searchmoves list ends at the
// first of them.
bool isKeyword(const Word& word) {
    for (const char* keyword : {"searchmoves", "ponder", "wtime", "btime", "winc", "binc", "movestogo", "depth",
                                "nodes", "mate", "movetime", "infinite"})
        if (wordIs(word, keyword)) return true;
    return false;
}

}  // namespace

GoLimits readGoLimits(const Word* words, int count) {
    GoLimits limits{{NOT_GIVEN, NOT_GIVEN}, {0, 0}, 0, NOT_GIVEN, 0, NOT_GIVEN, 0, false, false, -1, 0};
    for (int i = 0; i < count; ++i) {
        const Word& word = words[i];
        int64_t value;
        if (wordIs(word, "infinite")) {
            limits.infinite = true;
        } else if (wordIs(word, "ponder")) {
            limits.ponder = true;
        } else if (wordIs(word, "searchmoves")) {
            limits.searchMovesAt = i + 1;
            limits.searchMoveCount = 0;
            while (i + 1 < count && !isKeyword(words[i + 1])) {
                ++i;
                ++limits.searchMoveCount;
            }
        } else if (wordIs(word, "wtime") || wordIs(word, "btime")) {
            // An overdrawn clock, as some GUIs report it, is an empty one.
            if (numberAfter(words, count, i, value)) limits.clockMs[word.text[0] == 'w' ? WHITE : BLACK] = notNegative(value);
        } else if (wordIs(word, "winc") || wordIs(word, "binc")) {
            if (numberAfter(words, count, i, value)) limits.incrementMs[word.text[0] == 'w' ? WHITE : BLACK] = notNegative(value);
        } else if (wordIs(word, "movestogo")) {
            if (numberAfter(words, count, i, value)) limits.movesToGo = notNegative(value);
        } else if (wordIs(word, "movetime")) {
            if (numberAfter(words, count, i, value)) limits.moveTimeMs = notNegative(value);
        } else if (wordIs(word, "depth")) {
            if (numberAfter(words, count, i, value)) limits.depth = notNegative(value);
        } else if (wordIs(word, "nodes")) {
            if (numberAfter(words, count, i, value)) limits.nodes = notNegative(value);
        } else if (wordIs(word, "mate")) {
            if (numberAfter(words, count, i, value)) limits.mate = notNegative(value);
        }
    }
    return limits;
}

bool boundsSearch(const GoLimits& limits, int side) {
    return limits.clockMs[side] != NOT_GIVEN || limits.moveTimeMs != NOT_GIVEN || limits.depth > 0 ||
           limits.nodes != NOT_GIVEN || limits.mate > 0;
}

TimeBudget timeBudget(const GoLimits& limits, int side, uint64_t overheadMs) {
    TimeBudget budget = UNLIMITED_TIME;
    if (limits.clockMs[side] != NOT_GIVEN)
        budget = clockBudget(uint64_t(limits.clockMs[side]), uint64_t(limits.incrementMs[side]), uint64_t(limits.movesToGo));
    if (limits.moveTimeMs != NOT_GIVEN) {
        const uint64_t moveTime = uint64_t(limits.moveTimeMs);
        if (moveTime < budget.budgetMs) budget = TimeBudget{moveTime, moveTime, 0};
    }
    return TimeBudget{lessOverhead(budget.budgetMs, overheadMs), lessOverhead(budget.limitMs, overheadMs), budget.extraMs};
}
