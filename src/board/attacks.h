// Precomputed attack tables, rotated occupancies and the bit scan.
#pragma once

#include <bit>

#include "board/position.h"
#include "board/squares.h"

// Single squares, in the ordinary order and in the three rotated orders.
extern Bitboard squareMask[64];
extern Bitboard mask90[64];
extern Bitboard maskA1H8[64];
extern Bitboard maskA8H1[64];

// Leapers.
extern Bitboard kingAttacks[64];
extern Bitboard knightAttacks[64];
extern Bitboard whitePawnAttacks[64];   // squares a white pawn on s attacks
extern Bitboard blackPawnAttacks[64];

// Sliders: [square][occupancy of the line through it, cut out of the matching occupancy].
extern Bitboard rankAttacks[64][256];
extern Bitboard fileAttacks[64][256];
extern Bitboard diagA1H8Attacks[64][256];
extern Bitboard diagA8H1Attacks[64][256];

// Empty-board lines through a square (the square itself excluded).
extern Bitboard rookRays[64];
extern Bitboard bishopRays[64];
extern Bitboard queenRays[64];

// Pawn-structure masks.
extern Bitboard fileMaskExcl[64];       // the square's file without the square
extern Bitboard adjacentFiles[64];      // the one or two neighbouring files
extern Bitboard whitePassedMask[64];    // own and adjacent files ahead, towards rank 8
extern Bitboard blackPassedMask[64];    // ... towards rank 1
extern Bitboard whiteFrontFile[64];     // own file ahead, towards rank 8
extern Bitboard blackFrontFile[64];     // ... towards rank 1

// For an en-passant destination: its rotated bit together with the captured pawn's.
extern Bitboard epMask90[64];
extern Bitboard epMaskA1H8[64];
extern Bitboard epMaskA8H1[64];

// Build every table above; once, at start-up.
void initBoardTables();

// Re-order a bitboard into the file-major and the two diagonal orders.
Bitboard rotate90(Bitboard b);
Bitboard rotateA1H8(Bitboard b);
Bitboard rotateA8H1(Bitboard b);

// Square of the least significant bit of a non-empty bitboard (the highest-numbered square).
inline int lowestSquare(Bitboard b) { return 63 - std::countr_zero(b); }

// Take the lowest square out of b and return it; walks a set from h1 towards a8.
inline int popSquare(Bitboard& b) {
    int square = lowestSquare(b);
    b &= b - 1;
    return square;
}

// Slider attacks of a square under the occupancy of position `p` (along the rank, under any
// occupancy).
inline Bitboard rankAttacksUnder(Bitboard occupancy, int s) { return rankAttacks[s][(occupancy >> (56 - (s & 56))) & 255]; }
inline Bitboard rankAttacksFrom(const Position& p, int s) { return rankAttacksUnder(p.occupiedAll, s); }
inline Bitboard fileAttacksFrom(const Position& p, int s) {
    return fileAttacks[s][(p.occupied90 >> (8 * (s & 7))) & 255];
}
inline Bitboard diagA1H8AttacksFrom(const Position& p, int s) {
    return diagA1H8Attacks[s][(p.occupiedA1H8 >> shiftA1H8[s]) & lengthMaskA1H8[s]];
}
inline Bitboard diagA8H1AttacksFrom(const Position& p, int s) {
    return diagA8H1Attacks[s][(p.occupiedA8H1 >> shiftA8H1[s]) & lengthMaskA8H1[s]];
}
inline Bitboard rookAttacksFrom(const Position& p, int s) { return rankAttacksFrom(p, s) | fileAttacksFrom(p, s); }
inline Bitboard bishopAttacksFrom(const Position& p, int s) { return diagA1H8AttacksFrom(p, s) | diagA8H1AttacksFrom(p, s); }
inline Bitboard queenAttacksFrom(const Position& p, int s) { return rookAttacksFrom(p, s) | bishopAttacksFrom(p, s); }

// The same by kind, for a knight, bishop, rook or queen.
template <PieceKind Kind>
inline Bitboard attacksFrom(const Position& p, int s) {
    if constexpr (Kind == KNIGHT) return knightAttacks[s];
    else if constexpr (Kind == BISHOP) return bishopAttacksFrom(p, s);
    else if constexpr (Kind == ROOK) return rookAttacksFrom(p, s);
    else return queenAttacksFrom(p, s);
}

// The lines a bishop, rook or queen on s moves along on an empty board.
template <PieceKind Kind>
inline Bitboard raysOf(int s) {
    if constexpr (Kind == BISHOP) return bishopRays[s];
    else if constexpr (Kind == ROOK) return rookRays[s];
    else return queenRays[s];
}
