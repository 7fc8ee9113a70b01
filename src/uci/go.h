// "go": the engine's answer for the position the GUI set, from the book at once, or from a
// search that the supervisor watches while the command loop reads on.
#pragma once

#include "uci/inputline.h"

// "go" with the words after it (see GoLimits). No search may be under way.
void startThinking(const Word* words, int count);
