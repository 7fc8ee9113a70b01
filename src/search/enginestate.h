// The state word that the front end writes, the engine thread dispatches on and the search
// reads between iterations: once it is Idle, no new iteration starts.
#pragma once

#include <atomic>

enum EngineState : int {
    Idle = 0,            // force mode: moves from the GUI are only played
    Think = 1,           // the engine searches for its own move
    Ponder = 2,          // reserved; never entered
    AwaitOpponent = 3,   // the engine answers as soon as the opponent's move arrives
    Quit = 4,            // the engine thread ends
};

extern std::atomic<int> engineState;
