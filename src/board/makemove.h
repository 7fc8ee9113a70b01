// Playing a move on the global position and taking it back.
#pragma once

#include "board/position.h"

// Fill the snapshot half of the current frame's undo record from the position.
void saveUndo();

// Play a pseudo-legal move: updates every representation, the keys and the history stack.
// The current frame's undo snapshot must have been saved; the frame pointer is not moved.
void makeMove(Move move);

// Take back the last move made; the frame pointer must address the frame it was made from.
void unmakeMove(Move move);
