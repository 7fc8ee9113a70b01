#include "search/node.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"
#include "search/control.h"
#include "search/draw.h"
#include "search/ordering.h"
#include "search/probe.h"
#include "search/pvtable.h"
#include "search/quiescence.h"

namespace {

template <Colour Us>
int searchNodeAs(int depth, int alpha, int beta);

// The child of a move by `Us` (so `Them` is to move there).
template <Colour Us>
int searchChildAs(int depth, int alpha, int beta, bool alphaRaised) {
    constexpr Colour Them = opposite(Us);
    if (depth == 1) return -quiescenceAs<Them>(0, -beta, -alpha);
    if (!alphaRaised) return -searchNodeAs<Them>(depth - 1, -beta, -alpha);
    // Once a move has raised alpha, the others only have to be proved no better.
    const int score = -searchNodeAs<Them>(depth - 1, -alpha - 1, -alpha);
    if (score > alpha && score < beta) return -searchNodeAs<Them>(depth - 1, -beta, -alpha);
    return score;
}

// The node with `Us` to move.
template <Colour Us>
int searchNodeAs(int depth, int alpha, int beta) {
    PlyFrame& frame = *currentFrame;
    const int ply = plyOfDepth(depth);
    clearPv(ply);
    noteSelDepth(ply);
    int score;
    if (probeForNode(frame, depth, alpha, beta, score)) return score;
    findCheckersAs<Us>(frame);

    ScoredMove* const begin = (&frame - 1)->listEnd;
    const GeneratorKind kind = frame.checkers ? EVASIONS : ALL_MOVES;
    frame.listEnd = generateList<Us>(kind, begin, frame);
    saveUndo(frame.undo);
    prefetchChildren(begin, frame.listEnd);

    int best = NO_SCORE;
    uint32_t bound = UPPER_BOUND;
    Move bestMove = 0;
    bool byCounters = false;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, begin, cursor, byCounters, cutoffCounters[Us]);
        const Move move = cursor->move;
        makeMoveAs<Us>(move, frame.undo);
        countNode();
        currentFrame = &frame + 1;
        if (leavesKingAttackedAs<Us>(move)) {
            score = NO_SCORE;
        } else if (drawByRule(1)) {
            score = 0;   // inside the tree one earlier occurrence is enough
            clearPv(ply + 1);
        } else {
            score = searchChildAs<Us>(depth, alpha, beta, bound == EXACT_BOUND);
        }
        currentFrame = &frame;
        unmakeMoveAs<Us>(move, frame.undo);
        if (stopFlag.load(std::memory_order_relaxed)) return best;
        cursor->score = int16_t(score);

        if (score > best) {
            if (score >= beta) {
                noteBestLine(ply, move, score);
                rememberCutoff(frame, Us, move, depth);
                storeNodeResult(depth, depth, LOWER_BOUND, move, score);
                return score;
            }
            best = score;
            bestMove = move;
            if (score > alpha) {
                alpha = score;
                bound = EXACT_BOUND;
                extendPv(ply, move);
            } else {
                noteBestLine(ply, move, score);
            }
        }
    }

    if (best == NO_SCORE) {
        if (frame.checkers) {
            const int mated = MATED_SCORE + plyOfDepth(depth);
            storeNodeResult(depth, depth, EXACT_BOUND, MatedCode, mated);
            return mated;
        }
        storeNodeResult(depth, depth, EXACT_BOUND, StalemateCode, 0);
        return 0;
    }
    storeNodeResult(depth, depth, bound, bestMove, best);
    return best;
}

}  // namespace

int searchChild(int depth, int alpha, int beta, bool alphaRaised) {
    // The child is on the board: its mover is the side not to move now.
    return position.sideToMove == WHITE ? searchChildAs<BLACK>(depth, alpha, beta, alphaRaised)
                                        : searchChildAs<WHITE>(depth, alpha, beta, alphaRaised);
}

void rememberCutoff(PlyFrame& frame, int side, Move move, int depth) {
    const int type = moveType(move);
    if ((type == QUIET || type >= CASTLE_BLACK_SHORT) && move != frame.killer1) {
        frame.killer2 = frame.killer1;
        frame.killer1 = move;
    }
    cutoffCounters[side][move & 0xFFF] += uint32_t(depth * depth);
}

int searchNode(int depth, int alpha, int beta) {
    return position.sideToMove == WHITE ? searchNodeAs<WHITE>(depth, alpha, beta) : searchNodeAs<BLACK>(depth, alpha, beta);
}
