// Attack and legality queries on a position.
#pragma once

#include "board/attacks.h"
#include "board/castling.h"
#include "board/colours.h"

// True when a knight, pawn, bishop, rook or queen of colour `by` attacks square s; along s's
// rank as the pieces stand in `rankOccupancy` (the position's own, unless a castling asks how the
// rank stood before it).
// (Kings never stand next to each other, so the enemy king need not be asked.)
template <Colour By>
inline bool attackedByNonKing(const Position& p, int s, Bitboard rankOccupancy) {
    if (knightAttacks[s] & p.pieces[pieceOf(By, KNIGHT)]) return true;
    if (pawnAttackOrigins(By, s) & p.pieces[pieceOf(By, PAWN)]) return true;
    const Bitboard queens = p.pieces[pieceOf(By, QUEEN)];
    const Bitboard rooksQueens = p.pieces[pieceOf(By, ROOK)] | queens;
    const Bitboard bishopsQueens = p.pieces[pieceOf(By, BISHOP)] | queens;
    if (!((rooksQueens | bishopsQueens) & queenRays[s])) return false;
    if ((rooksQueens & rookRays[s]) && ((rankAttacksUnder(rankOccupancy, s) | fileAttacksFrom(p, s)) & rooksQueens))
        return true;
    return (bishopsQueens & bishopRays[s]) && (bishopAttacksFrom(p, s) & bishopsQueens);
}

template <Colour By>
inline bool attackedByNonKing(const Position& p, int s) {
    return attackedByNonKing<By>(p, s, p.occupiedAll);
}

inline bool attackedByNonKing(const Position& p, int s, int by) {
    return by == WHITE ? attackedByNonKing<WHITE>(p, s) : attackedByNonKing<BLACK>(p, s);
}

// After `Us` has made `move`: true when that left its king attacked, or when a castling
// started from, passed over or landed on an attacked square. The king's start and the squares it
// crossed are asked as the back rank stood before the castling: there the rook, now beside the
// king, may have stood elsewhere (in Chess960 it may now shield a square that was attacked).
// Files and diagonals through them hold no other square of that rank.
template <Colour Us>
inline bool leavesKingAttackedAs(const Position& p, Move move) {
    constexpr Colour Them = opposite(Us);
    if (attackedByNonKing<Them>(p, p.kingSquare[Us])) return true;
    if (!isCastling(move)) return false;
    const Castling& castling = castlingOf(p.castling, move);
    const Bitboard before = p.occupiedAll ^ castling.occupancy;
    for (Bitboard squares = castling.kingUnattacked; squares;)
        if (attackedByNonKing<Them>(p, popSquare(squares), before)) return true;
    return false;
}

// The same for a side given at run time.
bool leavesKingAttacked(const Position& p, Move move, int side);

// True when the side to move stands in check.
inline bool sideToMoveInCheck(const Position& p) {
    const int side = p.sideToMove;
    return attackedByNonKing(p, p.kingSquare[side], side ^ 1);
}
