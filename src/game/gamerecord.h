// The record of the game since its last set-up: the state it started from and every move played
// since. Taking moves back restores the start and replays the moves that remain; a front end
// handed a whole game can read here whether it continues the one the engine holds.
#pragma once

#include <cstdint>

#include "board/position.h"

// Stands in the record where the move went to the other side without a move (setSideToMove).
constexpr Move HAND_OVER = encodeMove(NOT_A_MOVE, 3, 3);

// Entries the record holds. A game that reaches this many keeps its latest half, started from
// the state before them; what lies before can no longer be taken back.
constexpr int GAME_RECORD_SIZE = 16384;

// A state of the game that play can return to: the position, the game's copy of it, and the
// history of positions the draw rules look back on.
struct GameSnapshot {
    Position position;
    GameBoard gameBoard;
    int historyLength;                  // records in use; the last is the snapshot's position
    PlyRecord history[HISTORY_SIZE];
};

struct GameRecord {
    GameSnapshot start;                 // as set up (or where the kept half of a long game begins)
    bool bookAtStart;                   // the set-up stored the book, its line chosen by bookDraw
    uint64_t bookDraw;
    int length;                         // entries since the start
    Move entries[GAME_RECORD_SIZE];     // the moves in playing order, and HAND_OVER
};

// Read it freely; it changes only through the game's set-up, moves and take-backs.
extern GameRecord gameRecord;

// Start an empty record from the current state (every set-up). `withBook`: the set-up stored
// the book, choosing its line with `bookDraw`.
void startGameRecord(bool withBook, uint64_t bookDraw);

// Add an entry once the game has changed by it.
void recordGameEntry(Move entry);

// Put the start's position, game board and history back (the first step of a take-back).
void restoreGameStart();

// Keep only the first `length` entries (the last step of a take-back).
void shortenGameRecord(int length);
