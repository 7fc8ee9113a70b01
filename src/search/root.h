// The root of the search: one pass over the root moves at the current iteration's depth.
#pragma once

#include <atomic>

#include "search/thread.h"
#include "search/transposition.h"

// Generate the root list at the start of the thread's move lists (frame 0's list) when it is not
// there yet.
void generateRootMoves(SearchThread& thread);

// Keep only the root moves among [moves, moves + count); all of them when none of those is there.
// A search of fewer than all root moves stores nothing for the root: its result is no answer for
// the whole position.
void restrictRootMoves(SearchThread& thread, const Move* moves, int count);

// Begin the root of a new search on the thread: all root moves, and no entry for the root known as
// the thread's own but `earlier` (when not null), the one an earlier search left.
void beginRoot(SearchThread& thread, const HashEntry* earlier);

// Whether `entry`, found for the root, is the thread's own: the earlier one, or one its root
// passes stored in this search. Only such an entry may settle a pass or stand for the result.
bool isOwnRootEntry(const SearchThread& thread, const HashEntry& entry);

// Search the root position (frame 0) to the thread's iteration depth within alpha, beta and return
// its score. Leaves the best move of the pass and its score at the pass's first place in the root
// list (for the first place: the move, or MatedCode / StalemateCode); generates the root list when
// frame 0's list end is null and reuses it, with the scores of the previous pass as its order,
// otherwise. The table's entry for the root orders the moves whoever stored it; its score narrows
// the window only when the entry is the thread's own, and settles the pass only when it is
// moreover the entry of the move at the head of the list, the pass's answer then.
// A pass from a later `first` place leaves out the moves before it (the lines already found): it
// takes nothing from the table's root entry but its move, stores nothing there, and returns
// NO_SCORE, changing nothing, when no legal move is left to it.
int searchRoot(SearchThread& thread, int alpha, int beta, int first = 0);

// The depth of the main search's root pass under way, the root move it searches now and that
// move's number in the pass (1 for the first); read by another thread while the search runs.
extern std::atomic<unsigned> currentRootDepth;
extern std::atomic<uint16_t> currentRootMove;
extern std::atomic<int> currentRootMoveNumber;
