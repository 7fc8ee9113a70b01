// Per-ply search frames, the move stack and the move-ordering memory that outlives a node: a set
// of them for each thread that searches, inside its thread object.
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

// One thread's frames: one per ply, the move lists of all plies, and how often each move caused a
// cut-off.
struct SearchFrames {
    PlyFrame plies[MAX_FRAMES];
    PlyFrame* current;                    // the frame of the position on the board
    ScoredMove moves[MOVE_STACK_SIZE];    // the root's list first: its first entry is the result
    uint32_t cutoffCounters[2][4096];     // by depth squared: [side to move][from * 64 + to]
};

// The root move list.
inline ScoredMove* rootMoves(SearchFrames& frames) { return frames.moves; }

// Forget the killers of every ply (a new game or position).
void forgetKillers(SearchFrames& frames);

// Forget the cut-off counters (a new position, or a move played in the game).
void forgetCutoffCounters(SearchFrames& frames);

// For the checks of Debug builds: whether `frame` is one of the frames, and whether `entry` lies in
// the move stack with room for the longest list after it (std::less orders pointers into
// different arrays too).
inline bool isPlyFrame(const SearchFrames& frames, const PlyFrame* frame) {
    return !std::less<const PlyFrame*>()(frame, frames.plies) &&
           std::less<const PlyFrame*>()(frame, frames.plies + MAX_FRAMES);
}
inline bool roomForList(const SearchFrames& frames, const ScoredMove* entry) {
    return !std::less<const ScoredMove*>()(entry, frames.moves) &&
           !std::less<const ScoredMove*>()(frames.moves + MOVE_STACK_SIZE - MAX_LIST_MOVES, entry);
}
