#include "board/attacks.h"

#include "support.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* name : names) b |= squareMask[squareOf(name)];
    return b;
}

}  // namespace

TEST(AttackTables, LeapersStayOnTheBoard) {
    initTablesOnce();
    EXPECT_EQ(knightAttacks[squareOf("a8")], squares({"b6", "c7"}));
    EXPECT_EQ(kingAttacks[squareOf("h1")], squares({"g1", "g2", "h2"}));
    EXPECT_EQ(whitePawnAttacks[squareOf("a2")], squares({"b3"}));
    EXPECT_EQ(blackPawnAttacks[squareOf("h7")], squares({"g6"}));
    EXPECT_EQ(whitePawnAttacks[squareOf("e8")], 0u);
    EXPECT_EQ(blackPawnAttacks[squareOf("e1")], 0u);
    EXPECT_EQ(knightAttacks[squareOf("d4")],
              squares({"c6", "e6", "b5", "f5", "b3", "f3", "c2", "e2"}));
}

TEST(AttackTables, SlidersStopAtTheFirstPieceEitherColour) {
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_EQ(rookAttacksFrom(game.position, squareOf("a1")), squares({"a2", "b1"}));
    EXPECT_EQ(bishopAttacksFrom(game.position, squareOf("c1")), squares({"b2", "d2"}));
    EXPECT_EQ(queenAttacksFrom(game.position, squareOf("d8")), squares({"c8", "e8", "c7", "d7", "e7"}));

    setUpPosition("4k3/8/8/3p4/8/1P3Q2/8/4K3 w - -");
    EXPECT_EQ(bishopAttacksFrom(game.position, squareOf("f3")),
              squares({"e4", "d5", "g4", "h5", "e2", "d1", "g2", "h1"}));
    EXPECT_EQ(rookAttacksFrom(game.position, squareOf("f3")),
              squares({"e3", "d3", "c3", "b3", "g3", "h3", "f4", "f5", "f6", "f7", "f8", "f2", "f1"}));
    // Every diagonal square of every square, on an empty board, agrees with plain stepping.
    for (int s = 0; s < 64; ++s) {
        Bitboard expected = 0;
        for (int t = 0; t < 64; ++t) {
            int dr = rowOf(t) - rowOf(s), dc = columnOf(t) - columnOf(s);
            if (t != s && (dr == dc || dr == -dc)) expected |= squareMask[t];
        }
        EXPECT_EQ(bishopRays[s], expected) << s;
    }
}

// Slider attacks read through the rotated occupancies agree with stepping square by square until
// the first occupied square, from every square, over many scattered occupancies.
TEST(AttackTables, RotatedOccupanciesGiveTheSlidersTrueLines) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const Position saved = game.position;
    uint64_t seed = 0x9E3779B97F4A7C15ULL;
    for (int round = 0; round < 200; ++round) {
        // Sparse to crowded boards: one to three random words combined.
        Bitboard occupied = ~Bitboard(0);
        for (int words = round % 3; words >= 0; --words) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            occupied &= seed ^ (seed >> 29);
        }
        game.position.occupiedAll = occupied;
        game.position.occupied90 = rotate90(occupied);
        game.position.occupiedA1H8 = rotateA1H8(occupied);
        game.position.occupiedA8H1 = rotateA8H1(occupied);
        for (int s = 0; s < 64; ++s) {
            Bitboard straight = 0, diagonal = 0;
            for (int direction = 0; direction < 8; ++direction) {
                static const int ROW_STEP[8] = {1, -1, 0, 0, 1, 1, -1, -1};
                static const int COLUMN_STEP[8] = {0, 0, 1, -1, 1, -1, 1, -1};
                int row = rowOf(s) + ROW_STEP[direction], column = columnOf(s) + COLUMN_STEP[direction];
                for (; row >= 0 && row < 8 && column >= 0 && column < 8;
                     row += ROW_STEP[direction], column += COLUMN_STEP[direction]) {
                    const Bitboard target = squareMask[8 * row + column];
                    (direction < 4 ? straight : diagonal) |= target;
                    if (occupied & target) break;
                }
            }
            ASSERT_EQ(rookAttacksFrom(game.position, s), straight) << "square " << s << ", occupancy " << std::hex << occupied;
            ASSERT_EQ(bishopAttacksFrom(game.position, s), diagonal) << "square " << s << ", occupancy " << std::hex << occupied;
        }
    }
    game.position = saved;
}

TEST(AttackTables, BitScanWalksFromH1TowardsA8) {
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_EQ(lowestSquare(game.position.occupiedAll), 63);
    EXPECT_EQ(lowestSquare(squareMask[0]), 0);
    Bitboard b = squares({"a8", "e4", "h1"});
    EXPECT_EQ(popSquare(b), 63);
    EXPECT_EQ(popSquare(b), squareOf("e4"));
    EXPECT_EQ(popSquare(b), 0);
    EXPECT_EQ(b, 0u);
}

TEST(AttackTables, PawnStructureMasks) {
    initTablesOnce();
    EXPECT_EQ(whiteFrontFile[squareOf("e2")], squares({"e3", "e4", "e5", "e6", "e7", "e8"}));
    EXPECT_EQ(blackFrontFile[squareOf("e2")], squares({"e1"}));
    EXPECT_EQ(whitePassedMask[squareOf("a7")], squares({"a8", "b8"}));
    EXPECT_EQ(whitePassedMask[squareOf("h8")], 0u);
    EXPECT_EQ(blackPassedMask[squareOf("c1")], 0u);
    EXPECT_EQ(adjacentFiles[squareOf("a5")], 0x8080808080808080ULL >> 1);
    EXPECT_EQ(fileMaskExcl[squareOf("d4")], (0x8080808080808080ULL >> 3) & ~squareMask[squareOf("d4")]);
}
