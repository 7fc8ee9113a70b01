#include "board/checks.h"

bool leavesKingAttacked(Move move, int side) {
    return side == WHITE ? leavesKingAttackedAs<WHITE>(move) : leavesKingAttackedAs<BLACK>(move);
}
