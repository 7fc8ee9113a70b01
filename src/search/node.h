// Interior nodes: fixed-depth principal variation search, and the use of the hash entry that
// every node shares.
#pragma once

#include "search/frames.h"
#include "search/transposition.h"

// Search the node of the current frame to `depth` (at least 1) within alpha, beta; the score is
// for the side to move. The caller has made the move, advanced the frame and nulled its list end.
int searchNode(int depth, int alpha, int beta);

// Search the child position just made, `depth` being the parent's: with the full window until a
// move of the parent has raised alpha, afterwards with a null window that is widened again only
// when the move proves better. Below depth 1 the quiescence search takes over.
int searchChild(int depth, int alpha, int beta, bool alphaRaised);

// A cut-off by `move` at `frame`: a quiet move or castling becomes the first killer, and the
// move's history counter grows by depth squared.
void rememberCutoff(PlyFrame& frame, int side, Move move, int depth);

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
