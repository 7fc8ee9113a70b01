// Iterative deepening: the search's entry point, its limits and its report.
#pragma once

#include <cstdint>

#include "eval/evaluate.h"
#include "ground/types.h"
#include "search/control.h"

// The shallowest iteration is two plies; the deepest 63, as the frames hold 8 plies of
// quiescence below it.
constexpr unsigned FIRST_ITERATION = 2;
constexpr unsigned DEEPEST_ITERATION = MAX_FRAMES - 9;

constexpr int ASPIRATION_HALF_WIDTH = 30;

// Scores beyond anything the static evaluation gives are mates: MATED_SCORE + p when the side to
// move is mated p plies from the root, -MATED_SCORE - p when it mates there.
constexpr bool isMateScore(int score) {
    return (score > EVAL_LIMIT && score <= -MATED_SCORE) || (score < -EVAL_LIMIT && score >= MATED_SCORE);
}

// Told after each completed iteration its depth and score, on the searching thread, with the
// root position on the board.
using IterationReport = void (*)(unsigned depth, int score);

struct SearchLimits {
    unsigned depth;            // last iteration to run (at most DEEPEST_ITERATION counts)
    uint64_t nodes;            // stop once this many moves are made (NO_NODE_LIMIT: never)
    IterationReport report;    // null: nobody is told
};

// Search the global position with the control state made ready (resetSearchControl); the result
// (move or special code, and score) is also left in rootMoves[0]. The frame pointer must stand at
// frame 0.
Move searchPosition(const SearchLimits& limits);

// Write the principal variation of the current position as the log shows it: the hash moves
// followed from here, at most `plies`, then how the line ends ("# " mate, "NOE " no entry, or a
// draw). Zero-terminated; the buffer needs 6 characters a ply and 24 more.
void principalVariationText(char* buffer, int plies);
