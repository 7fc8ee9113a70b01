// The position, a board to play it on (the position with the history of its game), and the
// Zobrist keys.
#pragma once

#include <array>

#include "board/castling.h"
#include "ground/random.h"
#include "ground/types.h"

// The board state that the search changes in place, move by move.
struct Position {
    Bitboard pieces[13];        // squares of each piece code; kings (11, 12) stay empty
    Bitboard occupied[2];       // all pieces of each colour, kings included
    Bitboard occupiedAll;       // occupied[BLACK] | occupied[WHITE]
    Bitboard occupied90;        // the same occupancy file by file
    Bitboard occupiedA1H8;      // ... diagonal by diagonal, parallel to a1-h8
    Bitboard occupiedA8H1;      // ... diagonal by diagonal, parallel to a8-h1
    uint8_t board[64];          // piece code on each square
    uint8_t kingSquare[2];      // 100 while no king is placed
    uint16_t castleFlags;       // CastleFlag bits
    uint8_t epSquare;           // square a pawn just passed over, 0 = none
    Colour sideToMove;
    uint64_t hashKey;           // pieces, en-passant square and rights lost since set-up
    uint32_t pawnKey;           // pawns and en-passant square only
    uint8_t material;           // pawn 1, minor 3, rook 5, queen 9 over both sides; 78 at the start
    CastlingRules castling;     // the game's castlings, as set up: where its kings and rooks start
};

// One position of the game or the search line.
struct PlyRecord {
    uint64_t key;               // hashKey of the position
    uint16_t fiftyCounter;      // plies since the last capture, pawn move, promotion or castling
};

// What one ply must remember to take its move back. The first part is a snapshot filled
// before the move (saveUndo); the rest is written by makeMove for unmakeMove.
struct UndoRecord {
    Bitboard occupiedAll;
    Bitboard occupiedMover;
    Bitboard occupied90;
    Bitboard occupiedA1H8;
    Bitboard occupiedA8H1;
    uint64_t hashKey;
    uint32_t pawnKey;
    uint16_t castleFlags;
    uint8_t epSquare;
    Bitboard moverPieces;       // the mover's piece bitboard before the move (not for kings)
    uint8_t captured;           // code of the captured piece
    int8_t materialDelta;       // change of material made by the move
};

// A board to play on: the position, the positions before it back to the set-up (for the draw
// rules), and the castling rights it was set up with. The game has one, and every searching
// thread a copy of it.
struct Board {
    Position position;
    PlyRecord history[HISTORY_SIZE];
    PlyRecord* top;                  // the entry of the position on the board; null until set up
    uint16_t initialCastleRights;    // hashKey carries the key of each one lost since (a right
                                     // spent by castling is not keyed)
};

// Make `to` a copy of `from`: position, history up to its top, and rights (a board not set up yet
// copies as one).
void copyBoard(Board& to, const Board& from);

namespace zobristDetail {
constexpr std::array<std::array<uint64_t, 64>, 13> makeTable() {
    std::array<std::array<uint64_t, 64>, 13> table{};
    uint64_t state = 0x7A72E6B5C0FFEE11ULL;
    for (auto& row : table)
        for (auto& key : row) key = splitMix(state);
    return table;
}
}  // namespace zobristDetail

// zobrist[code][square] for pieces; row 0 holds the en-passant keys and, on the squares where
// the castling kings land (rightKeySquare), the keys of the castling rights.
inline constexpr std::array<std::array<uint64_t, 64>, 13> zobrist = zobristDetail::makeTable();

// Key of the initial position's pieces (set-up adds no castling or en-passant term there).
uint64_t initialPositionKey();
