#include "movegen/checkers.h"

void findCheckers(const Position& p, PlyFrame& frame) {
    return p.sideToMove == WHITE ? findCheckersAs<WHITE>(p, frame) : findCheckersAs<BLACK>(p, frame);
}
