// Playing a move on the global position and taking it back.
#pragma once

#include "board/position.h"

// Fill the snapshot half of `undo` from the position, before the move is made.
void saveUndo(UndoRecord& undo);

// Play a pseudo-legal move: updates every representation, the keys and the history stack, and
// writes into `undo` (whose snapshot must have been saved) what the take-back needs.
void makeMove(Move move, UndoRecord& undo);

// Take back the last move made, with the record it was made with.
void unmakeMove(Move move, const UndoRecord& undo);
