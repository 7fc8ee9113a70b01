#include "protocol/timecontrol.h"

#include <cctype>
#include <limits>

#include "ground/decimal.h"

XboardClock xboardClock = UNSET_CLOCK;

namespace {

constexpr uint32_t TEST_CLOCK_CENTISECONDS = 4123456689u;
constexpr uint32_t MAX_UINT = std::numeric_limits<uint32_t>::max();

// A 64-bit count of milliseconds, saturated to 32 bits.
uint32_t saturated(uint64_t ms) { return ms < MAX_UINT ? uint32_t(ms) : MAX_UINT; }

// Budget for a clock of `centiseconds`, already net of any hold-back.
uint32_t budgetFor(uint32_t centiseconds) {
    return xboardClock.incrementMs + (centiseconds / xboardClock.movesPerControl) * 10;
}

// 90% of the clock, in milliseconds: never lose on time through our own arithmetic.
uint64_t limitFor(uint32_t centiseconds) { return ninetyPercent(uint64_t(centiseconds) * 10); }

// Read a run of decimal digits, saturating; false when there is none.
bool readUnsigned(const char*& cursor, uint32_t& value) {
    uint64_t digits;
    if (!readDigits(cursor, nullptr, MAX_UINT, digits)) return false;
    value = uint32_t(digits);
    return true;
}

bool endOfField(const char* cursor) { return *cursor == 0 || std::isspace(static_cast<unsigned char>(*cursor)); }

// A whole number of moves; false when the field is anything else.
bool readMoves(const char* field, uint32_t& moves) {
    uint32_t value;
    if (!readUnsigned(field, value) || !endOfField(field)) return false;
    moves = value;
    return true;
}

// Seconds, possibly with a fraction, as milliseconds (rounded); false when unreadable.
bool readSecondsAsMs(const char* field, uint32_t& ms) {
    static constexpr uint32_t PLACE_VALUE[3] = {100, 10, 1};
    uint32_t seconds = 0;
    bool digits = readUnsigned(field, seconds);
    uint32_t thousandths = 0;
    if (*field == '.') {
        int place = 0;
        for (++field; isDecimalDigit(*field); ++field, ++place) {
            const uint32_t digit = uint32_t(*field - '0');
            if (place < 3) thousandths += digit * PLACE_VALUE[place];
            else if (place == 3 && digit >= 5) ++thousandths;
            digits = true;
        }
    }
    if (!digits || !endOfField(field)) return false;
    ms = saturated(uint64_t(seconds) * 1000 + thousandths);
    return true;
}

// Next whitespace-separated field of `cursor`, or null when there is none.
const char* nextField(const char*& cursor) {
    while (std::isspace(static_cast<unsigned char>(*cursor))) ++cursor;
    if (!*cursor) return nullptr;
    const char* field = cursor;
    while (*cursor && !std::isspace(static_cast<unsigned char>(*cursor))) ++cursor;
    return field;
}

}  // namespace

void setLevel(const char* arguments) {
    const char* cursor = arguments;
    const char* moves = nextField(cursor);
    const char* base = moves ? nextField(cursor) : nullptr;   // the base time plays no role
    const char* increment = base ? nextField(cursor) : nullptr;
    uint32_t value;
    if (moves && readMoves(moves, value)) xboardClock.movesPerControl = value ? value : DEFAULT_MOVES_TO_GO;
    if (increment && readSecondsAsMs(increment, value)) xboardClock.incrementMs = value;
}

void setClock(int centiseconds) {
    // An overdrawn clock counts as empty.
    const uint32_t clock = centiseconds > 0 ? uint32_t(centiseconds) : 0;
    // Once the clock shows two seconds or more, one second is held back.
    const uint32_t usable = clock < 200 ? clock : clock - 100;
    xboardClock.moveBudgetMs = budgetFor(usable);
    xboardClock.moveLimitMs = limitFor(usable);
}

void setTestClock() {
    xboardClock.moveBudgetMs = budgetFor(TEST_CLOCK_CENTISECONDS);
    xboardClock.moveLimitMs = limitFor(TEST_CLOCK_CENTISECONDS);
}

void lengthenBudgetAfterBook() {
    // In 64 bits: a huge number of moves per control must not wrap the product around.
    const uint64_t tripled = 3 * uint64_t(xboardClock.moveBudgetMs);
    const uint64_t share = uint64_t(xboardClock.movesPerControl) * xboardClock.moveBudgetMs / 10;
    xboardClock.moveBudgetMs = saturated(tripled < share ? tripled : share);
}

TimeBudget moveBudget() {
    return levelBudget(xboardClock.moveBudgetMs, xboardClock.moveLimitMs, xboardClock.movesPerControl);
}
