#include "search/control.h"

#include <algorithm>

std::atomic<uint8_t> stopFlag{0};
std::atomic<uint8_t> lastIterationFlag{0};
std::atomic<uint8_t> failLowFlag{1};
thread_local constinit unsigned iterationDepth = 0;
thread_local constinit std::atomic<uint64_t> searchNodes{0};
thread_local constinit unsigned selDepth = 0;
uint64_t nodeLimit = NO_NODE_LIMIT;
thread_local constinit uint64_t nextNodeCheck = NO_NODE_LIMIT;

namespace {

// The counters of the threads that search; none registered: the calling thread alone.
std::atomic<uint64_t>* nodeCounters[MAX_SEARCH_THREADS];
int counterCount = 0;
// Nodes of the limit not yet allotted to any thread. A thread draws its allotment from here, so
// that the allotments of all threads together never pass the limit however unevenly they run.
std::atomic<uint64_t> unallottedNodes{0};

}  // namespace

void setSearchingThreads(std::atomic<uint64_t>* const* counters, int count) {
    for (int i = 0; i < count; ++i) nodeCounters[i] = counters[i];
    counterCount = count;
}

uint64_t totalNodes() {
    if (counterCount == 0) return searchNodes.load(std::memory_order_relaxed);
    uint64_t total = 0;
    for (int i = 0; i < counterCount; ++i) total += nodeCounters[i]->load(std::memory_order_relaxed);
    return total;
}

void resetSearchControl(uint64_t limit) {
    stopFlag = 0;
    lastIterationFlag = 0;
    nodeLimit = limit;
    unallottedNodes.store(limit, std::memory_order_relaxed);
    searchNodes = 0;
    for (int i = 0; i < counterCount; ++i) nodeCounters[i]->store(0, std::memory_order_relaxed);
}

void checkNodeLimit() {
    const uint64_t total = totalNodes();
    if (total >= nodeLimit) {
        stopFlag.store(1, std::memory_order_relaxed);
        nextNodeCheck = NO_NODE_LIMIT;
        return;
    }
    // Draw a share of what no thread has been allotted yet. With nothing left to draw, look again
    // after the next node: the others' allotments are still being used up.
    const uint64_t threads = uint64_t(counterCount > 0 ? counterCount : 1);
    uint64_t unallotted = unallottedNodes.load(std::memory_order_relaxed);
    uint64_t share = 0;
    do {
        share = unallotted == 0 ? 0 : std::max<uint64_t>(1, unallotted / threads);
    } while (share > 0 && !unallottedNodes.compare_exchange_weak(unallotted, unallotted - share,
                                                                   std::memory_order_relaxed));
    nextNodeCheck = searchNodes.load(std::memory_order_relaxed) + (share > 0 ? share : 1);
}
