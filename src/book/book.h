// The opening book: lines of moves from the initial position, stored into the transposition
// table as book entries (generation 0) whenever the initial position is set up.
//
// File format: a text header line with the number of records in decimal, then the records,
// each one count byte n followed by n moves as little-endian 16-bit move codes, type included.
#pragma once

#include <cstdint>

#include "board/position.h"

// The most moves one book line may hold.
constexpr int MAX_BOOK_LINE = 64;

// True when position `p` is the one every book line starts from: the initial position, White to
// move, every castling right, in a game of normal chess (the book's lines write castling so).
bool atBookStart(const Position& p);

// The book move stored for position `p` (an entry of generation 0), or 0 when none. Only as
// trustworthy as the table: the caller tests its legality.
Move bookMove(const Position& p);

// Play the line (at most MAX_BOOK_LINE moves) from the board's position and, taking it back, make
// each move the book entry of the position it is played from. False, storing nothing and leaving
// the board as it was, when a move is not a legal move of its position.
bool replayBookLine(Board& board, const Move* moves, int count);

// Where a new game takes the random number that chooses the book line stored last; tests
// replace it.
extern uint64_t (*bookDraw)();

// Store every line of the file into the transposition table, the line that `draw` chooses last
// so that it wins where lines meet: the same draw gives the same book. False when the board's
// position is not the initial one or the file could not be used whole; lines stored before a
// failure stay stored. The board is left as it was.
bool loadBook(Board& board, const char* fileName, uint64_t draw);

// The same with a fresh draw.
inline bool loadBook(Board& board, const char* fileName) { return loadBook(board, fileName, bookDraw()); }

// The usual draw: a well-mixed 64-bit value of the current time in seconds.
uint64_t timeBookDraw();

// The value drawn for a given second; spreads consecutive seconds over all 64 bits.
uint64_t bookDrawOfSecond(uint64_t second);
