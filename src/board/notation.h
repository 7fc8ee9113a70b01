// Moves and positions as text: the coordinate notation of the GUI and a FEN-like line for the log.
#pragma once

#include "board/position.h"

// Room a caller must give moveToText: four or five characters and the terminator.
constexpr int MOVE_TEXT_SIZE = 6;
// Room a caller should give positionToText (the text itself never exceeds 90 characters).
constexpr int POSITION_TEXT_SIZE = 256;

// Write the move as "e2e4", "e7e8q" or the king's move of a castling, zero-terminated.
void moveToText(char* buffer, Move move);

// Read a coordinate move against position `p`; 0 when the word is not one. Only the first five
// characters count, and legality is not tested.
Move textToMove(const Position& p, const char* word);

// Write board, side to move, castling rights and en-passant square of `p` in FEN form,
// zero-terminated.
void positionToText(char* buffer, const Position& p);
