// The transposition-table probe that opens every node of the search, root, interior and quiescence.
#pragma once

#include "frames/frames.h"
#include "search/transposition.h"

// Look the position up for a node of `depth`: sets the frame's hash move and depth, may narrow
// the window, and returns true with `score` when the entry settles the node. Book entries give
// only their move: their score is no search result.
inline bool probeForNode(PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    const HashEntry* entry = probeHash();
    if (!entry) {
        frame.hashMove = 0;
        frame.hashDepth = 0;
        return false;
    }
    frame.hashMove = entryMove(*entry);
    frame.hashDepth = uint8_t(entryDepth(*entry));
    if (frame.hashDepth < depth || entryGeneration(*entry) == 0) return false;
    const int stored = entryScore(*entry);
    frame.hashScore = int16_t(stored);
    switch (entryBound(*entry)) {
        case EXACT_BOUND:
            score = stored;
            return true;
        case LOWER_BOUND:
            if (stored >= beta) {
                score = stored;
                return true;
            }
            if (stored > alpha) alpha = stored;
            return false;
        default:
            if (stored <= alpha) {
                score = stored;
                return true;
            }
            if (stored < beta) beta = stored;
            return false;
    }
}
