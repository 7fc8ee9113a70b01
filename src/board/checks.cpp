#include "board/checks.h"

namespace {

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

bool leavesKingAttacked(Move move, int side) {
    return side == WHITE ? leavesKingAttackedAs<WHITE>(move) : leavesKingAttackedAs<BLACK>(move);
}
