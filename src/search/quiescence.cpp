#include "search/quiescence.h"

#include <utility>

#include "board/checks.h"
#include "board/makemove.h"
#include "eval/evaluate.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"
#include "search/control.h"
#include "search/ordering.h"
#include "search/probe.h"
#include "search/pvtable.h"

namespace {

constexpr int KILLER1_BONUS = 1500;
constexpr int KILLER2_BONUS = 1000;

// The hash move goes first; the killers keep their capture's order, raised above their equals.
inline int quiescenceMark(int score, int which) {
    return which == 0 ? HASH_MOVE_SCORE : which == 1 ? score + KILLER1_BONUS : score + KILLER2_BONUS;
}

inline bool noMatingMaterial() {
    return position.material < 4 && !(position.pieces[WPAWN] | position.pieces[BPAWN]);
}

}  // namespace

template <Colour Us>
int quiescenceAs(int q, int alpha, int beta) {
    PlyFrame& frame = *currentFrame;
    const int ply = plyOfDepth(q);
    clearPv(ply);
    noteSelDepth(ply);
    int score;
    if (probeForNode(frame, q, alpha, beta, score)) return score;
    findCheckersAs<Us>(frame);

    ScoredMove* const begin = (&frame - 1)->listEnd;
    const bool inCheck = frame.checkers != 0;
    int best;
    if (inCheck) {
        best = NO_SCORE;   // no standing pat in check
        frame.listEnd = generateList<Us>(EVASIONS, begin, frame);
    } else {
        best = evaluate();
        if (best > alpha) {
            if (best >= beta) return best;
            alpha = best;
        }
        frame.listEnd = generateList<Us>(CAPTURES, begin, frame);
    }
    saveUndo(frame.undo);
    if (q != QUIESCENCE_FLOOR) prefetchChildren(begin, frame.listEnd);   // moves at the floor are only evaluated

    uint32_t bound = UPPER_BOUND;
    Move bestMove = 0;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        ScoredMove* const next = cursor == begin ? markAndFindHighest(frame, begin, frame.listEnd, quiescenceMark)
                                                 : highestScore(cursor, frame.listEnd);
        std::swap(*next, *cursor);
        const Move move = cursor->move;
        makeMoveAs<Us>(move, frame.undo);
        countNode();
        currentFrame = &frame + 1;
        if (leavesKingAttackedAs<Us>(move)) {
            score = NO_SCORE;
        } else if (q == QUIESCENCE_FLOOR) {
            score = -evaluate();
            clearPv(ply + 1);
        } else if (noMatingMaterial()) {
            score = 0;
            clearPv(ply + 1);
        } else {
            score = -quiescenceAs<opposite(Us)>(q - 1, -beta, -alpha);
        }
        currentFrame = &frame;
        unmakeMoveAs<Us>(move, frame.undo);
        cursor->score = int16_t(score);

        if (score > best) {
            if (score >= beta) {
                noteBestLine(ply, move, score);
                if (move != frame.killer1) {
                    frame.killer2 = frame.killer1;
                    frame.killer1 = move;
                }
                storeNodeResult(q, 0, LOWER_BOUND, move, score);
                return score;
            }
            if (score > alpha) {
                alpha = score;
                bound = EXACT_BOUND;
                extendPv(ply, move);
            } else {
                noteBestLine(ply, move, score);
            }
            best = score;
            bestMove = move;
        }
    }

    if (best == NO_SCORE) {
        const int mated = MATED_SCORE + plyOfDepth(q);
        storeNodeResult(q, 0, EXACT_BOUND, MatedCode, mated);
        return mated;
    }
    if (inCheck) {
        storeNodeResult(q, 1, bound, bestMove, best);
    } else if (bestMove) {
        storeNodeResult(q, 0, bound, bestMove, best);
    }
    return best;
}

template int quiescenceAs<WHITE>(int, int, int);
template int quiescenceAs<BLACK>(int, int, int);

int quiescence(int q, int alpha, int beta) {
    return position.sideToMove == WHITE ? quiescenceAs<WHITE>(q, alpha, beta) : quiescenceAs<BLACK>(q, alpha, beta);
}
