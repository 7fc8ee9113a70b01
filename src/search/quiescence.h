// The search below the horizon: captures (or all evasions in check) until the position is quiet.
#pragma once

#include "search/thread.h"

// Deepest quiescence ply: moves made there are scored by the static evaluation.
constexpr int QUIESCENCE_FLOOR = -8;

// Search the node of the thread's current frame at quiescence depth q (0 down to
// QUIESCENCE_FLOOR) within alpha, beta; the score is for the side to move. The caller has made the
// move and advanced the frame.
int quiescence(SearchThread& thread, int q, int alpha, int beta);

// The same with the side to move known to the caller.
template <Colour Us>
int quiescenceAs(SearchThread& thread, int q, int alpha, int beta);
