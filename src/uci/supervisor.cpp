#include "uci/supervisor.h"

#include <atomic>
#include <thread>

#include "game/enginethread.h"
#include "ground/event.h"
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

void supervisorThread() {
    for (;;) {
        waitEvent(orderSignal);
        if (supervisorEnding.load()) return;
        // A "stop" aborts the search directly, which ends this wait as any end of the search.
        if (order.searching && !waitForSearch(firstWaitMs(order.time))) endSearchAfterBudget();
        // An infinite search that ended by itself (a mate found, the deepest iteration done)
        // keeps its answer until it is asked for.
        if (order.untilStop) waitEvent(stopSignal);
        if (order.searching)
            answerSearch();
        else
            answerNoMove();
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
    stopSearch();
    waitEvent(idleSignal);
}

void endSupervisor() {
    supervisorEnding = true;
    setEvent(orderSignal);
    joinThread(supervisorHandle);
}
