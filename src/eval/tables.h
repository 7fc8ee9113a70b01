// Piece-square tables chosen by the material left on the board.
#pragma once

#include <cstdint>

#include "board/position.h"

// Piece kinds of the lookup.
enum PieceKind : int { PAWN_KIND, KNIGHT_KIND, BISHOP_KIND, ROOK_KIND, QUEEN_KIND, KING_KIND };

constexpr int MAX_MATERIAL_INDEX = 127;

// [kind][material 0..127]: the 64-entry table (square 0 = a8, written from White's side) in force.
extern const int16_t* pieceSquareTables[6][MAX_MATERIAL_INDEX + 1];

// Lookup array of each piece code's kind (null for EMPTY).
extern const int16_t* const* const pieceSquareByCode[13];

// Fill the lookup by material; once, at start-up, after the board tables.
void initEvalTables();

// Material as an index of the lookup; positions rich in promoted pieces share the top entry.
inline int materialIndex(int material) { return material > MAX_MATERIAL_INDEX ? MAX_MATERIAL_INDEX : material; }

// The piece-square value of a piece code on a square (the square as given, for either colour).
inline int pieceSquareValue(int code, int square) {
    return pieceSquareByCode[code][materialIndex(position.material)][square];
}
