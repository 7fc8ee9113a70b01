// Standard algebraic notation, read against the global position.
#pragma once

#include "board/types.h"

// The move a SAN text stands for in the current position, or 0 when it cannot be read.
Move parseSan(const char* text);
