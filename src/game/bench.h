// The built-in bench: a fixed set of positions, each searched from a fresh set-up to a fixed
// depth. The total of their nodes is the engine's signature: any change of the search's behaviour
// changes it.
#pragma once

#include <cstdint>

#include "board/castling.h"
#include "ground/types.h"

constexpr unsigned DEFAULT_BENCH_DEPTH = 7;
constexpr int BENCH_POSITION_COUNT = 30;

// Openings, middlegames, endgames, checks, promotions, and the three results without a move.
extern const char* const BENCH_POSITIONS[BENCH_POSITION_COUNT];

// What one position's search found.
struct BenchOutcome {
    bool accepted;     // false: set-up refused the text, nothing was searched
    ScoredMove best;   // the result (a move or a code) and its score
    uint64_t nodes;
    double ms;
};

// Set up `fen` afresh (no book), a game of `variant`, and search it to `depth` on the search
// threads, which must be launched and idle.
BenchOutcome benchPosition(const char* fen, unsigned depth, Variant variant = NORMAL_CHESS);

// The line that shows one position's outcome: "<fen> | best <move> score <score> nodes <n> ms <t>"
// ("refused" when the text was refused; "mated", "stalemate" or "draw" for a position without a
// move to play).
void benchLine(char* buffer, int size, const char* fen, const BenchOutcome& outcome);

// The nodes and time of several positions together, accepted when every text was.
struct BenchTotal {
    bool accepted;
    uint64_t nodes;
    double ms;
    double nps() const { return ms > 0 ? double(nodes) * 1000.0 / ms : 0.0; }
};

// Bench each of `count` texts in turn, handing each one's line (benchLine) to `show`.
BenchTotal benchPositions(const char* const* fens, int count, unsigned depth, void (*show)(const char* line),
                          Variant variant = NORMAL_CHESS);
