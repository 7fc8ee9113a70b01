#include "movegen/checkers.h"

#include "board/attacks.h"
#include "frames/frames.h"

namespace {

template <int Us>
void findCheckersAs(PlyFrame& frame) {
    constexpr int Them = Us ^ 1;
    const Position& p = position;
    const int k = p.kingSquare[Us];
    const Bitboard queens = p.pieces[BQUEEN - Them];
    const Bitboard rooksQueens = p.pieces[BROOK - Them] | queens;
    const Bitboard bishopsQueens = p.pieces[BBISHOP - Them] | queens;
    Bitboard checkers = 0;
    if ((rooksQueens | bishopsQueens) & queenRays[k]) {
        if (rooksQueens & rookRays[k]) {
            frame.kingRookRays = rookAttacksFrom(k);
            checkers = frame.kingRookRays & rooksQueens;
        }
        if (bishopsQueens & bishopRays[k]) {
            // The evasion generator reads the rook rays only when a slider checks along them.
            if (!checkers) frame.kingRookRays = 0;
            frame.kingBishopRays = bishopAttacksFrom(k);
            checkers |= frame.kingBishopRays & bishopsQueens;
        }
    }
    checkers |= knightAttacks[k] & p.pieces[BKNIGHT - Them];
    checkers |= (Us == WHITE ? whitePawnAttacks[k] : blackPawnAttacks[k]) & p.pieces[BPAWN - Them];
    frame.checkers = checkers;
}

}  // namespace

void findCheckers(PlyFrame& frame) {
    if (position.sideToMove == WHITE)
        findCheckersAs<WHITE>(frame);
    else
        findCheckersAs<BLACK>(frame);
}
