#include "game/enginethread.h"

#include <thread>

#include "frames/frames.h"
#include "ground/event.h"
#include "ground/log.h"
#include "search/control.h"

unsigned depthCeiling = DEEPEST_ITERATION;

namespace {

Event requestSignal;   // automatic: a search, or the end, is asked of the engine thread
Event idleSignal;      // manual: set exactly while the engine thread waits for a request
std::thread engineThreadHandle;

// Written while the engine thread waits idle, read by it once the request arrives.
SearchRequest request;
bool quitRequested = false;
std::chrono::steady_clock::time_point startTime;

// The longest single wait on an event; longer waits are made of such steps.
constexpr uint64_t LONGEST_WAIT_MS = 3600 * 1000;

void engineThread() {
    for (;;) {
        setEvent(idleSignal);
        waitEvent(requestSignal);
        if (quitRequested) return;
        SearchLimits limits = request.limits;
        const unsigned ceiling = depthCeiling < DEEPEST_ITERATION ? depthCeiling : DEEPEST_ITERATION;
        if (limits.depth > ceiling) limits.depth = ceiling;
        searchPosition(limits);
    }
}

uint64_t elapsedMs() {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - startTime).count();
    return ms > 0 ? uint64_t(ms) : 0;
}

}  // namespace

void launchEngine() {
    initEvent(requestSignal, false);
    initEvent(idleSignal, true);
    quitRequested = false;
    startThread(engineThreadHandle, engineThread);
    waitEvent(idleSignal);
}

void startSearch(const SearchRequest& newRequest) {
    waitEvent(idleSignal);
    request = newRequest;
    resetSearchControl();
    currentUndo = plyFrames;
    startTime = std::chrono::steady_clock::now();
    resetEvent(idleSignal);
    setEvent(requestSignal);
}

void stopSearch() {
    lastIterationFlag = 1;
    stopFlag = 1;
}

void finishIteration() { lastIterationFlag = 1; }

void waitForSearch() { waitEvent(idleSignal); }

bool waitForSearch(uint64_t ms) {
    for (;;) {
        const uint64_t step = ms < LONGEST_WAIT_MS ? ms : LONGEST_WAIT_MS;
        if (waitEvent(idleSignal, uint32_t(step))) return true;
        ms -= step;
        if (ms == 0) return false;
    }
}

void endSearchAfterBudget() {
    finishIteration();
    uint64_t extraMs = 0;
    if (failLowFlag && extraTimeAfterFailLow(request.time, elapsedMs(), extraMs)) {
        logLine("-M: FL - Extra time");
        waitForSearch(extraMs);
    }
    stopSearch();
    waitForSearch();
}

std::chrono::steady_clock::time_point searchStartTime() { return startTime; }

const SearchResult& searchResult() { return lastSearchResult; }

void quitEngine() {
    stopSearch();
    waitForSearch();
    quitRequested = true;
    setEvent(requestSignal);
    joinThread(engineThreadHandle);
}
