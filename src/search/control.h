// The search's control state: what its owner tells every searching thread (stop now, start no new
// iteration), what the main search tells its owner (a fail low being resolved), and what each
// thread counts. The iterative deepening and the searches of the root, the interior and the
// quiescence share it.
#pragma once

#include <atomic>
#include <cstdint>

#include "ground/types.h"

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
// Nominal depth of the calling thread's current iteration.
extern thread_local constinit unsigned iterationDepth;
// Moves made by the calling thread's search. Only that thread writes it; others read it while the
// search runs (the node count of all threads), hence atomic, with plain loads and stores.
extern thread_local constinit std::atomic<uint64_t> searchNodes;
// The deepest ply the calling thread's search has reached in its iteration under way, quiescence
// included.
extern thread_local constinit unsigned selDepth;
// All threads together stop once they have made this many moves.
extern uint64_t nodeLimit;
// The calling thread's count at which it next adds up every thread's.
extern thread_local constinit uint64_t nextNodeCheck;

// The threads that search, by their counters; the count of all of them.
void setSearchingThreads(std::atomic<uint64_t>* const* counters, int count);
uint64_t totalNodes();

// Ready the control state for the next search, on the thread that starts it while every
// searching thread waits: no stop, no last iteration, no node counted yet, at most `limit`.
void resetSearchControl(uint64_t limit = NO_NODE_LIMIT);

// The calling thread's count has reached nextNodeCheck: stop every thread at the node limit, or
// draw its next allotment from the nodes no thread holds yet.
void checkNodeLimit();

inline bool stopped() { return stopFlag.load(std::memory_order_relaxed) != 0; }

// Count one move made by the search (a relaxed load and store, no locked increment), and look at
// the node limit when it may be near.
inline void countNode() {
    const uint64_t nodes = searchNodes.load(std::memory_order_relaxed) + 1;
    searchNodes.store(nodes, std::memory_order_relaxed);
    if (nodes >= nextNodeCheck) checkNodeLimit();
}
