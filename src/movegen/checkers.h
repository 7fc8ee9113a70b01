// The pieces that give check to the side to move, and the lines the evasions may block on.
#pragma once

#include "board/attacks.h"
#include "board/colours.h"
#include "frames/frames.h"

// Fill the frame's checkers and king rays for the side to move of `p`, `Us` when the caller knows it
// (inline: every node of the search asks).
template <Colour Us>
inline void findCheckersAs(const Position& p, PlyFrame& frame) {
    constexpr Colour Them = opposite(Us);
    const int k = p.kingSquare[Us];
    const Bitboard queens = p.pieces[pieceOf(Them, QUEEN)];
    const Bitboard rooksQueens = p.pieces[pieceOf(Them, ROOK)] | queens;
    const Bitboard bishopsQueens = p.pieces[pieceOf(Them, BISHOP)] | queens;
    Bitboard checkers = 0;
    if ((rooksQueens | bishopsQueens) & queenRays[k]) {
        if (rooksQueens & rookRays[k]) {
            frame.kingRookRays = rookAttacksFrom(p, k);
            checkers = frame.kingRookRays & rooksQueens;
        }
        if (bishopsQueens & bishopRays[k]) {
            // The evasion generator reads the rook rays only when a slider checks along them.
            if (!checkers) frame.kingRookRays = 0;
            frame.kingBishopRays = bishopAttacksFrom(p, k);
            checkers |= frame.kingBishopRays & bishopsQueens;
        }
    }
    checkers |= knightAttacks[k] & p.pieces[pieceOf(Them, KNIGHT)];
    checkers |= pawnAttackOrigins(Them, k) & p.pieces[pieceOf(Them, PAWN)];
    frame.checkers = checkers;
}

void findCheckers(const Position& p, PlyFrame& frame);
