#include "game/enginethread.h"

#include <chrono>

#include "protocol/timecontrol.h"
#include "search/enginestate.h"
#include "search/search.h"
#include "support.h"

namespace {

// The whole life of the engine thread in this process: idle, two searches, quit. A fault in the
// hand-over between the threads shows as a hang here.
TEST(EngineThread, IdleSearchesAndQuit) {
    setUpPosition(INITIAL_POSITION_TEXT);
    moveBudgetMs = 0;
    launchEngineThread();
    stopEngine();   // the thread reaches its idle wait
    EXPECT_EQ(engineState, Idle);
    stopEngine();   // already idle: returns at once
    EXPECT_EQ(engineState, Idle);

    for (unsigned depth : {64u, 5u, 0x105u}) {
        engineState = Think;
        startEngine(depth);
        EXPECT_EQ(maxDepth, depth == 64 ? 63u : 5u);
        EXPECT_EQ(stopFlag, 0);
        stopAfterBudget(std::chrono::steady_clock::now());
        EXPECT_EQ(engineState, Idle);
        EXPECT_EQ(stopFlag, 1);
        EXPECT_TRUE(waitEvent(stoppedSignal, 0)) << "the thread waits idle once the search is ended";
        // Release the thread from the end of its search. The next round writes Think at once,
        // as the opponent's move does: the thread must not take that for its own next request.
        engineState = AwaitOpponent;
        startEngine(64);
    }
    stopEngine();
    engineState = Quit;
    startEngine(64);
    joinEngineThread();
    engineState = AwaitOpponent;
}

}  // namespace
