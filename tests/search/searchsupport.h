// Helpers for the search tests: running a search on a position and playing game moves.
#pragma once

#include "board/makemove.h"
#include "search/enginestate.h"
#include "search/search.h"
#include "support.h"

// Search `fen` from a fresh set-up to `depth`, as the engine thread would.
inline Move searchFen(const char* fen, unsigned depth) {
    setUpPosition(fen);
    engineState = Think;
    stopFlag = 0;
    maxDepth = depth;
    searchNodes = 0;
    return searchPosition();
}

// Play moves on the board as the search does (snapshot, make, next frame), then return the
// frame pointer to frame 0 so the position can be searched as a root with this history.
inline void playLine(std::initializer_list<Move> moves) {
    for (Move m : moves) {
        saveUndo(currentUndo->undo);
        makeMove(m, currentUndo->undo);
    }
    currentUndo = plyFrames;
}

