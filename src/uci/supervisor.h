// The supervisor: a thread of the UCI front end that watches each search the command loop
// starts, shows its progress every second, ends it by its time budget, a "stop" or, when it
// ponders, a "ponderhit" and then its budget, and sends its answer. The command loop meanwhile
// goes on reading input.
#pragma once

#include "ground/types.h"

// What the supervisor watches for one "go".
struct SearchOrder {
    bool searching;    // false: no legal move, nothing to search
    bool mated;        // (not searching) the side to move is mated rather than stalemated
    bool untilStop;    // analysis: no "bestmove" before "stop" or "quit"
    bool pondering;    // no "bestmove" before "ponderhit" (then timed by the search's budget) or "stop"
    Move fallback;     // the answer for a position already drawn by rule: its first legal move
};

// Start the supervisor's thread; it waits for searches to watch.
void launchSupervisor();

// Hand over the search just started on the engine thread (or the answer without a move). Only
// when no search is supervised. Returns at once.
void superviseSearch(const SearchOrder& order);

// Whether a search (or the answer to a "go") is still under way.
bool searchSupervised();

// "ponderhit": the opponent played the move the search ponders on; the search goes on, timed from
// its start by its budget. Nothing happens unless a search ponders.
void ponderHit();

// "stop": the search ends now (an infinite or pondering one too); returns once its "bestmove" is
// sent and the engine thread is idle. Nothing happens when no search is supervised.
void stopSupervisedSearch();

// End the supervisor's thread (no search may be supervised).
void endSupervisor();
