// Reading a position text (FEN, optionally with one EPD "bm"/"am" operation) into the position.
#pragma once

#include "board/position.h"

// The text of the initial position.
inline constexpr const char* INITIAL_POSITION_TEXT = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// Room for the move text of an EPD operation: nine characters are read, and the terminator.
constexpr int EPD_MOVE_SIZE = 10;

// Read board, side to move, castling rights and en-passant square of `text` into position `p` (keys and material from scratch; halfmove clock and move number are not read).
// In normal chess the rights are KQkq; in Chess960 also rook files ("HAha"), and K and Q stand for
// the outermost rook on their side; the game's castlings follow from the rights (p.castling).
// Rights whose king or rook is away from home and impossible en-passant squares are dropped.
// `epdMove` receives the move text of an EPD "bm" or "am" operation, or "" when there is none.
// False, leaving the position as it was, for a text that is malformed or a position that cannot
// be played: not one king a side, a pawn on the first or last rank, kings side by side,
// material no game reaches, or the side not to move in check.
bool readPosition(Position& p, const char* text, char* epdMove, Variant variant = NORMAL_CHESS);

// The square of the rook of `colour` farthest from its king on `side` of it on the back rank where
// the king stands, or -1.
int outermostRook(const Position& p, Colour colour, CastlingSide side);
