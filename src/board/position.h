// The one global search position, the game's own copy of it, the history stack and Zobrist keys.
#pragma once

#include <array>

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
};

// The position as actually played in the game: what move notation is read against.
struct GameBoard {
    uint8_t board[64];
    uint8_t epSquare;
    uint16_t castleFlags;
    uint8_t kingSquare[2];
    Colour sideToMove;
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

// The board is the thread's own: every searching thread works on a copy of the game's, which the
// thread that runs the game holds. The game board is the game's alone.
extern thread_local constinit Position position;
extern GameBoard gameBoard;
extern thread_local constinit PlyRecord positionHistory[HISTORY_SIZE];
// The entry of the position on the board; null until the thread's board is set up or copied.
extern thread_local constinit PlyRecord* historyTop;

// The castling rights the position was set up with: hashKey carries the key of each one lost
// since (a right spent by castling is not keyed).
extern thread_local constinit uint16_t initialCastleRights;

// What a thread copies to search the game's position: the position, its history and its rights.
struct BoardSource {
    const Position* position;
    const PlyRecord* history;      // the first of `length` records, the last being the position's
    int length;
    uint16_t initialCastleRights;
};

// The calling thread's board, for another thread to copy while this one leaves it as it is.
BoardSource boardSource();

// Make the calling thread's board a copy of `source`.
void copyBoard(const BoardSource& source);

namespace zobristDetail {
// A fixed, well-mixed sequence of 64-bit numbers, produced at compile time.
constexpr uint64_t splitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
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
