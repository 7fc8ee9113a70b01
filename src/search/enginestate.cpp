#include "search/enginestate.h"

std::atomic<int> engineState{AwaitOpponent};
