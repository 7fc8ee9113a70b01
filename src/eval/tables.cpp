#include "eval/tables.h"

namespace {

// Values per square from a8 to h1, each row one rank.
constexpr int16_t KING_1[64] = {
      8,  12,  -4,  -6,  -6,  -4,  12,   8,  // rank 8
     -6, -10, -20, -25, -25, -20, -10,  -6,  // rank 7
    -12, -18, -25, -30, -30, -25, -18, -12,  // rank 6
    -15, -25, -30, -45, -45, -30, -25, -15,  // rank 5
    -15, -25, -30, -45, -45, -30, -25, -15,  // rank 4
    -12, -18, -25, -30, -30, -25, -18, -12,  // rank 3
     -6, -10, -20, -25, -25, -20, -10,  -6,  // rank 2
      8,  12,  -4,  -6,  -6,  -4,  12,   8,  // rank 1
};

constexpr int16_t KING_2_3[64] = {
      4,   6,  -2,  -3,  -3,  -2,   6,   4,  // rank 8
     -3,  -5, -10, -15, -15, -10,  -5,  -3,  // rank 7
     -5,  -9, -12, -18, -18, -12,  -9,  -5,  // rank 6
     -8, -12, -18, -25, -25, -18, -12,  -8,  // rank 5
     -8, -12, -18, -25, -25, -18, -12,  -8,  // rank 4
     -5,  -9, -12, -18, -18, -12,  -9,  -5,  // rank 3
     -3,  -5, -10, -15, -15, -10,  -5,  -3,  // rank 2
      4,   6,  -2,  -3,  -3,  -2,   6,   4,  // rank 1
};

constexpr int16_t KING_4[64] = {
     -8,  -6,  -4,  -2,  -2,  -4,  -6,  -8,  // rank 8
     -6,  -4,  -2,   0,   0,  -2,  -4,  -6,  // rank 7
     -4,  -2,   0,   2,   2,   0,  -2,  -4,  // rank 6
     -2,   0,   2,   4,   4,   2,   0,  -2,  // rank 5
     -2,   0,   2,   4,   4,   2,   0,  -2,  // rank 4
     -4,  -2,   0,   2,   2,   0,  -2,  -4,  // rank 3
     -6,  -4,  -2,   0,   0,  -2,  -4,  -6,  // rank 2
     -8,  -6,  -4,  -2,  -2,  -4,  -6,  -8,  // rank 1
};

constexpr int16_t KING_5[64] = {
    -16, -12,  -8,  -4,  -4,  -8, -12, -16,  // rank 8
    -12,  -8,  -4,   0,   0,  -4,  -8, -12,  // rank 7
     -8,  -4,   0,   4,   4,   0,  -4,  -8,  // rank 6
     -4,   0,   4,   8,   8,   4,   0,  -4,  // rank 5
     -4,   0,   4,   8,   8,   4,   0,  -4,  // rank 4
     -8,  -4,   0,   4,   4,   0,  -4,  -8,  // rank 3
    -12,  -8,  -4,   0,   0,  -4,  -8, -12,  // rank 2
    -16, -12,  -8,  -4,  -4,  -8, -12, -16,  // rank 1
};

constexpr int16_t PAWN_1[64] = {
     99,  99,  99,  99,  99,  99,  99,  99,  // rank 8
      8,  11,  13,  20,  20,  13,  11,   8,  // rank 7
      4,   5,   8,  16,  16,   8,   5,   4,  // rank 6
      1,   1,   4,  16,  16,   4,   1,   1,  // rank 5
      0,   0,   3,  12,  12,   3,   0,   0,  // rank 4
      0,  -1,   1,   2,   2,  -1,  -1,   0,  // rank 3
      0,   0,   0,  -9,  -9,   0,   0,   0,  // rank 2
      0,   0,   0,   0,   0,   0,   0,   0,  // rank 1
};

constexpr int16_t PAWN_2[64] = {
     99,  99,  99,  99,  99,  99,  99,  99,  // rank 8
     19,  24,  28,  33,  33,  28,  24,  19,  // rank 7
      9,  10,  14,  20,  20,  14,  10,   9,  // rank 6
      3,   6,  10,  16,  16,  10,   6,   3,  // rank 5
      1,   4,   6,  14,  14,   6,   4,   1,  // rank 4
      0,   1,   0,   4,   4,   0,   1,   0,  // rank 3
      0,   0,   0,  -9,  -9,   0,   0,   0,  // rank 2
      0,   0,   0,   0,   0,   0,   0,   0,  // rank 1
};

constexpr int16_t PAWN_3_4[64] = {
     99,  99,  99,  99,  99,  99,  99,  99,  // rank 8
     32,  34,  37,  39,  39,  37,  34,  32,  // rank 7
     20,  22,  25,  30,  30,  25,  22,  20,  // rank 6
     12,  15,  21,  24,  24,  21,  15,  12,  // rank 5
      6,   8,  17,  20,  20,  17,   8,   6,  // rank 4
      2,   3,   1,   4,   4,   1,   3,   2,  // rank 3
      0,   0,   0,  -9,  -9,   0,   0,   0,  // rank 2
      0,   0,   0,   0,   0,   0,   0,   0,  // rank 1
};

constexpr int16_t PAWN_5[64] = {
     99,  99,  99,  99,  99,  99,  99,  99,  // rank 8
     42,  46,  50,  54,  54,  50,  46,  42,  // rank 7
     30,  34,  38,  42,  42,  38,  34,  30,  // rank 6
     18,  20,  24,  26,  26,  24,  20,  18,  // rank 5
      7,   9,  12,  15,  15,  12,   9,   7,  // rank 4
      1,   3,   1,   4,   4,   1,   3,   1,  // rank 3
      0,   0,   0,  -9,  -9,   0,   0,   0,  // rank 2
      0,   0,   0,   0,   0,   0,   0,   0,  // rank 1
};

constexpr int16_t KNIGHT_1[64] = {
    -14, -11,  -6,  -4,  -4,  -6, -11, -14,  // rank 8
     -9,  -5,   0,   1,   1,   0,  -5,  -9,  // rank 7
     -4,   3,   8,   9,   9,   8,   3,  -4,  // rank 6
     -5,   5,   9,  13,  13,   9,   5,  -5,  // rank 5
     -6,   2,   9,  12,  12,   9,   2,  -6,  // rank 4
     -4,   1,  10,   9,   9,  10,   1,  -4,  // rank 3
    -10,  -6,  -1,   2,   2,  -1,  -6, -10,  // rank 2
    -20, -18, -12, -10, -10, -12, -18, -20,  // rank 1
};

constexpr int16_t KNIGHT_2_5[64] = {
    -14, -11,  -6,  -4,  -4,  -6, -11, -14,  // rank 8
     -9,  -5,   0,   1,   1,   0,  -5,  -9,  // rank 7
     -4,   3,   8,   9,   9,   8,   3,  -4,  // rank 6
     -5,   5,   9,  13,  13,   9,   5,  -5,  // rank 5
     -6,   2,   9,  12,  12,   9,   2,  -6,  // rank 4
     -7,   0,   7,   9,   9,   7,   0,  -7,  // rank 3
    -10,  -6,  -1,   2,   2,  -1,  -6, -10,  // rank 2
    -15, -12,  -8,  -6,  -6,  -8, -12, -15,  // rank 1
};

constexpr int16_t BISHOP_1[64] = {
      0,   5,   5,   5,   5,   5,   5,   0,  // rank 8
      0,   2,   2,   2,   2,   2,   2,   0,  // rank 7
      2,   4,   7,   7,   7,   7,   4,   2,  // rank 6
      2,   6,   7,   8,   8,   7,   6,   2,  // rank 5
      0,   3,   8,   8,   8,   8,   3,   0,  // rank 4
      1,   3,   5,   4,   4,   5,   3,   1,  // rank 3
      2,  10,   3,   3,   3,   3,  10,   2,  // rank 2
    -15, -13, -14,  -9,  -9, -14, -13, -15,  // rank 1
};

constexpr int16_t BISHOP_2_5[64] = {
     -2,   4,   5,   5,   5,   5,   4,  -2,  // rank 8
      0,   2,   2,   2,   2,   2,   2,   0,  // rank 7
      2,   4,   7,   7,   7,   7,   4,   2,  // rank 6
      2,   5,   7,   8,   8,   7,   5,   2,  // rank 5
      1,   3,   5,   8,   8,   5,   3,   1,  // rank 4
      1,   3,   5,   5,   5,   5,   3,   1,  // rank 3
      2,   5,   3,   3,   3,   3,   5,   2,  // rank 2
     -5,  -4,  -4,  -2,  -2,  -4,  -4,  -5,  // rank 1
};

constexpr int16_t ROOK_1[64] = {
      2,   4,   5,   6,   6,   5,   4,   2,  // rank 8
      7,   9,  11,  12,  12,  11,   9,   7,  // rank 7
     -1,   0,   4,   5,   5,   4,   0,  -1,  // rank 6
     -3,  -2,   3,   4,   4,   3,  -2,  -3,  // rank 5
     -4,  -3,   2,   3,   3,   2,  -3,  -4,  // rank 4
     -4,  -3,   2,   3,   3,   2,  -3,  -4,  // rank 3
     -6,  -2,   2,   3,   3,   2,  -2,  -6,  // rank 2
    -10,  -9,   0,   1,   1,   0,  -9, -10,  // rank 1
};

constexpr int16_t ROOK_2_5[64] = {
      2,   4,   5,   6,   6,   5,   4,   2,  // rank 8
      7,   9,  11,  12,  12,  11,   9,   7,  // rank 7
     -1,   0,   4,   5,   5,   4,   0,  -1,  // rank 6
     -3,  -2,   3,   4,   4,   3,  -2,  -3,  // rank 5
     -4,  -3,   2,   3,   3,   2,  -3,  -4,  // rank 4
     -4,  -3,   2,   3,   3,   2,  -3,  -4,  // rank 3
     -6,  -2,   2,   3,   3,   2,  -2,  -6,  // rank 2
     -8,  -6,   0,   1,   1,   0,  -6,  -8,  // rank 1
};

constexpr int16_t QUEEN_1[64] = {
     -1,   0,   1,   2,   2,   1,   0,  -1,  // rank 8
      2,   4,   3,   3,   3,   3,   4,   2,  // rank 7
      1,   2,   2,   2,   2,   2,   2,   1,  // rank 6
      0,   1,   1,   1,   1,   1,   1,   0,  // rank 5
      0,   1,   1,   1,   1,   1,   1,   0,  // rank 4
     -1,   2,   1,   1,   1,   1,   2,  -1,  // rank 3
     -2,  -2,   0,   3,   3,   0,  -2,  -2,  // rank 2
     -4,  -3,   0,   9,   9,   0,  -3,  -4,  // rank 1
};

constexpr int16_t QUEEN_2_5[64] = {
     -1,   2,   3,   4,   4,   3,   2,  -1,  // rank 8
      6,   7,   8,   9,   9,   8,   7,   6,  // rank 7
      3,   4,   5,   6,   6,   5,   4,   3,  // rank 6
      1,   2,   4,   7,   7,   4,   2,   1,  // rank 5
      0,   1,   3,   5,   5,   3,   1,   0,  // rank 4
     -1,   0,   1,   3,   3,   1,   0,  -1,  // rank 3
     -2,  -2,   0,   0,   0,   0,  -2,  -2,  // rank 2
     -4,  -3,   0,   1,   1,   0,  -3,  -4,  // rank 1
};

// Material bands: 1 is 71 and up, 2 is 63-70, 3 is 47-62, 4 is 15-46, 5 is 0-14.
int materialBand(int material) {
    if (material >= 71) return 1;
    if (material >= 63) return 2;
    if (material >= 47) return 3;
    if (material >= 15) return 4;
    return 5;
}

// Tables by kind and band (index 0 unused).
constexpr const int16_t* TABLE_OF_BAND[6][6] = {
    {nullptr, PAWN_1, PAWN_2, PAWN_3_4, PAWN_3_4, PAWN_5},
    {nullptr, KNIGHT_1, KNIGHT_2_5, KNIGHT_2_5, KNIGHT_2_5, KNIGHT_2_5},
    {nullptr, BISHOP_1, BISHOP_2_5, BISHOP_2_5, BISHOP_2_5, BISHOP_2_5},
    {nullptr, ROOK_1, ROOK_2_5, ROOK_2_5, ROOK_2_5, ROOK_2_5},
    {nullptr, QUEEN_1, QUEEN_2_5, QUEEN_2_5, QUEEN_2_5, QUEEN_2_5},
    {nullptr, KING_1, KING_2_3, KING_2_3, KING_4, KING_5},
};

constexpr PieceSquareSet setOfBand(int band) {
    PieceSquareSet set{};
    for (int kind = PAWN; kind <= KING; ++kind)
        for (int s = 0; s < 64; ++s) set.byKind[kind][s] = TABLE_OF_BAND[kind][band][s];
    return set;
}

// The sets of bands 1 to 5 (index 0 unused).
constexpr PieceSquareSet SET_OF_BAND[6] = {{}, setOfBand(1), setOfBand(2), setOfBand(3), setOfBand(4), setOfBand(5)};

}  // namespace

const PieceSquareSet* pieceSquareSets[MAX_MATERIAL_INDEX + 1];

void initEvalTables() {
    for (int material = 0; material <= MAX_MATERIAL_INDEX; ++material)
        pieceSquareSets[material] = &SET_OF_BAND[materialBand(material)];
}
