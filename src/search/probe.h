// The transposition-table probe that opens every node of the search, root, interior and quiescence.
#pragma once

#include "frames/frames.h"
#include "search/control.h"
#include "search/mate.h"
#include "search/transposition.h"

// The distance from the root of the node searched to `depth` (or quiescence depth).
inline int plyOfDepth(int depth) { return int(iterationDepth) - depth; }

// Record the result of the node searched to `depth` (see plyOfDepth) in the table, with the depth
// `storedDepth` the table is to know it by.
inline void storeNodeResult(int depth, int storedDepth, uint32_t bound, Move move, int score) {
    storeHash(storedDepth, bound, move, scoreToTable(score, plyOfDepth(depth)));
}

// Look the position up for its move alone: the frame's hash move, 0 when there is none.
inline void probeHashMove(PlyFrame& frame) {
    const HashEntry* entry = probeHash();
    frame.hashMove = entry ? entryMove(*entry) : 0;
}

// Look the position up for a node of `depth`: sets the frame's hash move, may narrow the window,
// and returns true with `score` when the entry settles the node. Book entries give only their
// move: their score is no search result.
inline bool probeForNode(PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    const HashEntry* entry = probeHash();
    if (!entry) {
        frame.hashMove = 0;
        return false;
    }
    frame.hashMove = entryMove(*entry);
    if (entryDepth(*entry) < depth || entryGeneration(*entry) == 0) return false;
    const int stored = scoreFromTable(entryScore(*entry), plyOfDepth(depth));
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
