// The game: its board as played now, and the record of it since its last set-up, the state it
// started from and every move played since. Taking moves back restores the start and replays the
// moves that remain; a front end handed a whole game can read here whether it continues the one
// the engine holds.
#pragma once

#include <cstdint>

#include "board/position.h"

// Stands in the record where the move went to the other side without a move (setSideToMove).
constexpr Move HAND_OVER = encodeMove(NOT_A_MOVE, 3, 3);

// Entries the record holds. A game that reaches this many keeps its latest half, started from
// the state before them; what lies before can no longer be taken back.
constexpr int GAME_RECORD_SIZE = 16384;

struct GameRecord {
    Board start;                        // as set up (or where the kept half of a long game begins)
    bool bookAtStart;                   // the set-up stored the book, its line chosen by bookDraw
    uint64_t bookDraw;
    int length;                         // entries since the start
    Move entries[GAME_RECORD_SIZE];     // the moves in playing order, and HAND_OVER
};

// The game as played now: its position, the positions before it since the set-up (for the draw
// rules), and the rights it was set up with. Every search starts from a copy of it. Read it
// freely; like the record, it changes only through the game's set-up, moves and take-backs.
extern Board game;
extern GameRecord gameRecord;

// Start an empty record from the current state (every set-up). `withBook`: the set-up stored
// the book, choosing its line with `bookDraw`.
void startGameRecord(bool withBook, uint64_t bookDraw);

// Add an entry once the game has changed by it.
void recordGameEntry(Move entry);

// Put the start's board back (the first step of a take-back).
void restoreGameStart();

// Keep only the first `length` entries (the last step of a take-back).
void shortenGameRecord(int length);
