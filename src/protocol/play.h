// The engine's own move in the game: from the book or a timed search, with its announcement and
// the claims that end a game.
#pragma once

#include "ground/types.h"

// The engine's previous move came from the book (the next search may take longer).
extern bool bookMovePlayed;

// The engine answers the opponent's next move with its own; false in force mode, where the moves
// from the GUI are only played.
extern bool awaitingOpponent;

// The engine's turn: a book move at once, or a timed search; play and announce the move and
// claim the result when the game is over. Returns with the engine thread idle, awaiting the
// opponent.
void thinkAndMove();
