// Static evaluation of a position, with its pawn-structure cache.
#pragma once

#include <cstdint>

#include "board/position.h"

constexpr int PAWN_HASH_SIZE = 1 << 18;

// Key bits 18-31 of the pawn key in the top bits, cached pawn score + 8190 in the low 16 bits;
// shared by the searching threads, each entry read and written whole.
extern uint32_t pawnHashTable[PAWN_HASH_SIZE];

// Static scores stay inside this bound, below every mate score and within the hash score field.
constexpr int EVAL_LIMIT = 8000;

// Empty the pawn-structure cache.
void clearPawnHashTable();

// Value of position `p` in centipawns for the side to move.
int evaluate(const Position& p);
