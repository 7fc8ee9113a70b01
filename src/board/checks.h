// Attack and legality queries on the global position.
#pragma once

#include "board/attacks.h"
#include "board/castling.h"
#include "board/colours.h"

// True when a knight, pawn, bishop, rook or queen of colour `by` attacks square s.
// (Kings never stand next to each other, so the enemy king need not be asked.)
template <Colour By>
inline bool attackedByNonKing(int s) {
    const Position& p = position;
    if (knightAttacks[s] & p.pieces[pieceOf(By, KNIGHT)]) return true;
    if (pawnAttackOrigins(By, s) & p.pieces[pieceOf(By, PAWN)]) return true;
    const Bitboard queens = p.pieces[pieceOf(By, QUEEN)];
    const Bitboard rooksQueens = p.pieces[pieceOf(By, ROOK)] | queens;
    const Bitboard bishopsQueens = p.pieces[pieceOf(By, BISHOP)] | queens;
    if (!((rooksQueens | bishopsQueens) & queenRays[s])) return false;
    if ((rooksQueens & rookRays[s]) && (rookAttacksFrom(s) & rooksQueens)) return true;
    return (bishopsQueens & bishopRays[s]) && (bishopAttacksFrom(s) & bishopsQueens);
}

inline bool attackedByNonKing(int s, int by) {
    return by == WHITE ? attackedByNonKing<WHITE>(s) : attackedByNonKing<BLACK>(s);
}

// After `Us` has made `move`: true when that left its king attacked, or when a castling
// started from, passed over or landed on an attacked square.
template <Colour Us>
inline bool leavesKingAttackedAs(Move move) {
    constexpr Colour Them = opposite(Us);
    if (attackedByNonKing<Them>(position.kingSquare[Us])) return true;
    if (!isCastling(move)) return false;
    const Castling& castling = castlingOf(move);
    return attackedByNonKing<Them>(castling.kingFrom) || attackedByNonKing<Them>(kingCrossing(castling));
}

// The same for a side given at run time.
bool leavesKingAttacked(Move move, int side);

// True when the side to move stands in check.
inline bool sideToMoveInCheck() {
    const int side = position.sideToMove;
    return attackedByNonKing(position.kingSquare[side], side ^ 1);
}
