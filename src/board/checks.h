// Attack and legality queries on the global position.
#pragma once

#include "board/attacks.h"
#include "board/castling.h"

// True when a knight, pawn, bishop, rook or queen of colour `by` attacks square s.
// (Kings never stand next to each other, so the enemy king need not be asked.)
template <int By>
inline bool attackedByNonKing(int s) {
    const Position& p = position;
    if (knightAttacks[s] & p.pieces[BKNIGHT - By]) return true;
    // A pawn of `By` hits s from where a pawn of the other colour on s would hit.
    if ((By == WHITE ? blackPawnAttacks[s] : whitePawnAttacks[s]) & p.pieces[BPAWN - By]) return true;
    const Bitboard queens = p.pieces[BQUEEN - By];
    const Bitboard rooksQueens = p.pieces[BROOK - By] | queens;
    const Bitboard bishopsQueens = p.pieces[BBISHOP - By] | queens;
    if (!((rooksQueens | bishopsQueens) & queenRays[s])) return false;
    if ((rooksQueens & rookRays[s]) && (rookAttacksFrom(s) & rooksQueens)) return true;
    return (bishopsQueens & bishopRays[s]) && (bishopAttacksFrom(s) & bishopsQueens);
}

inline bool attackedByNonKing(int s, int by) {
    return by == WHITE ? attackedByNonKing<WHITE>(s) : attackedByNonKing<BLACK>(s);
}

// After `Side` has made `move`: true when that left its king attacked, or when a castling
// started from, passed over or landed on an attacked square.
template <int Side>
inline bool leavesKingAttackedAs(Move move) {
    constexpr int Them = Side ^ 1;
    if (attackedByNonKing<Them>(position.kingSquare[Side])) return true;
    if (!isCastling(move)) return false;
    const Castling& castling = castlingOf(move);
    return attackedByNonKing<Them>(castling.kingFrom) || attackedByNonKing<Them>(kingCrossing(castling));
}

// The same for a side given at run time.
bool leavesKingAttacked(Move move, int side);
