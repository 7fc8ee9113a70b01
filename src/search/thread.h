// Everything one searching thread owns, in one plain object: its copy of the game's board, its
// frames and move lists with the killers and cut-off counters, the line it found, its node count
// and its own control words. The engine's door keeps one for each thread and hands it to the
// search, which reaches it by reference all the way down.
#pragma once

#include <atomic>
#include <cstdint>

#include "frames/frames.h"

// An entry for the root that the thread knows as its own: read at the start of the search, or
// stored by one of its root passes.
struct RootEntry {
    Move move;
    int depth;
    uint32_t bound;
    int score;
};

// Each iteration stores at most three root entries (a window missed on both sides), and a search
// runs fewer iterations than there are frames; one more for the entry read at the start.
constexpr int MOST_ROOT_ENTRIES = 3 * MAX_FRAMES + 1;

struct SearchThread {
    Board board;                            // the game's position and history, copied at the start
    SearchFrames frames;                    // frames, move lists, killers and cut-off counters

    // The line found as the search goes: [ply][i] the i-th move of the best line from `ply` on,
    // for pvLength[ply] moves. One more ply than there are frames: the deepest node's child has its
    // line too (an empty one).
    Move pvMoves[MAX_FRAMES + 1][MAX_FRAMES];
    uint8_t pvLength[MAX_FRAMES + 1];

    unsigned iterationDepth;                // nominal depth of the iteration under way
    unsigned selDepth;                      // the deepest ply that iteration has reached
    std::atomic<uint64_t> nodes;            // moves made by its search; only it writes, others read
    uint64_t nextNodeCheck;                 // its count at which it next adds up every thread's
    bool main;                              // the main search: it logs, reports and shows its root moves

    RootEntry rootEntries[MOST_ROOT_ENTRIES];   // the entries for the root it knows as its own
    int rootEntryCount;
    bool restrictedRoot;                    // whether it searches fewer than all root moves
};

// The frame of the position on the thread's board.
inline PlyFrame& currentFrame(SearchThread& thread) { return *thread.frames.current; }

// The thread's root move list.
inline ScoredMove* rootMoves(SearchThread& thread) { return rootMoves(thread.frames); }
