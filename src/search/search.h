// Iterative deepening: the search's entry point and the values it shares with the command loop.
#pragma once

#include <atomic>
#include <cstdint>

#include "ground/types.h"

extern std::atomic<uint8_t> stopFlag;      // 1: abort the running search at once
extern std::atomic<uint8_t> failLowFlag;   // 1 while the root is re-searched after a fail low
extern unsigned maxDepth;                  // last iteration to run, at most 63
extern unsigned iterationDepth;            // nominal depth of the current iteration
// Moves made by the search. Only the engine thread writes it; a front end may read it while the
// search runs (to stop at a node count), hence atomic, with plain loads and stores.
extern std::atomic<uint64_t> searchNodes;

// Count one move made by the search: a relaxed load and store, no locked increment.
inline void countNode() { searchNodes.store(searchNodes.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed); }

// Called on the engine thread after each completed iteration, with its depth and score, when a
// front end sets it; the position is the root's then. Null: nobody is told.
extern void (*iterationReport)(unsigned depth, int score);

constexpr int ASPIRATION_HALF_WIDTH = 30;

// Search the global position; the result (move or special code, and score) is also left in
// rootMoves[0]. The frame pointer must stand at frame 0; maxDepth and stopFlag must be set.
Move searchPosition();

// Write the principal variation of the current position (the chain of hash moves), at most
// `plies` moves, zero-terminated. The buffer needs 6 characters a ply and 24 more.
void principalVariationText(char* buffer, int plies);
