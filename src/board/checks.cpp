#include "board/checks.h"

#include "search/frames.h"

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

// Squares a castling king starts from and passes over, by move type - 12.
constexpr uint8_t CASTLING_KING_FROM[4] = {4, 60, 4, 60};
constexpr uint8_t CASTLING_KING_PASSES[4] = {5, 61, 3, 59};

template <int Side>
bool leavesKingAttackedAs(Move move) {
    constexpr int Them = Side ^ 1;
    if (attackedByNonKing<Them>(position.kingSquare[Side])) return true;
    if (!isCastling(move)) return false;
    const int index = moveType(move) - CASTLE_BLACK_SHORT;
    return attackedByNonKing<Them>(CASTLING_KING_FROM[index]) || attackedByNonKing<Them>(CASTLING_KING_PASSES[index]);
}

}  // namespace

void findCheckers(PlyFrame& frame) {
    if (position.sideToMove == WHITE)
        findCheckersAs<WHITE>(frame);
    else
        findCheckersAs<BLACK>(frame);
}

bool leavesKingAttacked(Move move, int side) {
    return side == WHITE ? leavesKingAttackedAs<WHITE>(move) : leavesKingAttackedAs<BLACK>(move);
}
