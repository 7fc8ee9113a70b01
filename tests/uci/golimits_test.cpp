// The arithmetic of the UCI front end: the go line's limits, the time budget, scores as shown, and
// the win, draw and loss chances shown beside them.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "ground/types.h"
#include "uci/golimits.h"
#include "uci/inputline.h"
#include "uci/report.h"
#include "uci/wdl.h"

namespace {

// The words of `text` (kept alive by the caller).
struct Words {
    Word words[64];
    int count;
    explicit Words(const char* text) : count(splitWords(text, words, 64)) {}
};

GoLimits limitsOf(const char* text) {
    Words w(text);
    return readGoLimits(w.words, w.count);
}

TEST(GoLimits, FieldsUnknownWordsAndBadNumbers) {
    const GoLimits all = limitsOf("wtime 300000 btime 290000 winc 2000 binc 1000 movestogo 12 depth 9 nodes 5000");
    EXPECT_EQ(all.clockMs[WHITE], 300000);
    EXPECT_EQ(all.clockMs[BLACK], 290000);
    EXPECT_EQ(all.incrementMs[WHITE], 2000);
    EXPECT_EQ(all.incrementMs[BLACK], 1000);
    EXPECT_EQ(all.movesToGo, 12);
    EXPECT_EQ(all.depth, 9);
    EXPECT_EQ(all.nodes, 5000);
    EXPECT_EQ(all.moveTimeMs, NOT_GIVEN);
    EXPECT_FALSE(all.infinite);

    // searchmoves and its moves, ponder and mate are skipped; the limits around them are read.
    const GoLimits skipped = limitsOf("searchmoves e2e4 d2d4 ponder mate 3 movetime 150 infinite");
    EXPECT_EQ(skipped.moveTimeMs, 150);
    EXPECT_TRUE(skipped.infinite);
    EXPECT_EQ(skipped.depth, 0);

    // A keyword without its number is not given, and the next word is still read; an overdrawn
    // clock is empty; a number past the range saturates.
    const GoLimits bad = limitsOf("wtime depth 5 btime -2500 nodes 99999999999999999999999 movetime x");
    EXPECT_EQ(bad.clockMs[WHITE], NOT_GIVEN);
    EXPECT_EQ(bad.depth, 5);
    EXPECT_EQ(bad.clockMs[BLACK], 0);
    EXPECT_EQ(bad.nodes, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(bad.moveTimeMs, NOT_GIVEN);

    EXPECT_FALSE(boundsSearch(limitsOf(""), WHITE));
    EXPECT_FALSE(boundsSearch(limitsOf("btime 1000 binc 10"), WHITE)) << "only the other side's clock";
    EXPECT_TRUE(boundsSearch(limitsOf("btime 1000"), BLACK));
    EXPECT_TRUE(boundsSearch(limitsOf("nodes 0"), WHITE));
}

TEST(InputLine, NumbersAndWords) {
    int64_t value = 7;
    for (const char* text : {"", "-", "+", "12a", "1.5", "--3"}) {
        const Word word{text, int(std::strlen(text))};
        EXPECT_FALSE(readNumber(word, value)) << text;
    }
    const struct {
        const char* text;
        int64_t value;
    } numbers[] = {{"0", 0}, {"+42", 42}, {"-42", -42}, {"9223372036854775807", INT64_MAX},
                   {"9223372036854775808", INT64_MAX}, {"-99999999999999999999", INT64_MIN}};
    for (const auto& n : numbers) {
        EXPECT_TRUE(readNumber(Word{n.text, int(std::strlen(n.text))}, value)) << n.text;
        EXPECT_EQ(value, n.value) << n.text;
    }
    Words words("  setoption \t name  Debug Log File   value a  b ");
    ASSERT_EQ(words.count, 8);
    EXPECT_TRUE(wordIs(words.words[0], "setoption"));
    EXPECT_FALSE(wordIs(words.words[0], "setoptio"));
    EXPECT_TRUE(wordIsAnyCase(words.words[2], "debug"));
    EXPECT_FALSE(wordIsAnyCase(words.words[2], "debugs"));
}

TimeBudget budgetOf(const char* text, int side = WHITE, uint64_t overheadMs = 0) {
    return timeBudget(limitsOf(text), side, overheadMs);
}

TEST(TimeBudget, ShareOfTheClockAndMostOfTheIncrement) {
    // Sudden death: a fortieth of the clock and three quarters of the increment.
    const TimeBudget game = budgetOf("wtime 60000 btime 1000 winc 1000 binc 0");
    EXPECT_EQ(game.budgetMs, 60000u / DEFAULT_MOVES_TO_GO + 750);
    EXPECT_EQ(game.limitMs, 54000u);
    EXPECT_EQ(game.extraMs, 30000u) << "half the clock";
    EXPECT_EQ(budgetOf("wtime 60000 btime 1000 winc 1000 binc 0", BLACK).budgetMs, 1000u / DEFAULT_MOVES_TO_GO);
    // Moves to the control share the clock.
    EXPECT_EQ(budgetOf("wtime 30000 movestogo 10").budgetMs, 3000u);
    // The last move before the control may take up to 90% of the clock, never all of it.
    EXPECT_EQ(budgetOf("wtime 30000 movestogo 1").budgetMs, 27000u);
    // A fixed time is met; with a clock too, the earlier end counts.
    const TimeBudget fixed = budgetOf("movetime 200");
    EXPECT_EQ(fixed.budgetMs, 200u);
    EXPECT_EQ(fixed.limitMs, 200u);
    EXPECT_EQ(fixed.extraMs, 0u);
    EXPECT_EQ(budgetOf("movetime 5000 wtime 40000").budgetMs, 1000u);
    EXPECT_EQ(budgetOf("movetime 500 wtime 40000").budgetMs, 500u);
    // No clock of our own: no limit.
    EXPECT_EQ(budgetOf("btime 1000").budgetMs, NO_TIME_LIMIT);
}

TEST(TimeBudget, TinyClocksKeepTheMarginAndHugeOnesSaturate) {
    // Below the margin nothing is left to spend; just above it, the margin is kept.
    EXPECT_EQ(budgetOf("wtime 0 winc 5000").budgetMs, 0u);
    EXPECT_EQ(budgetOf("wtime 40 winc 1000").budgetMs, 0u);
    EXPECT_EQ(budgetOf("wtime 100 winc 1000").budgetMs, 100u - SAFETY_MARGIN_MS);
    // A big increment with a small clock: never more than the clock allows.
    EXPECT_EQ(budgetOf("wtime 1000 winc 60000").budgetMs, 900u);
    // Huge numbers: no overflow, 90% of the clock at most.
    const TimeBudget huge = budgetOf("wtime 9223372036854775807 winc 9223372036854775807 movestogo 1");
    EXPECT_EQ(huge.limitMs, uint64_t(INT64_MAX) / 10 * 9 + uint64_t(INT64_MAX) % 10 * 9 / 10);
    EXPECT_EQ(huge.budgetMs, huge.limitMs);
    EXPECT_GT(budgetOf("wtime 9223372036854775807").budgetMs, 0u);
}

TEST(TimeBudget, ExtraTimeAfterAFailLowStaysWithinTheLimit) {
    uint64_t extra = 0;
    EXPECT_FALSE(extraTimeAfterFailLow(budgetOf("movetime 10000"), 100, extra)) << "a fixed time is fixed";
    EXPECT_FALSE(extraTimeAfterFailLow(budgetOf("wtime 60000"), 100, extra)) << "a budget of 1.5 s earns none";
    const TimeBudget game = budgetOf("wtime 200000");
    ASSERT_TRUE(extraTimeAfterFailLow(game, 5000, extra));
    EXPECT_EQ(extra, 100000u);
    ASSERT_TRUE(extraTimeAfterFailLow(game, 150000, extra));
    EXPECT_EQ(extra, 180000u - 150000u);
    ASSERT_TRUE(extraTimeAfterFailLow(game, 190000, extra));
    EXPECT_EQ(extra, 0u);
}

TEST(TimeBudget, MoveOverheadIsKeptBackDownToAMinimalSearch) {
    // A fixed time and the clock's budget and limit lose the overhead; the extra time stays.
    EXPECT_EQ(budgetOf("movetime 500", WHITE, 100).budgetMs, 400u);
    EXPECT_EQ(budgetOf("movetime 500", WHITE, 100).limitMs, 400u);
    const TimeBudget clock = budgetOf("wtime 200000 btime 1000", WHITE, 100);
    EXPECT_EQ(clock.budgetMs, 200000u / DEFAULT_MOVES_TO_GO - 100);
    EXPECT_EQ(clock.limitMs, 180000u - 100);
    EXPECT_EQ(clock.extraMs, 100000u);
    // Never below a minimal search, unless the time was shorter already; no limit stays none.
    const TimeBudget second = budgetOf("wtime 1000 btime 1000", WHITE, 100);
    EXPECT_EQ(second.budgetMs, MINIMAL_SEARCH_MS) << "a fortieth of a second less 100 ms";
    EXPECT_EQ(second.limitMs, 800u);
    EXPECT_EQ(budgetOf("movetime 500", WHITE, 5000).budgetMs, MINIMAL_SEARCH_MS);
    EXPECT_EQ(budgetOf("movetime 110", WHITE, 100).budgetMs, MINIMAL_SEARCH_MS);
    EXPECT_EQ(budgetOf("movetime 111", WHITE, 100).budgetMs, 11u);
    EXPECT_EQ(budgetOf("movetime 5", WHITE, 100).budgetMs, 5u);
    EXPECT_EQ(budgetOf("wtime 40", WHITE, 100).limitMs, 0u);
    EXPECT_EQ(budgetOf("btime 1000", WHITE, 100).budgetMs, NO_TIME_LIMIT);
    EXPECT_EQ(budgetOf("btime 1000", WHITE, 100).limitMs, NO_TIME_LIMIT);
}

// The model's chances: whole permille that sum to 1000, the same for either side of a score,
// rising with the score, and a win nearly certain far ahead.
TEST(WinDrawLoss, SumsSymmetryAndOrder) {
    for (const int material : {0, 12, 40, 78, 90}) {
        Position p{};
        p.material = uint8_t(material);
        WinDrawLoss before{0, 0, 1000};
        for (int score = -3000; score <= 3000; score += 25) {
            const WinDrawLoss chances = winDrawLoss(p, score);
            const WinDrawLoss mirrored = winDrawLoss(p, -score);
            EXPECT_EQ(chances.win + chances.draw + chances.loss, 1000) << material << " " << score;
            EXPECT_GE(chances.draw, 0) << material << " " << score;
            EXPECT_EQ(chances.win, mirrored.loss) << material << " " << score;
            EXPECT_GE(chances.win, before.win) << material << " " << score;
            EXPECT_LE(chances.loss, before.loss) << material << " " << score;
            before = chances;
        }
        EXPECT_GT(winDrawLoss(p, 1500).win, 950) << material;
        EXPECT_EQ(winDrawLoss(p, 0).win, winDrawLoss(p, 0).loss) << material;
    }
}

std::string shown(int score) {
    char text[32];
    scoreText(text, sizeof text, score);
    return text;
}

TEST(ScoreText, CentipawnsAndMatesInMoves) {
    EXPECT_EQ(shown(0), "cp 0");
    EXPECT_EQ(shown(-135), "cp -135");
    EXPECT_EQ(shown(WINDOW_HIGH), "mate 1");           // mates with this move
    EXPECT_EQ(shown(-MATED_SCORE - 3), "mate 2");      // three plies: our move, theirs, ours
    EXPECT_EQ(shown(MATED_SCORE + 2), "mate -1");      // mated after our move and theirs
    EXPECT_EQ(shown(MATED_SCORE + 4), "mate -2");
    EXPECT_EQ(shown(MATED_SCORE), "mate 0");
    EXPECT_EQ(shown(3000), "cp 3000");
    EXPECT_EQ(shown(-8000), "cp -8000") << "the evaluation's bound is no mate";
}

}  // namespace
