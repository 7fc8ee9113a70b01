// Levels of play: fewer nodes and a surer choice as the rating rises, and the draw among the best
// lines that never takes a move far below the best nor passes over a mate.
#include "game/level.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "search/mate.h"

namespace {

// How often each of `count` lines is chosen over 1000 draws spread evenly over the 64-bit values.
void countChoices(const PlayingLevel& level, const ScoredMove* lines, int count, int* chosen) {
    for (int i = 0; i < count; ++i) chosen[i] = 0;
    for (uint64_t i = 0; i < 1000; ++i) ++chosen[chooseLine(level, lines, count, i * (UINT64_MAX / 1000))];
}

}  // namespace

TEST(Level, WeakerRatingsSearchLessAndChooseLessSurely) {
    EXPECT_EQ(playingLevel(STRONGEST_LEVEL_ELO).nodes, 0u) << "the top is full strength";
    EXPECT_EQ(playingLevel(STRONGEST_LEVEL_ELO + 500).nodes, 0u);
    const PlayingLevel weakest = playingLevel(WEAKEST_LEVEL_ELO);
    EXPECT_EQ(playingLevel(WEAKEST_LEVEL_ELO - 500).nodes, weakest.nodes) << "below the range is its bottom";
    PlayingLevel stronger = weakest;
    for (int elo = WEAKEST_LEVEL_ELO + 50; elo < STRONGEST_LEVEL_ELO; elo += 50) {
        const PlayingLevel level = playingLevel(elo);
        EXPECT_GT(level.nodes, stronger.nodes) << elo;
        EXPECT_LE(level.temperatureCp, stronger.temperatureCp) << elo;
        EXPECT_GT(level.lines, 1) << elo;
        stronger = level;
    }
}

TEST(Level, DrawsTheBetterMovesMoreOftenAndNeverABlunderOrAMissedMate) {
    const PlayingLevel level = playingLevel(WEAKEST_LEVEL_ELO);
    // The last move loses far more than the level ever gives away.
    const ScoredMove lines[4] = {{60, 1}, {45, 2}, {0, 3}, {int16_t(60 - level.maxLossCp - 1), 4}};
    int chosen[4];
    countChoices(level, lines, 4, chosen);
    EXPECT_GT(chosen[0], chosen[1]);
    EXPECT_GT(chosen[1], chosen[2]);
    EXPECT_GT(chosen[2], 0) << "a weaker move is drawn now and then";
    EXPECT_EQ(chosen[3], 0) << "a move beyond the level's largest loss never is";
    // A mate in three the best line gives is always played.
    const ScoredMove mating[2] = {{int16_t(-MATED_SCORE - 5), 1}, {int16_t(-MATED_SCORE - 7), 2}};
    countChoices(level, mating, 2, chosen);
    EXPECT_EQ(chosen[0], 1000);
    // Full strength, or a single line, takes the best.
    countChoices(playingLevel(STRONGEST_LEVEL_ELO), lines, 4, chosen);
    EXPECT_EQ(chosen[0], 1000);
    countChoices(level, lines, 1, chosen);
    EXPECT_EQ(chosen[0], 1000);
}
