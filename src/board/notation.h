// Moves and positions as text: the coordinate notation of the GUI and a FEN-like line for the log.
#pragma once

#include "board/position.h"

// Room a caller must give moveToText: four or five characters and the terminator.
constexpr int MOVE_TEXT_SIZE = 6;
// Room a caller should give positionToText (the text itself never exceeds 90 characters).
constexpr int POSITION_TEXT_SIZE = 256;

// Write the move as "e2e4", "e7e8q" or a castling as its game writes it (the king's move, or in
// Chess960 the king taking its rook), zero-terminated.
void moveToText(char* buffer, Move move);

// Read a coordinate move against position `p`, a castling as its game writes it; 0 when the word
// is not one. Only the first five characters count, and legality is not tested.
Move textToMove(const Position& p, const char* word);

// Write board, side to move, castling rights and en-passant square of `p` in FEN form,
// zero-terminated; the rights as the game's FEN text gave them (KQkq, or rook files in Chess960).
void positionToText(char* buffer, const Position& p);
