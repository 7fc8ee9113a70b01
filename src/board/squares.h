// Squares as bits, for tables built at compile time: files, ranks, and one square's bit in the
// ordinary order and in the three rotated orders of the occupancies.
#pragma once

#include <array>

#include "ground/types.h"

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
