// Playing moves in the game: the opponent's and the engine's own, with its announcement and
// the claims that end a game.
#pragma once

#include "board/types.h"

// The engine's previous move came from the book (the next search may take longer).
extern bool bookMovePlayed;

// Whether `move` may be played in the game now. The one legality test of the front end.
bool isLegalGameMove(Move move);

// Play a legal move in the game: position, history, game board, fresh history table and a log
// line with the new key. False, changing nothing, for the move 0.
bool playGameMove(Move move);

// The engine's turn: a book move at once, or a timed search; play and announce the move and
// claim the result when the game is over. Returns with the engine thread idle.
void thinkAndMove();
