// The running search's control state: what its owner tells it (stop now, start no new iteration),
// what it tells its owner (a fail low being resolved), and what it counts. The iterative deepening
// and the searches of the root, the interior and the quiescence share it.
#pragma once

#include <atomic>
#include <cstdint>

constexpr uint64_t NO_NODE_LIMIT = UINT64_MAX;

extern std::atomic<uint8_t> stopFlag;            // 1: abort the running search at once
extern std::atomic<uint8_t> lastIterationFlag;   // 1: finish the iteration under way, start no other
extern std::atomic<uint8_t> failLowFlag;         // 1 while the root is searched again after a fail low
extern unsigned iterationDepth;                  // nominal depth of the current iteration
// Moves made by the search. Only the searching thread writes it; its owner may read it while the
// search runs, hence atomic, with plain loads and stores.
extern std::atomic<uint64_t> searchNodes;
// The search stops itself once it has made this many moves.
extern uint64_t nodeLimit;

// Ready the control state for the next search: no stop, no last iteration, no node counted yet.
void resetSearchControl(uint64_t limit = NO_NODE_LIMIT);

inline bool stopped() { return stopFlag.load(std::memory_order_relaxed) != 0; }

// Count one move made by the search (a relaxed load and store, no locked increment), and stop at
// the node limit.
inline void countNode() {
    const uint64_t nodes = searchNodes.load(std::memory_order_relaxed) + 1;
    searchNodes.store(nodes, std::memory_order_relaxed);
    if (nodes >= nodeLimit) stopFlag.store(1, std::memory_order_relaxed);
}
