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

// Set up `fen` as the node one ply below a root of the given iteration depth, as the root hands it
// to the interior or the quiescence search, on the tests' search thread (threadOnGame) with its
// killers and cut-off counters as fresh as a set-up leaves them. Returns that thread.
inline SearchThread& asChildNode(const char* fen, unsigned depth = 4) {
    setUpPosition(fen);
    SearchThread& thread = threadOnGame();
    forgetKillers(thread.frames);
    forgetCutoffCounters(thread.frames);
    thread.frames.plies[0].listEnd = thread.frames.moves;
    thread.frames.current = thread.frames.plies + 1;
    thread.iterationDepth = depth;
    thread.nextNodeCheck = NO_NODE_LIMIT;
    resetSearchControl();
    return thread;
}

// Play moves on the game's board, for good, without the game's record: the position to search,
// with this history behind it.
inline void playLine(std::initializer_list<Move> moves) {
    for (Move m : moves) {
        UndoRecord undo;
        saveUndo(game.position, undo);
        makeMove(game, m, undo);
    }
}

// Whether `line` plays out legally from the game's position and, shown with a mate score,
// ends in that mate at its distance or stops before it: never runs past it, never ends in no
// mate at its length. The board is left as it was.
inline bool lineHolds(const Line& line, int score, int at = 0) {
    const int distance = mateDistance(score);
    if (at == line.length)
        return !distance || at < distance || (sideToMoveInCheck(game.position) && anyLegalMove(game) == 0);
    if ((distance && at >= distance) || !isLegalMove(game, line.moves[at])) return false;
    UndoRecord undo;
    saveUndo(game.position, undo);
    makeMove(game, line.moves[at], undo);
    const bool holds = lineHolds(line, score, at + 1);
    unmakeMove(game, line.moves[at], undo);
    return holds;
}
