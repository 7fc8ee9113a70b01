// The moves of the game: the one legality test of the front ends, playing a move for good,
// handing the move over without one, and taking moves back.
#pragma once

#include "ground/types.h"

// Whether `move` may be played in the game now.
bool isLegalGameMove(Move move);

// Whether the game now stands drawn by rule: a third occurrence of its position, a hundred plies
// without a capture or pawn move, or material no side can mate with.
bool gameDrawnByRule();

// The book's move for the game now, when the table holds one that is legal here; else 0.
Move legalBookMove();

// Log the book move the engine plays ("-M: move(book): " and the move).
void logBookMove(Move move);

// Play a legal move in the game: position, history, game record, fresh cut-off counters and a log
// line with the new key. False, changing nothing, for the move 0.
bool playGameMove(Move move);

// Hand the move to `side` without touching the pieces. The en-passant square goes (it belonged
// to the side that was to move); refused, changing nothing, when the king of the side that would
// wait stands attacked. Handed straight back, the game is exactly as before the first hand-over.
bool setSideToMove(int side);

// Take back the last `count` moves of the game (with the hand-overs after the earliest of them):
// position, history and record return to what they were before those moves, and the book to what
// it was at the set-up. False, changing nothing, when fewer than `count` moves have been played
// since the set-up.
bool takeBackGameMoves(int count);
