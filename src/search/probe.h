// The transposition-table probe that opens every node of the search, root, interior and quiescence.
#pragma once

#include "frames/frames.h"
#include "search/control.h"
#include "search/mate.h"
#include "search/transposition.h"

// The distance from the root of the node searched to `depth` (or quiescence depth).
inline int plyOfDepth(int depth) { return int(iterationDepth) - depth; }

// The search has reached a node `ply` plies from the root.
inline void noteSelDepth(int ply) {
    if (unsigned(ply) > selDepth) selDepth = unsigned(ply);
}

// Record the result of the node searched to `depth` (see plyOfDepth) in the table, with the depth
// `storedDepth` the table is to know it by.
inline void storeNodeResult(int depth, int storedDepth, uint32_t bound, Move move, int score) {
    storeHash(storedDepth, bound, move, scoreToTable(score, plyOfDepth(depth)));
}

// Look the position up for its move alone: the frame's hash move, 0 when there is none.
inline void probeHashMove(PlyFrame& frame) {
    HashEntry entry;
    frame.hashMove = probeHash(entry) ? entryMove(entry) : 0;
}

// What `entry` says of a node of `depth`: may narrow the window, and returns true with `score`
// when it settles the node. Book entries give only their move: their score is no search result.
inline bool entryDecides(const HashEntry& entry, int depth, int& alpha, int& beta, int& score) {
    if (entryDepth(entry) < depth || entryGeneration(entry) == 0) return false;
    const int stored = scoreFromTable(entryScore(entry), plyOfDepth(depth));
    switch (entryBound(entry)) {
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

// Look the position up for a node of `depth`: sets the frame's hash move, then as entryDecides.
inline bool probeForNode(PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    HashEntry entry;
    if (!probeHash(entry)) {
        frame.hashMove = 0;
        return false;
    }
    frame.hashMove = entryMove(entry);
    return entryDecides(entry, depth, alpha, beta, score);
}
