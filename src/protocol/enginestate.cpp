#include "protocol/enginestate.h"

std::atomic<int> engineState{AwaitOpponent};
