// The board state's invariants, checked from scratch: what every make, unmake, set-up and
// take-back must keep. Meant for the INVARIANT checks of Debug builds and for the fuzzer.
#pragma once

#include "board/position.h"

// What a check may leave out: right after a pseudo-legal move is made, the side that moved may
// still be in check (the legality test comes after the move).
enum ConsistencyScope : int { WHOLE_POSITION, WITHOUT_CHECK_TEST };

// The first invariant the board's position breaks, or null when it keeps them all: piece
// bitboards, colour occupancies and the three rotated occupancies agree with the mailbox; one
// king a side, where kingSquare says; hashKey, pawnKey and material equal their values computed
// from scratch; the side to move is WHITE or BLACK; and, for the whole position, the side not to
// move is not in check.
const char* positionFault(const Board& board, ConsistencyScope scope = WHOLE_POSITION);

// True when positionFault finds nothing.
inline bool positionIsConsistent(const Board& board, ConsistencyScope scope = WHOLE_POSITION) {
    return positionFault(board, scope) == nullptr;
}
