#include "ground/decimal.h"

#include <limits>

bool readDigits(const char*& cursor, const char* end, uint64_t most, uint64_t& value) {
    if (cursor == end || !isDecimalDigit(*cursor)) return false;
    uint64_t magnitude = 0;
    for (; cursor != end && isDecimalDigit(*cursor); ++cursor) magnitude = appendDigit(magnitude, *cursor, most);
    value = magnitude;
    return true;
}

bool readInteger(const char* text, int length, int64_t& value) {
    const char* cursor = text;
    const char* const end = text + length;
    const bool negative = cursor != end && *cursor == '-';
    if (cursor != end && (*cursor == '-' || *cursor == '+')) ++cursor;
    constexpr uint64_t MOST = uint64_t(std::numeric_limits<int64_t>::max());
    // One more than the largest value: the magnitude of the smallest.
    uint64_t magnitude;
    if (!readDigits(cursor, end, MOST + 1, magnitude) || cursor != end) return false;
    if (negative)
        value = magnitude > MOST ? std::numeric_limits<int64_t>::min() : -int64_t(magnitude);
    else
        value = magnitude > MOST ? std::numeric_limits<int64_t>::max() : int64_t(magnitude);
    return true;
}
