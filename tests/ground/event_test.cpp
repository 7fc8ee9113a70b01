#include "ground/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Poll until `done` holds; generous, since the machine may be slow.
template <typename Condition>
bool eventually(Condition done) {
    for (int i = 0; i < 5000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

// Longest any wait in these tests may take before it counts as a hang: ten seconds.
constexpr unsigned HANG_MS = 10000;

// Join the waiters once they are released; a waiter still blocked is left behind (the event it
// waits on is never destroyed, so it stays valid) and the test fails instead of hanging.
void joinReleased(std::thread& first, std::thread& second, bool released) {
    if (released) {
        first.join();
        second.join();
    } else {
        first.detach();
        second.detach();
    }
}

TEST(Event, AutomaticResetIsConsumedByOneWait) {
    Event event;
    initEvent(event, false);
    EXPECT_FALSE(waitEvent(event, 1));
    setEvent(event);   // nobody waits: the signal stays until the next wait
    EXPECT_TRUE(waitEvent(event, 0));
    EXPECT_FALSE(waitEvent(event, 1));
    setEvent(event);
    setEvent(event);   // signals do not add up
    EXPECT_TRUE(waitEvent(event, HANG_MS));
    EXPECT_FALSE(waitEvent(event, 1));
}

TEST(Event, ManualResetStaysUntilReset) {
    Event event;
    initEvent(event, true);
    setEvent(event);
    EXPECT_TRUE(waitEvent(event, HANG_MS));
    EXPECT_TRUE(waitEvent(event, 0));
    EXPECT_TRUE(waitEvent(event, 0));
    resetEvent(event);
    EXPECT_FALSE(waitEvent(event, 1));
    initEvent(event, true);   // creation leaves it unsignalled
    EXPECT_FALSE(waitEvent(event, 0));
}

TEST(Event, AutomaticResetReleasesExactlyOneOfTwoWaiters) {
    static Event& event = *new Event;   // destroyed with blocked waiters, it would hang the exit
    initEvent(event, false);
    static std::atomic<int> released{0};
    auto waiter = [] {
        waitEvent(event);
        ++released;
    };
    std::thread first(waiter), second(waiter);
    setEvent(event);
    EXPECT_TRUE(eventually([] { return released == 1; })) << "no waiter released";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(released, 1) << "one signal released both waiters";
    setEvent(event);
    const bool both = eventually([] { return released == 2; });
    EXPECT_TRUE(both) << "the second signal released nobody";
    joinReleased(first, second, both);
}

TEST(Event, ManualResetReleasesEveryWaiter) {
    static Event& event = *new Event;   // destroyed with blocked waiters, it would hang the exit
    initEvent(event, true);
    static std::atomic<int> released{0};
    auto waiter = [] {
        waitEvent(event);
        ++released;
    };
    std::thread first(waiter), second(waiter);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));   // most likely both wait by now
    setEvent(event);
    const bool both = eventually([] { return released == 2; });
    EXPECT_TRUE(both) << released << " of two waiters released";
    joinReleased(first, second, both);
}

TEST(Event, TimedWaitEndsEarlyWhenSignalledFromAnotherThread) {
    Event event;
    initEvent(event, false);
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        setEvent(event);
    });
    // Only the signal can end this wait with true.
    EXPECT_TRUE(waitEvent(event, HANG_MS));
    setter.join();
}

}  // namespace
