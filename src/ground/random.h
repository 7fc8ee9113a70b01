// Well-mixed 64-bit numbers: the Zobrist keys, the book's draw and the levels' chances.
#pragma once

#include <cstdint>

// The next number of a fixed, well-mixed sequence of 64-bit values whose place is `state`
// (advanced); usable at compile time.
constexpr uint64_t splitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
