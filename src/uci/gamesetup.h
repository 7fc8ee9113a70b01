// The game the GUI sends: "ucinewgame" and "position". A position that continues the game the
// engine holds only plays the new moves and keeps the tables; any other is set up afresh.
#pragma once

#include "ground/types.h"
#include "uci/inputline.h"

// The initial position with cleared tables and, with OwnBook, the book (as a new game).
void newGame();

// "position" with the words after it: startpos or fen <FEN> (the halfmove clock and move number
// may be left out), then optionally moves <m1> <m2> ... in coordinate notation. A refused FEN
// keeps the position the engine held; a malformed or illegal move keeps the position before it.
// Either is reported with one info string.
void setGamePosition(const Word* words, int count);

// The word as a coordinate move of the game now: four or five characters, squares, and a
// promotion letter (either case) at most. 0 when it is none or not legal here.
Move legalMoveOf(const Word& word);
