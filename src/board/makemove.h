// Playing a move on a board and taking it back.
#pragma once

#include "board/position.h"

// Fill the snapshot half of `undo` from the position, before the move is made.
inline void saveUndo(const Position& p, UndoRecord& undo) {
    undo.occupiedAll = p.occupiedAll;
    undo.occupiedMover = p.occupied[p.sideToMove];
    undo.occupied90 = p.occupied90;
    undo.occupiedA1H8 = p.occupiedA1H8;
    undo.occupiedA8H1 = p.occupiedA8H1;
    undo.hashKey = p.hashKey;
    undo.pawnKey = p.pawnKey;
    undo.castleFlags = p.castleFlags;
    undo.epSquare = p.epSquare;
}

// The hash key the position will have after `move`, for a quiet move or a capture that keeps the
// castling rights; for any other move a near guess. Reads the position, changes nothing.
inline uint64_t keyAfterMove(const Position& p, Move move) {
    const int from = moveFrom(move), to = moveTo(move);
    const int piece = p.board[from], victim = p.board[to];
    uint64_t key = p.hashKey ^ zobrist[piece][from] ^ zobrist[piece][to];
    if (victim) key ^= zobrist[victim][to];
    if (p.epSquare) key ^= zobrist[0][p.epSquare];
    // A double push leaves its en-passant square in the key.
    if (isPawn(piece) && ((from - to) & 31) == 16) key ^= zobrist[0][(from + to) >> 1];
    return key;
}

// Play a pseudo-legal move: updates every representation, the keys and the history stack, and
// writes into `undo` what the take-back needs. The snapshot in `undo` must be that of the position
// on the board: the new occupancies and keys are built from it.
void makeMove(Board& board, Move move, UndoRecord& undo);

// Take back the last move made, with the record it was made with.
void unmakeMove(Board& board, Move move, const UndoRecord& undo);

// The same two for a mover known to the caller (Us = the side to move before the move), inline:
// for the loops that make every move of a list.
template <Colour Us>
inline void makeMoveAs(Board& board, Move move, UndoRecord& undo);
template <Colour Us>
inline void unmakeMoveAs(Board& board, Move move, const UndoRecord& undo);

#include "board/makemovebody.h"
