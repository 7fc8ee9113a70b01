#include "movegen/checkers.h"

#include "board/colours.h"
#include "frames/frames.h"

template <Colour Us>
void findCheckersAs(const Position& p, PlyFrame& frame) {
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

template void findCheckersAs<WHITE>(const Position&, PlyFrame&);
template void findCheckersAs<BLACK>(const Position&, PlyFrame&);

void findCheckers(const Position& p, PlyFrame& frame) {
    return p.sideToMove == WHITE ? findCheckersAs<WHITE>(p, frame) : findCheckersAs<BLACK>(p, frame);
}
