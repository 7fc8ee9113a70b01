// The engine's search threads and the one way to use them: start a search of the game's position
// with a request, end it at once or after its iteration or by its budget, wait for it, watch its
// progress, read its result, size and clear the table, quit. Both programs, the bench tool and the
// tests reach the search through here alone.
//
// One thread searches unless more are asked for. Each owns its thread object (search/thread.h),
// kept here, and searches its own copy of the game's board; all share the transposition table:
// every other one a ply ahead, each finding its way through what the others store. The main search
// thread decides when to stop and what to answer.
#pragma once

#include <cstdint>

#include "game/level.h"
#include "game/timebudget.h"
#include "search/search.h"

struct SearchRequest {
    SearchLimits limits;              // depth (FIRST_ITERATION up to DEEPEST_ITERATION), report, ...
    TimeBudget time = UNLIMITED_TIME; // when endSearchAfterBudget is due, and what extra time it grants
    uint64_t nodes = NO_NODE_LIMIT;   // moves all threads together may make
    bool fromScratch = false;         // forget the table's entry for the root first, so that every
                                      // iteration is searched (the rest of the table still helps)
    PlayingLevel level{};             // play below full strength (level.nodes 0: full strength): the
                                      // main thread alone searches at most level.nodes, weighs
                                      // level.lines lines (showing limits.lines of them) and
                                      // answers with one drawn by `seed`
    uint64_t seed = 0;
};

// Deepest iteration any search runs: DEEPEST_ITERATION. A harness that must not wait for long
// searches (the "test" command searches on an endless clock) lowers it.
extern unsigned depthCeiling;

// Start the main search thread; returns once it waits idle.
void launchEngine();

// Search with `count` threads from now on (1 to MAX_SEARCH_THREADS): threads are started or
// ended here, never for a search. Only while no search runs.
void setSearchThreads(int count);

// The threads that search.
int searchThreads();

// The threads search the game's position (each from its own copy of the game's board); returns at
// once. Waits first for any earlier search to end. The game and the request stay as they are
// until the search has ended.
void startSearch(const SearchRequest& request);

// Abort the search at once; returns at once (the search ends within a move). Harmless when idle.
void stopSearch();

// Let the search finish the iteration under way and start no other.
void finishIteration();

// Wait until no search runs; with `ms`, at most that long, true when none runs then.
void waitForSearch();
bool waitForSearch(uint64_t ms);

// The request's budget is spent: no new iteration; a fail low at the root granted extra time by
// the budget may finish its iteration within it ("-M: FL - Extra time" in the log); then the
// search is aborted. Returns once no search runs.
void endSearchAfterBudget();

// Let the search run until it ends by itself or its budget (counted from its start) is spent, then
// end it by the budget (endSearchAfterBudget, harmless once it has ended). With `tick`, calls it every `tickMs` of the
// search's time while it runs within the budget, from the end of the first `tickMs` on. Returns
// once no search runs.
void finishSearchByBudget(uint64_t tickMs = 0, void (*tick)() = nullptr);

// Whole milliseconds since the latest search started.
uint64_t searchElapsedMs();

// What may be shown of the latest search while it runs (and after it ended).
struct SearchProgress {
    unsigned depth;          // the main search's root pass under way
    Move move;               // the root move it searches now; 0 before the first
    int moveNumber;          // that move's number in the pass, 1 for the first
    uint64_t nodes;          // moves made by all threads
    int hashFullPermille;    // the table's fill, in thousandths
    uint64_t elapsedUs;      // since the search started
};
SearchProgress searchProgress();

// The transposition table: `megabytes` of it (the largest power of two of buckets that fits),
// empty; false, keeping the table as it was, when the memory cannot be had. Emptied. Only while no
// search runs.
bool resizeTable(int megabytes);
void clearTable();

// The latest search's result, once it has ended (see SearchResult): the main search's, or a
// helper's that completed a deeper iteration.
const SearchResult& searchResult();

// Forget the killers and cut-off counters of every search thread (a new position), or the cut-off
// counters alone (a move played in the game). Only while no search runs.
void clearSearchMemory();
void clearCutoffCounters();

// End any search and every search thread; returns once they have ended.
void quitEngine();
