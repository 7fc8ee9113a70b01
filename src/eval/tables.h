// Piece-square tables chosen by the material left on the board.
#pragma once

#include <cstdint>

#include "board/position.h"

constexpr int MAX_MATERIAL_INDEX = 127;

// The six tables of one material band side by side, by PieceKind; each has 64 entries (square 0 = a8,
// written from White's side). An evaluation reads them all, so they share as few cache lines
// as they can.
struct alignas(64) PieceSquareSet {
    int16_t byKind[6][64];
};

// [material 0..127]: the set in force.
extern const PieceSquareSet* pieceSquareSets[MAX_MATERIAL_INDEX + 1];

// Fill the lookup by material; once, at start-up, after the board tables.
void initEvalTables();

// Material as an index of the lookup; positions rich in promoted pieces share the top entry.
inline int materialIndex(int material) { return material > MAX_MATERIAL_INDEX ? MAX_MATERIAL_INDEX : material; }

// The set in force at the material of position `p`.
inline const PieceSquareSet& tablesInForce(const Position& p) { return *pieceSquareSets[materialIndex(p.material)]; }

// The piece-square value of a piece code on a square (the square as given, for either colour) in
// position `p`.
inline int pieceSquareValue(const Position& p, int code, int square) { return tablesInForce(p).byKind[kindOf(code)][square]; }
