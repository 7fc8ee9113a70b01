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
int searchNodeAs(SearchThread& thread, int depth, int alpha, int beta);

// The child of a move by `Us` (so `Them` is to move there).
template <Colour Us>
int searchChildAs(SearchThread& thread, int depth, int alpha, int beta, bool alphaRaised) {
    constexpr Colour Them = opposite(Us);
    if (depth == 1) return -quiescenceAs<Them>(thread, 0, -beta, -alpha);
    if (!alphaRaised) return -searchNodeAs<Them>(thread, depth - 1, -beta, -alpha);
    // Once a move has raised alpha, the others only have to be proved no better.
    const int score = -searchNodeAs<Them>(thread, depth - 1, -alpha - 1, -alpha);
    if (score > alpha && score < beta) return -searchNodeAs<Them>(thread, depth - 1, -beta, -alpha);
    return score;
}

// The node with `Us` to move.
template <Colour Us>
int searchNodeAs(SearchThread& thread, int depth, int alpha, int beta) {
    Board& board = thread.board;
    PlyFrame& frame = currentFrame(thread);
    const int ply = plyOfDepth(thread, depth);
    INVARIANT(depth >= 1 && depth < int(DEEPEST_ITERATION));
    INVARIANT(windowIsSound(alpha, beta));
    INVARIANT(frameIsSound(thread, frame, ply));
    clearPv(thread, ply);
    noteSelDepth(thread, ply);
    int score;
    if (probeForNode(thread, frame, depth, alpha, beta, score)) return score;
    findCheckersAs<Us>(board.position, frame);

    ScoredMove* const begin = (&frame - 1)->listEnd;
    INVARIANT(roomForList(thread.frames, begin));
    const GeneratorKind kind = frame.checkers ? EVASIONS : ALL_MOVES;
    frame.listEnd = generateList<Us>(board.position, kind, begin, frame);
    saveUndo(board.position, frame.undo);
    prefetchChildren(board.position, begin, frame.listEnd);

    int best = NO_SCORE;
    uint32_t bound = UPPER_BOUND;
    Move bestMove = 0;
    bool byCounters = false;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, begin, cursor, byCounters, thread.frames.cutoffCounters[Us]);
        const Move move = cursor->move;
        makeMoveAs<Us>(board, move, frame.undo);
        countNode(thread);
        thread.frames.current = &frame + 1;
        if (leavesKingAttackedAs<Us>(board.position, move)) {
            score = NO_SCORE;
        } else if (drawByRule(board, 1)) {
            score = 0;   // inside the tree one earlier occurrence is enough
            clearPv(thread, ply + 1);
        } else {
            score = searchChildAs<Us>(thread, depth, alpha, beta, bound == EXACT_BOUND);
        }
        thread.frames.current = &frame;
        unmakeMoveAs<Us>(board, move, frame.undo);
        if (stopFlag.load(std::memory_order_relaxed)) return best;
        cursor->score = int16_t(score);

        if (score > best) {
            if (score >= beta) {
                noteBestLine(thread, ply, move, score);
                rememberCutoff(thread, frame, Us, move, depth);
                storeNodeResult(thread, depth, depth, LOWER_BOUND, move, score);
                return score;
            }
            best = score;
            bestMove = move;
            if (score > alpha) {
                alpha = score;
                bound = EXACT_BOUND;
                extendPv(thread, ply, move);
            } else {
                noteBestLine(thread, ply, move, score);
            }
        }
    }

    if (best == NO_SCORE) {
        if (frame.checkers) {
            const int mated = MATED_SCORE + ply;
            storeNodeResult(thread, depth, depth, EXACT_BOUND, MatedCode, mated);
            return mated;
        }
        storeNodeResult(thread, depth, depth, EXACT_BOUND, StalemateCode, 0);
        return 0;
    }
    storeNodeResult(thread, depth, depth, bound, bestMove, best);
    return best;
}

}  // namespace

int searchChild(SearchThread& thread, int depth, int alpha, int beta, bool alphaRaised) {
    // The child is on the board: its mover is the side not to move now.
    return thread.board.position.sideToMove == WHITE ? searchChildAs<BLACK>(thread, depth, alpha, beta, alphaRaised)
                                                     : searchChildAs<WHITE>(thread, depth, alpha, beta, alphaRaised);
}

void rememberCutoff(SearchThread& thread, PlyFrame& frame, int side, Move move, int depth) {
    const int type = moveType(move);
    if ((type == QUIET || type >= CASTLE_BLACK_SHORT) && move != frame.killer1) {
        frame.killer2 = frame.killer1;
        frame.killer1 = move;
    }
    thread.frames.cutoffCounters[side][move & 0xFFF] += uint32_t(depth * depth);
}

int searchNode(SearchThread& thread, int depth, int alpha, int beta) {
    return thread.board.position.sideToMove == WHITE ? searchNodeAs<WHITE>(thread, depth, alpha, beta)
                                                     : searchNodeAs<BLACK>(thread, depth, alpha, beta);
}
