// The root of the search: one pass over the root moves at the current iteration's depth.
#pragma once

// Search the root position (frame 0) to iterationDepth within alpha, beta and return its
// score. Leaves the best move and its score (or MatedCode / StalemateCode) in rootMoves[0];
// generates the root list when frame 0's list end is null and reuses it, with the scores of
// the previous pass as its order, otherwise.
int searchRoot(int alpha, int beta);
