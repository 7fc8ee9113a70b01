#include "board/checks.h"

bool leavesKingAttacked(const Position& p, Move move, int side) {
    return side == WHITE ? leavesKingAttackedAs<WHITE>(p, move) : leavesKingAttackedAs<BLACK>(p, move);
}
