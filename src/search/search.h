// Iterative deepening: the search's entry point and the values it shares with the command loop.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"

extern std::atomic<uint8_t> stopFlag;      // 1: abort the running search at once
extern std::atomic<uint8_t> failLowFlag;   // 1 while the root is re-searched after a fail low
extern unsigned maxDepth;                  // last iteration to run, at most 63
extern unsigned iterationDepth;            // nominal depth of the current iteration
extern uint64_t searchNodes;               // moves made by the search; counted, never consulted

// Search the global position; the result (move or special code, and score) is also left in
// rootMoves[0].
Move searchPosition();
