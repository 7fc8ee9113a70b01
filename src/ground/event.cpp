#include "ground/event.h"

#include <chrono>

void initEvent(Event& event, bool manualReset) {
    std::lock_guard<std::mutex> lock(event.mutex);
    event.signalled = false;
    event.manualReset = manualReset;
}

void setEvent(Event& event) {
    {
        std::lock_guard<std::mutex> lock(event.mutex);
        event.signalled = true;
    }
    // A manual event releases every waiter; an automatic one only the waiter that consumes it.
    if (event.manualReset)
        event.changed.notify_all();
    else
        event.changed.notify_one();
}

void resetEvent(Event& event) {
    std::lock_guard<std::mutex> lock(event.mutex);
    event.signalled = false;
}

void waitEvent(Event& event) {
    std::unique_lock<std::mutex> lock(event.mutex);
    event.changed.wait(lock, [&] { return event.signalled; });
    if (!event.manualReset) event.signalled = false;
}

bool waitEvent(Event& event, uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(event.mutex);
    if (!event.changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return event.signalled; }))
        return false;
    if (!event.manualReset) event.signalled = false;
    return true;
}

void startThread(std::thread& thread, void (*function)()) { thread = std::thread(function); }

void startThread(std::thread& thread, void (*function)(int), int argument) { thread = std::thread(function, argument); }

void joinThread(std::thread& thread) {
    if (thread.joinable()) thread.join();
}
