// The transposition table: two halves by side to move, 2^18 buckets of two slots each.
#pragma once

#include <cstdint>

// One slot. word0: move (bits 0-15) and key bits 16-31; word1: key bits 32-63;
// word2: depth (0-6), lower bound (7), upper bound (8), generation (9-17), score + 8190 (18-31).
struct HashEntry {
    uint32_t word0;
    uint32_t word1;
    uint32_t word2;
};

constexpr int HASH_BUCKETS = 1 << 18;

extern HashEntry hashTable[2][HASH_BUCKETS][2];   // [side to move][bucket][slot]
extern uint16_t hashGeneration;                  // written into every search entry; 0 marks the book

// Empty every slot of both halves.
void clearHashTable();
