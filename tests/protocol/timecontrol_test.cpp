#include "protocol/timecontrol.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "game/enginethread.h"
#include "movegen/legality.h"
#include "search/transposition.h"
#include "support.h"

namespace {

// The settings live for the whole process: every test starts from the start-up values.
class TimeControl : public ::testing::Test {
protected:
    void SetUp() override { xboardClock = UNSET_CLOCK; }
};

// The extra time a fail low `elapsedMs` into the search would get: none is -1.
int64_t extraTimeMs(uint64_t elapsedMs) {
    uint64_t extra = 0;
    return extraTimeAfterFailLow(moveBudget(), elapsedMs, extra) ? int64_t(extra) : -1;
}

uint64_t firstWaitMs() { return firstWaitMs(moveBudget()); }

TEST_F(TimeControl, NoClockYetMeansStopAtOnce) {
    EXPECT_EQ(firstWaitMs(), 0u);
    EXPECT_EQ(extraTimeMs(0), -1);
}

TEST_F(TimeControl, ClockDividedByMovesWithOneSecondHeldBack) {
    setClock(30000);
    EXPECT_EQ(xboardClock.moveBudgetMs, 7470u);
    setClock(199);   // below two seconds nothing is held back
    EXPECT_EQ(xboardClock.moveBudgetMs, 40u);
    setClock(200);
    EXPECT_EQ(xboardClock.moveBudgetMs, 20u);
    setClock(0);
    EXPECT_EQ(xboardClock.moveBudgetMs, 0u);
}

TEST_F(TimeControl, OverdrawnClockCountsAsEmpty) {
    xboardClock.incrementMs = 2000;
    setClock(-500);
    EXPECT_EQ(xboardClock.moveBudgetMs, 2000u);
    EXPECT_EQ(firstWaitMs(), 0u);   // nothing left to spend, whatever the increment
}

TEST_F(TimeControl, LevelSetsMovesAndIncrementOnly) {
    setLevel(" 0 2 12\n");
    EXPECT_EQ(xboardClock.movesPerControl, 40u);
    EXPECT_EQ(xboardClock.incrementMs, 12000u);
    setClock(12000);
    EXPECT_EQ(xboardClock.moveBudgetMs, 14970u);

    setLevel(" 40 5 0\n");
    EXPECT_EQ(xboardClock.movesPerControl, 40u);
    EXPECT_EQ(xboardClock.incrementMs, 0u);
    setLevel(" 20 5 0");
    EXPECT_EQ(xboardClock.movesPerControl, 20u);
}

TEST_F(TimeControl, LevelInTheGuisOtherForms) {
    setLevel(" 30 5:30 3\n");
    EXPECT_EQ(xboardClock.movesPerControl, 30u);
    EXPECT_EQ(xboardClock.incrementMs, 3000u);
    setLevel(" 0 0:10 0.1\n");
    EXPECT_EQ(xboardClock.movesPerControl, 40u);
    EXPECT_EQ(xboardClock.incrementMs, 100u);
    setLevel(" 0 1 2.5");
    EXPECT_EQ(xboardClock.incrementMs, 2500u);
    setLevel(" 0 1 .25");
    EXPECT_EQ(xboardClock.incrementMs, 250u);
    setLevel(" 0 1 0.0005");   // rounded to the nearest millisecond
    EXPECT_EQ(xboardClock.incrementMs, 1u);
}

TEST_F(TimeControl, UnreadableLevelFieldsLeaveTheirSettings) {
    xboardClock.movesPerControl = 25;
    xboardClock.incrementMs = 700;
    for (const char* arguments : {"", "\n", " x y z\n", " -3 5 -2\n", " 3x 5 2s\n", " 30\n", " . 5 .\n"})
        setLevel(arguments);
    EXPECT_EQ(xboardClock.movesPerControl, 30u) << "only the readable moves field of \" 30\" applies";
    EXPECT_EQ(xboardClock.incrementMs, 700u);
    setLevel(" abc 5 4\n");
    EXPECT_EQ(xboardClock.movesPerControl, 30u);
    EXPECT_EQ(xboardClock.incrementMs, 4000u);
}

TEST_F(TimeControl, TestCommandClock) {
    setTestClock();
    EXPECT_EQ(xboardClock.moveBudgetMs, 1030864170u);
    xboardClock.incrementMs = 5;
    setTestClock();
    EXPECT_EQ(xboardClock.moveBudgetMs, 1030864175u);
    EXPECT_EQ(firstWaitMs(), 1030864175u);
}

TEST_F(TimeControl, FirstSearchAfterABookMove) {
    xboardClock.moveBudgetMs = 7470;
    lengthenBudgetAfterBook();
    EXPECT_EQ(xboardClock.moveBudgetMs, 22410u);
    xboardClock.movesPerControl = 20;
    xboardClock.moveBudgetMs = 7470;
    lengthenBudgetAfterBook();
    EXPECT_EQ(xboardClock.moveBudgetMs, 14940u);
}

TEST_F(TimeControl, ExtraTimeAfterAFailLow) {
    setClock(30000);
    EXPECT_EQ(extraTimeMs(7470), 149400);
}

TEST_F(TimeControl, HugeMovesPerControlDoNotWrapAround) {
    // 65536 moves times a 65536 ms budget is 2^32: in 32 bits it would come out as nothing.
    xboardClock.movesPerControl = 65536;
    xboardClock.moveBudgetMs = 65536;
    lengthenBudgetAfterBook();
    EXPECT_EQ(xboardClock.moveBudgetMs, 3u * 65536u);
    xboardClock.moveBudgetMs = 65536;
    xboardClock.moveLimitMs = uint64_t(1) << 40;
    EXPECT_EQ(extraTimeMs(0), int64_t(1) << 31);
}

TEST_F(TimeControl, NeverMoreThanNineTenthsOfTheClock) {
    // 2 moves a control and a large increment would spend more than the clock holds.
    setLevel(" 2 0 60\n");
    setClock(1100);   // 11 s shown, 10 s usable
    EXPECT_EQ(xboardClock.moveBudgetMs, 65000u);
    EXPECT_EQ(firstWaitMs(), 9000u);
    EXPECT_EQ(extraTimeMs(0), 9000);
    EXPECT_EQ(extraTimeMs(8000), 1000);
    EXPECT_EQ(extraTimeMs(9000), 0);
    EXPECT_EQ(extraTimeMs(20000), 0);
    // A tiny clock: 90% of it, not the two-second minimum of the hold-back.
    setClock(150);
    EXPECT_EQ(firstWaitMs(), 1350u);
}

// The engine thread searching a position whose root entry promises far more than it holds: the
// first iteration starts with a window around +30.00, fails low, and searches the root again.
// The budget is declared spent while that second search runs; `timeControl` and `clock` set it.
constexpr int FIRST_SEARCHED = 5;
std::atomic<unsigned> iterationsDone{0};
void countIteration(const IterationLine& line) { iterationsDone = line.depth; }

std::string budgetSpentDuringAFailLow(const char* timeControl, int clock) {
    setLevel(timeControl);
    setClock(clock);
    launchEngine();
    std::string text;
    // The second search of the root takes milliseconds: should this thread wake only once it has
    // ended, the iteration is complete, and the search is run again from the start.
    bool caught = false;
    for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
        setUpPosition("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ -");
        storeHash(game.position, FIRST_SEARCHED - 1, EXACT_BOUND, anyLegalMove(game), 3000);
        LogCapture log;
        failLowFlag = 0;
        iterationsDone = 0;
        startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, countIteration}, moveBudget()});
        for (int i = 0; i < 60000 && !caught && iterationsDone == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            caught = failLowFlag;
        }
        endSearchAfterBudget();
        text = log.text();
    }
    quitEngine();
    EXPECT_TRUE(caught) << "the root never failed low";
    EXPECT_TRUE(isLegalMove(game, searchResult().best.move));
    return text;
}

// With a budget above two seconds the fail low gets up to half the clock more: here enough for
// the second search to finish the iteration, which then ends the search.
TEST_F(TimeControl, FailLowAtTheRootGetsExtraTime) {
    const std::string log = budgetSpentDuringAFailLow("40 5 0", 30000);   // budget 7470 ms
    EXPECT_NE(log.find("-M: FL - Extra time\n"), std::string::npos) << log;
    EXPECT_NE(log.find("-E: " + std::to_string(FIRST_SEARCHED) + ":\t"), std::string::npos) << log;
    EXPECT_NE(log.find("-E: Ended ply after extra time\n"), std::string::npos) << log;
}

TEST_F(TimeControl, NoExtraTimeOnABudgetOfTwoSeconds) {
    const std::string log = budgetSpentDuringAFailLow("40 5 0", 8100);   // budget 2000 ms
    EXPECT_EQ(log.find("-M: FL - Extra time"), std::string::npos) << log;
    EXPECT_EQ(log.find("-E: " + std::to_string(FIRST_SEARCHED) + ":\t"), std::string::npos)
        << "aborted, not finished\n" << log;
}

}  // namespace
