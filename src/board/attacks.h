// Precomputed attack tables, rotated occupancies and the bit scan.
#pragma once

#include <array>
#include <bit>

#include "board/position.h"

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

namespace lineDetail {
// First bit of each diagonal in the rotated orders: a1-h8 diagonals by row + column (0 = a8 alone),
// a8-h1 diagonals by column - row + 7 (0 = a1 alone).
constexpr uint8_t START_A1H8[15] = {63, 61, 58, 54, 49, 43, 36, 28, 21, 15, 10, 6, 3, 1, 0};
constexpr uint8_t START_A8H1[15] = {0, 1, 3, 6, 10, 15, 21, 28, 36, 43, 49, 54, 58, 61, 63};
constexpr int lengthA1H8(int s) {
    int k = rowOf(s) + columnOf(s);
    return (k < 14 - k ? k : 14 - k) + 1;
}
constexpr int lengthA8H1(int s) {
    int d = columnOf(s) - rowOf(s);
    return 8 - (d < 0 ? -d : d);
}
// Position of a square inside its diagonal's cut-out byte.
constexpr int positionInA1H8(int s) {
    int k = rowOf(s) + columnOf(s);
    return (k < 7 ? k : 7) - columnOf(s);
}
constexpr int positionInA8H1(int s) { return 7 - (rowOf(s) > columnOf(s) ? rowOf(s) : columnOf(s)); }
template <typename F>
constexpr std::array<uint8_t, 64> perSquare(F f) {
    std::array<uint8_t, 64> table{};
    for (int s = 0; s < 64; ++s) table[s] = uint8_t(f(s));
    return table;
}
}  // namespace lineDetail

// Where each diagonal sits in its rotated occupancy, and the mask of its length.
inline constexpr auto shiftA1H8 =
    lineDetail::perSquare([](int s) { return lineDetail::START_A1H8[rowOf(s) + columnOf(s)]; });
inline constexpr auto lengthMaskA1H8 =
    lineDetail::perSquare([](int s) { return (1 << lineDetail::lengthA1H8(s)) - 1; });
inline constexpr auto shiftA8H1 =
    lineDetail::perSquare([](int s) { return lineDetail::START_A8H1[columnOf(s) - rowOf(s) + 7]; });
inline constexpr auto lengthMaskA8H1 =
    lineDetail::perSquare([](int s) { return (1 << lineDetail::lengthA8H1(s)) - 1; });

// Files and ranks.
constexpr Bitboard FILE_A = 0x8080808080808080ULL;
constexpr Bitboard FILE_H = 0x0101010101010101ULL;
constexpr Bitboard rankBits(int rank) { return Bitboard(0xFF) << (8 * (rank - 1)); }

// One square as a bitboard in the ordinary order and in the three rotated orders, for tables
// built at compile time (squareMask, mask90, maskA1H8 and maskA8H1 hold the same at run time).
constexpr Bitboard squareBit(int s) { return Bitboard(1) << (63 - s); }
constexpr Bitboard squareBit90(int s) { return Bitboard(1) << (8 * columnOf(s) + 7 - rowOf(s)); }
constexpr Bitboard squareBitA1H8(int s) { return Bitboard(1) << (shiftA1H8[s] + lineDetail::positionInA1H8(s)); }
constexpr Bitboard squareBitA8H1(int s) { return Bitboard(1) << (shiftA8H1[s] + lineDetail::positionInA8H1(s)); }

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

// Slider attacks of a square under the occupancy of position `p`.
inline Bitboard rankAttacksFrom(const Position& p, int s) {
    return rankAttacks[s][(p.occupiedAll >> (56 - (s & 56))) & 255];
}
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
