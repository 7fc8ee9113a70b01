// Per-ply search frames, the move stack and the move-ordering memory that outlives a node: each
// searching thread has its own.
#pragma once

#include <functional>

#include "board/position.h"

struct PlyFrame {
    Bitboard checkers;          // enemy pieces giving check to the side to move at this ply
    Bitboard kingRookRays;      // rank and file attacks from the own king's square
    Bitboard kingBishopRays;    // diagonal attacks from the own king's square
    UndoRecord undo;            // take-back data of the move made from this ply
    ScoredMove* listEnd;        // one past this ply's list; the root's is null while not generated
    Move hashMove;              // move of the transposition entry found here, 0 when none
    Move killer1;               // latest move that caused a cut-off at this ply
    Move killer2;               // the killer before it
    uint32_t orderKeys[MAX_LIST_MOVES];  // counter ordering keys of the moves still to search
};

extern thread_local constinit PlyFrame plyFrames[MAX_FRAMES];
// Frame of the position now on the board; null until the thread's board is set up or copied.
extern thread_local constinit PlyFrame* currentFrame;
// Lists of all plies; the root's comes first, and its first entry is the search result.
extern thread_local constinit ScoredMove moveStack[MOVE_STACK_SIZE];
// How often each move caused a cut-off, weighted by the depth: [side to move][from * 64 + to].
extern thread_local constinit uint32_t cutoffCounters[2][4096];

// The root move list.
inline ScoredMove* rootMoves() { return moveStack; }

// Forget killers and cut-off counters (position set-up): the calling thread's at once, every other
// thread's before its next search.
void clearSearchMemory();

// Forget the cut-off counters (a move played in the game), likewise.
void clearCutoffCounters();

// Catch up, for the calling thread, with the forgetting asked since its last search.
void refreshSearchMemory();

// For the checks of Debug builds: whether `frame` is one of plyFrames, and whether `entry` lies
// in the move stack (std::less orders pointers into different arrays too).
inline bool isPlyFrame(const PlyFrame* frame) {
    return !std::less<const PlyFrame*>()(frame, plyFrames) &&
           std::less<const PlyFrame*>()(frame, plyFrames + MAX_FRAMES);
}
inline bool inMoveStack(const ScoredMove* entry) {
    return !std::less<const ScoredMove*>()(entry, moveStack) &&
           std::less<const ScoredMove*>()(entry, moveStack + MOVE_STACK_SIZE);
}
