#include "uci/supervisor.h"

#include <atomic>
#include <thread>

#include "game/budgetstop.h"
#include "game/enginethread.h"
#include "ground/event.h"
#include "search/enginestate.h"
#include "search/search.h"
#include "uci/report.h"

namespace {

// Orders for the supervisor, signalled by the command loop.
Event orderSignal;
// Set exactly while the supervisor has no search to watch.
Event idleSignal;
// Set by "stop" (and whatever acts like it) until the next order.
Event stopSignal;
std::atomic<bool> supervisorEnding{false};
std::thread supervisorHandle;

// Written by the command loop while the supervisor is idle, read by it after orderSignal.
SearchOrder order;

// The longest single wait: a search without a time limit is watched in such steps.
constexpr uint64_t LONGEST_WAIT_MS = 3600 * 1000;
// How often the node count is looked at when the search has a node limit.
constexpr uint32_t NODE_POLL_MS = 1;

uint64_t elapsedMs() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                          order.start).count();
    return ms > 0 ? uint64_t(ms) : 0;
}

bool extraTimeRule(uint32_t elapsed, uint32_t& extraMs) {
    uint64_t extra;
    if (!extraTimeAfterFailLow(order.time, elapsed, extra)) return false;
    extraMs = extra < UINT32_MAX ? uint32_t(extra) : UINT32_MAX;
    return true;
}

// Wait until the search has ended, ending it by its budget or its node count. A "stop" from
// the command loop aborts the search directly, which ends this wait as any end of the search.
void watchSearch() {
    for (;;) {
        if (order.nodeLimit != NO_NODE_LIMIT && searchNodes.load(std::memory_order_relaxed) >= order.nodeLimit) {
            stopEngine();
            return;
        }
        const uint64_t elapsed = elapsedMs();
        if (elapsed >= order.time.budgetMs) {
            if (order.time.fromClock)
                endSearchAfterBudget(order.start, extraTimeRule);
            else
                stopEngine();
            return;
        }
        uint64_t wait = order.time.budgetMs - elapsed;
        if (wait > LONGEST_WAIT_MS) wait = LONGEST_WAIT_MS;
        if (order.nodeLimit != NO_NODE_LIMIT && wait > NODE_POLL_MS) wait = NODE_POLL_MS;
        if (waitEvent(stoppedSignal, uint32_t(wait))) return;
    }
}

void supervisorThread() {
    for (;;) {
        waitEvent(orderSignal);
        if (supervisorEnding.load()) return;
        if (order.searching) watchSearch();
        // An infinite search that ended by itself (a mate found, the deepest iteration done)
        // keeps its answer until it is asked for.
        if (order.untilStop) waitEvent(stopSignal);
        if (order.searching) {
            answerSearch();
            // Release the engine thread from the end of its search into its idle wait.
            engineState = Idle;
            startEngine(64);
        } else {
            answerNoMove();
        }
        setEvent(idleSignal);
    }
}

}  // namespace

void launchSupervisor() {
    initEvent(orderSignal, false);
    initEvent(idleSignal, true);
    initEvent(stopSignal, true);
    setEvent(idleSignal);
    supervisorEnding = false;
    startThread(supervisorHandle, supervisorThread);
}

void superviseSearch(const SearchOrder& newOrder) {
    order = newOrder;
    resetEvent(stopSignal);
    resetEvent(idleSignal);
    setEvent(orderSignal);
}

bool searchSupervised() { return !waitEvent(idleSignal, 0); }

void stopSupervisedSearch() {
    if (!searchSupervised()) return;
    setEvent(stopSignal);
    // Finish no iteration: abort at once. Harmless when the search has already ended.
    engineState = Idle;
    stopFlag = 1;
    waitEvent(idleSignal);
}

void endSupervisor() {
    supervisorEnding = true;
    setEvent(orderSignal);
    joinThread(supervisorHandle);
}
