// Helpers for the search tests: running a search on a position and playing game moves.
#pragma once

#include "board/checks.h"
#include "board/makemove.h"
#include "game/enginethread.h"
#include "movegen/legality.h"
#include "support.h"

// Search the position on the board to `depth` on an engine thread of its own, as the programs do,
// and return the result's move; searchResult() holds it with its score.
// The nodes of the latest searchOnBoard.
inline uint64_t searchedNodes = 0;

inline Move searchOnBoard(unsigned depth) {
    launchEngine();
    startSearch(SearchRequest{SearchLimits{depth, nullptr}, UNLIMITED_TIME});
    waitForSearch();
    searchedNodes = totalNodes();
    quitEngine();
    return searchResult().best.move;
}

// Search `fen` from a fresh set-up to `depth`.
inline Move searchFen(const char* fen, unsigned depth) {
    setUpPosition(fen);
    return searchOnBoard(depth);
}

// Play moves on the board as the search does (snapshot, make, next frame), then return the
// frame pointer to frame 0 so the position can be searched as a root with this history.
inline void playLine(std::initializer_list<Move> moves) {
    for (Move m : moves) {
        saveUndo(currentFrame->undo);
        makeMove(m, currentFrame->undo);
    }
    currentFrame = plyFrames;
}

// Whether `line` plays out legally from the position on the board and, shown with a mate score,
// ends in that mate at its distance or stops before it: never runs past it, never ends in no
// mate at its length. The board is left as it was.
inline bool lineHolds(const Line& line, int score, int at = 0) {
    const int distance = mateDistance(score);
    if (at == line.length) return !distance || at < distance || (sideToMoveInCheck() && anyLegalMove() == 0);
    if ((distance && at >= distance) || !isLegalMove(line.moves[at])) return false;
    PlyFrame& frame = *currentFrame;
    saveUndo(frame.undo);
    makeMove(line.moves[at], frame.undo);
    ++currentFrame;
    const bool holds = lineHolds(line, score, at + 1);
    --currentFrame;
    unmakeMove(line.moves[at], frame.undo);
    return holds;
}
