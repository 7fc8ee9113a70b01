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

TEST(Event, AutomaticResetIsConsumedByOneWait) {
    Event event;
    initEvent(event, false);
    EXPECT_FALSE(waitEvent(event, 1));
    setEvent(event);   // nobody waits: the signal stays until the next wait
    EXPECT_TRUE(waitEvent(event, 0));
    EXPECT_FALSE(waitEvent(event, 1));
    setEvent(event);
    setEvent(event);   // signals do not add up
    waitEvent(event);
    EXPECT_FALSE(waitEvent(event, 1));
}

TEST(Event, ManualResetStaysUntilReset) {
    Event event;
    initEvent(event, true);
    setEvent(event);
    waitEvent(event);
    EXPECT_TRUE(waitEvent(event, 0));
    EXPECT_TRUE(waitEvent(event, 0));
    resetEvent(event);
    EXPECT_FALSE(waitEvent(event, 1));
    initEvent(event, true);   // creation leaves it unsignalled
    EXPECT_FALSE(waitEvent(event, 0));
}

TEST(Event, AutomaticResetReleasesExactlyOneOfTwoWaiters) {
    Event event;
    initEvent(event, false);
    std::atomic<int> released{0};
    auto waiter = [&] {
        waitEvent(event);
        ++released;
    };
    std::thread first(waiter), second(waiter);
    setEvent(event);
    ASSERT_TRUE(eventually([&] { return released == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(released, 1);
    setEvent(event);
    first.join();
    second.join();
    EXPECT_EQ(released, 2);
}

TEST(Event, ManualResetReleasesEveryWaiter) {
    Event event;
    initEvent(event, true);
    std::atomic<int> released{0};
    auto waiter = [&] {
        waitEvent(event);
        ++released;
    };
    std::thread first(waiter), second(waiter);
    setEvent(event);
    first.join();
    second.join();
    EXPECT_EQ(released, 2);
}

TEST(Event, TimedWaitEndsEarlyWhenSignalledFromAnotherThread) {
    Event event;
    initEvent(event, false);
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        setEvent(event);
    });
    // An hour's limit: only the signal can end this wait in a test run.
    EXPECT_TRUE(waitEvent(event, 3600 * 1000));
    setter.join();
}

}  // namespace
