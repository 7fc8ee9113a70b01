// The engine's use of its clock as the GUI sees it: how long its moves take. Every check has a
// wide margin: a slow, loaded machine only makes the engine later, so waits are checked from
// below, and from above only against a clock the engine must not overstep by far.
#include <chrono>
#include <string>

#include "xboardsession.h"

namespace {

using Clock = std::chrono::steady_clock;

// Send `input` and return the milliseconds until the engine's next move line, or -1 when none
// came within `limitMs`.
int millisecondsToMove(EngineProcess& process, const std::string& input, int limitMs) {
    const size_t from = process.received.size();
    const auto start = Clock::now();
    sendText(process, input);
    if (!waitForOutput(process, "move ", from, limitMs)) return -1;
    return millisecondsSince(start);
}

// With a large increment the budget is a minute, but the clock shows three seconds: the move
// must come before the flag falls.
TEST(Clock, NeverWaitsLongerThanTheClockShows) {
    EngineProcess process;
    ASSERT_TRUE(startProcess(process));
    sendText(process, "xboard\nnew\nlevel 2 0 60\n");
    ASSERT_TRUE(waitForOutput(process, "feature done=1\n"));
    const int elapsed = millisecondsToMove(process, "time 300\notim 300\ngo\n", 3000);
    EXPECT_GE(elapsed, 0) << "no move within the 3 seconds on the clock";
    sendText(process, "quit\n");
    EXPECT_EQ(waitForExit(process), 0);
    removeFolder(process);
}

// After a book move the first search may take three times its budget: with 29 seconds for 40
// moves, 720 ms become 2160 ms.
TEST(Clock, FirstSearchAfterTheBookTakesLonger) {
    EngineProcess process;
    ASSERT_TRUE(startWithBook(process));
    sendText(process, "xboard\nnew\nlevel 40 5 0\n");
    ASSERT_TRUE(waitForOutput(process, "feature done=1\n"));
    const int bookMove = millisecondsToMove(process, "time 3000\notim 3000\ngo\n", DEFAULT_SESSION_TIMEOUT_MS);
    ASSERT_GE(bookMove, 0) << process.received;
    // h7h6 answers any first move and leaves the book.
    const int searched = millisecondsToMove(process, "time 3000\notim 3000\nh7h6\n", DEFAULT_SESSION_TIMEOUT_MS);
    ASSERT_GE(searched, 0) << process.received;
    EXPECT_GE(searched, 2000) << "the search after the book move used only its plain budget";
    sendText(process, "quit\n");
    EXPECT_EQ(waitForExit(process), 0);
    const std::string log = readFolderFile(process, "Tarnek.log");
    removeFolder(process);
    EXPECT_TRUE(contains(log, "-M: move(book): ")) << log;
    EXPECT_TRUE(contains(log, "-FEN:\t")) << "the second move was searched";
}

}  // namespace
