#include "search/control.h"

#include <algorithm>

std::atomic<uint8_t> stopFlag{0};
std::atomic<uint8_t> lastIterationFlag{0};
std::atomic<uint8_t> failLowFlag{1};
uint64_t nodeLimit = NO_NODE_LIMIT;

namespace {

// The threads that search.
SearchThread* searchingThreads[MAX_SEARCH_THREADS];
int threadCount = 0;
// Nodes of the limit not yet allotted to any thread. A thread draws its allotment from here, so
// that the allotments of all threads together never pass the limit however unevenly they run.
std::atomic<uint64_t> unallottedNodes{0};

}  // namespace

void setSearchingThreads(SearchThread* const* threads, int count) {
    for (int i = 0; i < count; ++i) searchingThreads[i] = threads[i];
    threadCount = count;
}

uint64_t totalNodes() {
    uint64_t total = 0;
    for (int i = 0; i < threadCount; ++i) total += searchingThreads[i]->nodes.load(std::memory_order_relaxed);
    return total;
}

void resetSearchControl(uint64_t limit) {
    stopFlag = 0;
    lastIterationFlag = 0;
    nodeLimit = limit;
    unallottedNodes.store(limit, std::memory_order_relaxed);
    for (int i = 0; i < threadCount; ++i) searchingThreads[i]->nodes.store(0, std::memory_order_relaxed);
}

void checkNodeLimit(SearchThread& thread) {
    const uint64_t total = threadCount > 0 ? totalNodes() : thread.nodes.load(std::memory_order_relaxed);
    if (total >= nodeLimit) {
        stopFlag.store(1, std::memory_order_relaxed);
        thread.nextNodeCheck = NO_NODE_LIMIT;
        return;
    }
    // Draw a share of what no thread has been allotted yet. With nothing left to draw, look again
    // after the next node: the others' allotments are still being used up.
    const uint64_t threads = uint64_t(threadCount > 0 ? threadCount : 1);
    uint64_t unallotted = unallottedNodes.load(std::memory_order_relaxed);
    uint64_t share = 0;
    do {
        share = unallotted == 0 ? 0 : std::max<uint64_t>(1, unallotted / threads);
    } while (share > 0 && !unallottedNodes.compare_exchange_weak(unallotted, unallotted - share,
                                                                   std::memory_order_relaxed));
    thread.nextNodeCheck = thread.nodes.load(std::memory_order_relaxed) + (share > 0 ? share : 1);
}
