// The search's control state: what its owner tells every searching thread (stop now, start no new
// iteration), what the main search tells its owner (a fail low being resolved), and what each
// thread counts. The iterative deepening and the searches of the root, the interior and the
// quiescence share it.
#pragma once

#include <atomic>
#include <cstdint>

#include "search/thread.h"

// The shallowest iteration is two plies; the deepest 63, as the frames hold 8 plies of
// quiescence below it.
constexpr unsigned FIRST_ITERATION = 2;
constexpr unsigned DEEPEST_ITERATION = MAX_FRAMES - 9;

constexpr uint64_t NO_NODE_LIMIT = UINT64_MAX;
// The most threads that may search together.
constexpr int MAX_SEARCH_THREADS = 256;

extern std::atomic<uint8_t> stopFlag;            // 1: abort the running search at once
extern std::atomic<uint8_t> lastIterationFlag;   // 1: finish the iteration under way, start no other
extern std::atomic<uint8_t> failLowFlag;         // 1 while the root is searched again after a fail low
// All threads together stop once they have made this many moves.
extern uint64_t nodeLimit;

// The threads that search, by their objects; the count of the moves all of them have made (of
// none, 0).
void setSearchingThreads(SearchThread* const* threads, int count);
uint64_t totalNodes();

// Ready the control state for the next search, on the thread that starts it while every
// searching thread waits: no stop, no last iteration, no node counted yet, at most `limit`.
void resetSearchControl(uint64_t limit = NO_NODE_LIMIT);

// The thread's count has reached its nextNodeCheck: stop every thread at the node limit, or draw
// its next allotment from the nodes no thread holds yet. A thread searching on its own, with no
// threads set, counts its own nodes alone.
void checkNodeLimit(SearchThread& thread);

inline bool stopped() { return stopFlag.load(std::memory_order_relaxed) != 0; }

// Count one move made by the thread's search (a relaxed load and store, no locked increment), and
// look at the node limit when it may be near.
inline void countNode(SearchThread& thread) {
    const uint64_t nodes = thread.nodes.load(std::memory_order_relaxed) + 1;
    thread.nodes.store(nodes, std::memory_order_relaxed);
    if (nodes >= thread.nextNodeCheck) checkNodeLimit(thread);
}
