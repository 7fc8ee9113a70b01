// Decimal numbers as the GUIs write them. Too many digits saturate rather than wrap around.
#pragma once

#include <cstdint>

constexpr bool isDecimalDigit(int c) { return c >= '0' && c <= '9'; }

// `magnitude` followed by the digit `c`, saturated at `most`.
constexpr uint64_t appendDigit(uint64_t magnitude, int c, uint64_t most) {
    const uint64_t digit = uint64_t(c - '0');
    return magnitude > (most - digit) / 10 ? most : magnitude * 10 + digit;
}

// Read the run of digits from `cursor` (up to `end`; null: to the first other character) as a
// number saturated at `most`, and move `cursor` past them; false, reading nothing, when no digit
// comes first.
bool readDigits(const char*& cursor, const char* end, uint64_t most, uint64_t& value);

// The whole of [text, text + length) as a decimal integer with an optional sign, saturated to the
// range of int64_t; false when it is anything else.
bool readInteger(const char* text, int length, int64_t& value);
