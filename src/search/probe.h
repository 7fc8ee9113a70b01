// The transposition-table probe that opens every node of the search, root, interior and quiescence.
#pragma once

#include "search/control.h"
#include "search/mate.h"
#include "search/transposition.h"

// The doors of the searches, checked in Debug builds and free in Release: a window inside the
// scores a search can give, not empty; a node's frame among the thread's, its ply within the
// frames; room in the move stack for the node's list (roomForList).
inline bool windowIsSound(int alpha, int beta) { return NO_SCORE < alpha && alpha < beta && beta < -NO_SCORE; }
inline bool frameIsSound(const SearchThread& thread, const PlyFrame& frame, int ply) {
    return isPlyFrame(thread.frames, &frame) && ply > 0 && ply < MAX_FRAMES;
}

// The distance from the root of the thread's node searched to `depth` (or quiescence depth).
inline int plyOfDepth(const SearchThread& thread, int depth) { return int(thread.iterationDepth) - depth; }

// The search has reached a node `ply` plies from the root.
inline void noteSelDepth(SearchThread& thread, int ply) {
    if (unsigned(ply) > thread.selDepth) thread.selDepth = unsigned(ply);
}

// Record the result of the node searched to `depth` (see plyOfDepth) in the table, with the depth
// `storedDepth` the table is to know it by.
inline void storeNodeResult(const SearchThread& thread, int depth, int storedDepth, uint32_t bound, Move move, int score) {
    storeHash(thread.board.position, storedDepth, bound, move, scoreToTable(score, plyOfDepth(thread, depth)));
}

// Look the position up for its move alone: the frame's hash move, 0 when there is none.
inline void probeHashMove(const SearchThread& thread, PlyFrame& frame) {
    HashEntry entry;
    frame.hashMove = probeHash(thread.board.position, entry) ? entryMove(entry) : 0;
}

// What `entry` says of a node of `depth`: may narrow the window, and returns true with `score`
// when it settles the node. Book entries give only their move: their score is no search result.
inline bool entryDecides(const SearchThread& thread, const HashEntry& entry, int depth, int& alpha, int& beta,
                         int& score) {
    if (entryDepth(entry) < depth || entryGeneration(entry) == 0) return false;
    const int stored = scoreFromTable(entryScore(entry), plyOfDepth(thread, depth));
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
inline bool probeForNode(const SearchThread& thread, PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    HashEntry entry;
    if (!probeHash(thread.board.position, entry)) {
        frame.hashMove = 0;
        return false;
    }
    frame.hashMove = entryMove(entry);
    return entryDecides(thread, entry, depth, alpha, beta, score);
}
