// Shared helpers for the tests: table set-up, positions from text, whole-state comparison.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "board/attacks.h"
#include "board/castling.h"
#include "board/notation.h"
#include "eval/tables.h"
#include "frames/frames.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "ground/log.h"
#include "search/thread.h"
#include "search/transposition.h"

// The table's entry for position `p` (the game's unless given) as a probe copies it (until the
// next call); null when there is none.
inline const HashEntry* probedEntry(const Position& p = game.position) {
    static HashEntry entry;
    return probeHash(p, entry) ? &entry : nullptr;
}

// Build the start-up tables once per test process.
inline void initTablesOnce() {
    static const bool done = (initBoardTables(), initEvalTables(), true);
    (void)done;
}

// Frames for the tests that make moves on the game's board by hand, one a ply, and the one in use.
inline PlyFrame handFrames[MAX_FRAMES];
inline PlyFrame* handFrame = handFrames;

// Set up a position without the book, a game of `variant`; fails the test when the text is refused.
inline void setUpPosition(const char* text, Variant variant = NORMAL_CHESS) {
    initTablesOnce();
    handFrame = handFrames;
    ASSERT_TRUE(setPosition(text, false, nullptr, 0, variant)) << text;
}

// A searching thread's object for the tests that search, generate or walk frames themselves: its
// board a copy of the game's, its frame pointer at the root. The same object every call.
inline SearchThread& threadOnGame() {
    static SearchThread* const thread = new SearchThread{};
    copyBoard(thread->board, game);
    thread->frames.current = thread->frames.plies;
    return *thread;
}

inline bool samePosition(const Position& a, const Position& b) {
    for (int code = 0; code < 13; ++code)
        if (a.pieces[code] != b.pieces[code]) return false;
    return a.occupied[0] == b.occupied[0] && a.occupied[1] == b.occupied[1] && a.occupiedAll == b.occupiedAll &&
           a.occupied90 == b.occupied90 && a.occupiedA1H8 == b.occupiedA1H8 && a.occupiedA8H1 == b.occupiedA8H1 &&
           std::memcmp(a.board, b.board, 64) == 0 && a.kingSquare[0] == b.kingSquare[0] &&
           a.kingSquare[1] == b.kingSquare[1] && a.castleFlags == b.castleFlags && a.epSquare == b.epSquare &&
           a.sideToMove == b.sideToMove && a.hashKey == b.hashKey && a.pawnKey == b.pawnKey &&
           a.material == b.material;
}

// Position `p` (the game's unless given) as text.
inline std::string currentPositionText(const Position& p = game.position) {
    char buffer[POSITION_TEXT_SIZE];
    positionToText(buffer, p);
    return buffer;
}

// Square number from its name, such as "e4".
inline int squareOf(const char* name) { return 8 * (8 - (name[1] - '0')) + (name[0] - 'a'); }

// The log of what runs while it lives, in a file of its own; text() closes the log and reads it.
struct LogCapture {
    std::string path = ::testing::TempDir() + "tarnek_test_" + std::to_string(::getpid()) + ".log";
    LogCapture() { openEngineLog(path.c_str()); }
    std::string text() {
        closeEngineLog();
        std::ifstream in(path);
        std::stringstream all;
        all << in.rdbuf();
        std::remove(path.c_str());
        return all.str();
    }
};

// The move of `type` from one named square to another.
inline Move moveOf(int type, const char* from, const char* to) { return encodeMove(type, squareOf(from), squareOf(to)); }
