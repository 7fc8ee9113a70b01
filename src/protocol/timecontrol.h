// Time control: the GUI's level and clock turned into one budget per move, and the end of a
// timed search.
#pragma once

#include <cstdint>

#include "game/timebudget.h"

// The clock as the GUI has set it with "level" and "time": the xboard front end's own.
struct XboardClock {
    uint32_t movesPerControl;   // moves of one time control; 40 when the GUI gives none
    uint32_t incrementMs;       // time added to the clock after each move
    uint32_t moveBudgetMs;      // how long the next search may run before it is ended
    uint64_t moveLimitMs;       // most one move may take, extra time included: 90% of the clock
};

// The clock before the GUI has set anything.
constexpr XboardClock UNSET_CLOCK{DEFAULT_MOVES_TO_GO, 0, 0, UINT64_MAX};

extern XboardClock xboardClock;

// "level" arguments as the GUI writes them, "40 5 0", "40 5:30 0" or "0 0:10 0.1" (moves, base
// time, increment in seconds). A field that cannot be read leaves its setting unchanged.
void setLevel(const char* arguments);

// The engine's clock from "time", in centiseconds: sets the budget and the per-move limit.
void setClock(int centiseconds);

// A practically endless clock for the "test" command.
void setTestClock();

// The first search after a book move may use more of the clock (the book saved time).
void lengthenBudgetAfterBook();

// The budget of the next search: the clock's moveBudgetMs within its moveLimitMs, and after a fail
// low up to half of what the control's moves would take at this budget.
TimeBudget moveBudget();
