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
// Set by "ponderhit" or "stop" while a search ponders: what it waits for.
Event ponderEndSignal;
std::atomic<bool> supervisorEnding{false};
std::thread supervisorHandle;

// Written by the command loop while the supervisor is idle, read by it after orderSignal.
SearchOrder order;

// Progress is shown once a second, from the end of the search's first second on.
constexpr uint64_t PROGRESS_INTERVAL_MS = 1000;

// How long until the next line of progress is due.
uint64_t untilProgress() { return PROGRESS_INTERVAL_MS - searchElapsedMs() % PROGRESS_INTERVAL_MS; }

// While the search ponders: wait for "ponderhit" or "stop", showing progress while it searches.
void waitForPonderEnd() {
    while (!waitEvent(ponderEndSignal, uint32_t(untilProgress())))
        if (!waitForSearch(0)) reportProgress();
}

// Watch the search until it has ended by itself or by its budget, showing its progress.
void watchSearch() {
    if (order.pondering) {
        waitForPonderEnd();
        if (waitEvent(stopSignal, 0)) return;   // stopped: the search is being aborted
    }
    finishSearchByBudget(PROGRESS_INTERVAL_MS, reportProgress);
}

void supervisorThread() {
    for (;;) {
        waitEvent(orderSignal);
        if (supervisorEnding.load()) return;
        if (order.searching) watchSearch();
        // An infinite search that ended by itself (a mate found, the deepest iteration done)
        // keeps its answer until it is asked for.
        if (order.untilStop) waitEvent(stopSignal);
        waitForSearch();
        if (order.searching)
            answerSearch(order.fallback);
        else
            answerNoMove(order.mated);
        setEvent(idleSignal);
    }
}

}  // namespace

void launchSupervisor() {
    initEvent(orderSignal, false);
    initEvent(idleSignal, true);
    initEvent(stopSignal, true);
    initEvent(ponderEndSignal, true);
    setEvent(idleSignal);
    supervisorEnding = false;
    startThread(supervisorHandle, supervisorThread);
}

void superviseSearch(const SearchOrder& newOrder) {
    order = newOrder;
    resetEvent(stopSignal);
    resetEvent(ponderEndSignal);
    resetEvent(idleSignal);
    setEvent(orderSignal);
}

bool searchSupervised() { return !waitEvent(idleSignal, 0); }

void ponderHit() {
    if (!searchSupervised() || !order.pondering) return;
    setEvent(ponderEndSignal);
}

void stopSupervisedSearch() {
    if (!searchSupervised()) return;
    setEvent(stopSignal);
    setEvent(ponderEndSignal);
    // Finish no iteration: abort at once. Harmless when the search has already ended.
    stopSearch();
    waitEvent(idleSignal);
}

void endSupervisor() {
    supervisorEnding = true;
    setEvent(orderSignal);
    joinThread(supervisorHandle);
}
