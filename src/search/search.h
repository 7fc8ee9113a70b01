// Iterative deepening: the search's entry point and the values it shares with the command loop.
#pragma once

#include <atomic>
#include <cstdint>

#include "ground/types.h"

extern std::atomic<uint8_t> stopFlag;      // 1: abort the running search at once
extern std::atomic<uint8_t> failLowFlag;   // 1 while the root is re-searched after a fail low
extern unsigned maxDepth;                  // last iteration to run, at most 63
extern unsigned iterationDepth;            // nominal depth of the current iteration
extern uint64_t searchNodes;               // moves made by the search; counted, never consulted

constexpr int ASPIRATION_HALF_WIDTH = 30;

// Search the global position; the result (move or special code, and score) is also left in
// rootMoves[0]. The frame pointer must stand at frame 0; maxDepth and stopFlag must be set.
Move searchPosition();

// Write the principal variation of the current position (the chain of hash moves), at most
// `plies` moves, zero-terminated. The buffer needs 6 characters a ply and 24 more.
void principalVariationText(char* buffer, int plies);
