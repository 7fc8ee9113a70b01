// Events and a thread: the small signalling layer between the command loop and the engine thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// An event is signalled or not. With automatic reset one waiter consumes the signal (it stays
// set until the next wait when nobody waits); with manual reset it stays set until reset.
struct Event {
    std::mutex mutex;
    std::condition_variable changed;
    bool signalled = false;
    bool manualReset = false;
};

// Make the event unsignalled, with the given reset mode.
void initEvent(Event& event, bool manualReset);
// Signal the event.
void setEvent(Event& event);
// Make the event unsignalled.
void resetEvent(Event& event);
// Wait until the event is signalled.
void waitEvent(Event& event);
// Wait until the event is signalled or `milliseconds` have passed; true when it was signalled.
bool waitEvent(Event& event, uint32_t milliseconds);

// Run `function` on a new thread held by `thread` (with `argument`).
void startThread(std::thread& thread, void (*function)());
void startThread(std::thread& thread, void (*function)(int), int argument);
// Wait until the thread has ended.
void joinThread(std::thread& thread);
