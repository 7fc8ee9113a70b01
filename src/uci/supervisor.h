// The supervisor: a thread of the UCI front end that watches each search the command loop
// starts, ends it by its time budget or a "stop", and sends its final info line and "bestmove".
// The command loop meanwhile goes on reading input.
#pragma once

#include "game/timebudget.h"

// What the supervisor watches for one "go".
struct SearchOrder {
    bool searching;     // false: no legal move, nothing to search
    bool untilStop;     // no "bestmove" before "stop" or "quit"
    TimeBudget time;    // the budget the search was started with
};

// Start the supervisor's thread; it waits for searches to watch.
void launchSupervisor();

// Hand over the search just started on the engine thread (or the answer without a move). Only
// when no search is supervised. Returns at once.
void superviseSearch(const SearchOrder& order);

// Whether a search (or the answer to a "go") is still under way.
bool searchSupervised();

// "stop": the search ends now (an infinite one too); returns once its "bestmove" is sent and the
// engine thread is idle. Nothing happens when no search is supervised.
void stopSupervisedSearch();

// End the supervisor's thread (no search may be supervised).
void endSupervisor();
