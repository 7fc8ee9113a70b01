#include "board/attacks.h"

#include <algorithm>
#include <array>
#include <cstdlib>

Bitboard squareMask[64];
Bitboard mask90[64];
Bitboard maskA1H8[64];
Bitboard maskA8H1[64];
Bitboard kingAttacks[64];
Bitboard knightAttacks[64];
Bitboard whitePawnAttacks[64];
Bitboard blackPawnAttacks[64];
Bitboard rankAttacks[64][256];
Bitboard fileAttacks[64][256];
Bitboard diagA1H8Attacks[64][256];
Bitboard diagA8H1Attacks[64][256];
Bitboard rookRays[64];
Bitboard bishopRays[64];
Bitboard queenRays[64];
Bitboard fileMaskExcl[64];
Bitboard adjacentFiles[64];
Bitboard whitePassedMask[64];
Bitboard blackPassedMask[64];
Bitboard whiteFrontFile[64];
Bitboard blackFrontFile[64];
Bitboard epMask90[64];
Bitboard epMaskA1H8[64];
Bitboard epMaskA8H1[64];

namespace {

// Position of a square inside its line's cut-out byte, for each of the four line kinds.
int positionInRank(int s) { return 7 - columnOf(s); }
int positionInFile(int s) { return 7 - rowOf(s); }
using lineDetail::positionInA1H8;
using lineDetail::positionInA8H1;

// The squares of the line through s, indexed by position in the cut-out byte; returns the length.
int rankSquares(int s, int out[8]) {
    for (int p = 0; p < 8; ++p) out[p] = (s & 56) + 7 - p;
    return 8;
}
int fileSquares(int s, int out[8]) {
    for (int p = 0; p < 8; ++p) out[p] = 8 * (7 - p) + columnOf(s);
    return 8;
}
int a1h8Squares(int s, int out[8]) {
    int k = rowOf(s) + columnOf(s), length = lineDetail::lengthA1H8(s);
    for (int p = 0; p < length; ++p) {
        int column = std::min(k, 7) - p;
        out[p] = 8 * (k - column) + column;
    }
    return length;
}
int a8h1Squares(int s, int out[8]) {
    int d = columnOf(s) - rowOf(s), length = lineDetail::lengthA8H1(s);
    for (int p = 0; p < length; ++p) {
        int high = 7 - p;  // max(row, column)
        int row = d >= 0 ? high - d : high, column = row + d;
        out[p] = 8 * row + column;
    }
    return length;
}

// Attack sets of a slider on s for every occupancy of its line: step outwards both ways,
// up to and including the first occupied square.
void buildSliderTable(Bitboard table[64][256], int (*lineSquares)(int, int[8]), int (*placeOnLine)(int)) {
    for (int s = 0; s < 64; ++s) {
        int squares[8];
        int length = lineSquares(s, squares);
        int own = placeOnLine(s);
        for (int v = 0; v < (1 << length); ++v) {
            int occupancy = v | (1 << own);
            Bitboard attacks = 0;
            for (int p = own + 1; p < length; ++p) {
                attacks |= squareMask[squares[p]];
                if (occupancy & (1 << p)) break;
            }
            for (int p = own - 1; p >= 0; --p) {
                attacks |= squareMask[squares[p]];
                if (occupancy & (1 << p)) break;
            }
            table[s][v] = attacks;
        }
    }
}

Bitboard leaperTargets(int s, const int (*steps)[2], int count) {
    Bitboard targets = 0;
    for (int i = 0; i < count; ++i) {
        int row = rowOf(s) + steps[i][0], column = columnOf(s) + steps[i][1];
        if (row >= 0 && row < 8 && column >= 0 && column < 8) targets |= Bitboard(1) << (63 - (8 * row + column));
    }
    return targets;
}

Bitboard shiftLeft(Bitboard b, int n) { return n >= 64 ? 0 : b << n; }
Bitboard shiftRight(Bitboard b, int n) { return n >= 64 ? 0 : b >> n; }

}  // namespace

Bitboard rotate90(Bitboard b) {
    Bitboard rotated = 0;
    for (; b; b &= b - 1) rotated |= mask90[lowestSquare(b)];
    return rotated;
}

Bitboard rotateA1H8(Bitboard b) {
    Bitboard rotated = 0;
    for (; b; b &= b - 1) rotated |= maskA1H8[lowestSquare(b)];
    return rotated;
}

Bitboard rotateA8H1(Bitboard b) {
    Bitboard rotated = 0;
    for (; b; b &= b - 1) rotated |= maskA8H1[lowestSquare(b)];
    return rotated;
}

void initBoardTables() {
    static constexpr int KING_STEPS[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
    static constexpr int KNIGHT_STEPS[8][2] = {{-2, -1}, {-2, 1}, {-1, -2}, {-1, 2}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};
    static constexpr int WHITE_PAWN_STEPS[2][2] = {{-1, -1}, {-1, 1}};
    static constexpr int BLACK_PAWN_STEPS[2][2] = {{1, -1}, {1, 1}};

    for (int s = 0; s < 64; ++s) squareMask[s] = squareBit(s);
    for (int s = 0; s < 64; ++s) {
        kingAttacks[s] = leaperTargets(s, KING_STEPS, 8);
        whitePawnAttacks[s] = leaperTargets(s, WHITE_PAWN_STEPS, 2);
        blackPawnAttacks[s] = leaperTargets(s, BLACK_PAWN_STEPS, 2);
        knightAttacks[s] = leaperTargets(s, KNIGHT_STEPS, 8);
    }

    buildSliderTable(rankAttacks, rankSquares, positionInRank);
    buildSliderTable(fileAttacks, fileSquares, positionInFile);
    buildSliderTable(diagA1H8Attacks, a1h8Squares, positionInA1H8);
    buildSliderTable(diagA8H1Attacks, a8h1Squares, positionInA8H1);

    for (int s = 0; s < 64; ++s) {
        int row = rowOf(s), column = columnOf(s);
        mask90[s] = squareBit90(s);
        maskA1H8[s] = squareBitA1H8(s);
        maskA8H1[s] = squareBitA8H1(s);

        Bitboard file = 0x8080808080808080ULL >> column;
        fileMaskExcl[s] = file & ~squareMask[s];
        adjacentFiles[s] = (column > 0 ? file << 1 : 0) | (column < 7 ? file >> 1 : 0);
        whitePassedMask[s] = shiftLeft(file | adjacentFiles[s], 8 * (8 - row));
        blackPassedMask[s] = shiftRight(file | adjacentFiles[s], 8 * (row + 1));
        whiteFrontFile[s] = shiftLeft(file, 8 * (8 - row));
        blackFrontFile[s] = shiftRight(file, 8 * (row + 1));
    }

    for (int s = 0; s < 64; ++s) {
        rookRays[s] = rankAttacks[s][0] | fileAttacks[s][0];
        bishopRays[s] = diagA1H8Attacks[s][0] | diagA8H1Attacks[s][0];
        queenRays[s] = rookRays[s] | bishopRays[s];
    }

    // En-passant destinations lie on rank 6 (White captures, the pawn stands below) or on
    // rank 3 (Black captures, the pawn stands above).
    for (int t = 0; t < 64; ++t) {
        int captured = rowOf(t) == 2 ? t + 8 : rowOf(t) == 5 ? t - 8 : -1;
        if (captured < 0) continue;
        epMask90[t] = mask90[t] | mask90[captured];
        epMaskA1H8[t] = maskA1H8[t] | maskA1H8[captured];
        epMaskA8H1[t] = maskA8H1[t] | maskA8H1[captured];
    }
}
