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

inline bool noMatingMaterial(const Position& p) { return p.material < 4 && !(p.pieces[WPAWN] | p.pieces[BPAWN]); }

}  // namespace

template <Colour Us>
int quiescenceAs(SearchThread& thread, int q, int alpha, int beta) {
    Board& board = thread.board;
    PlyFrame& frame = currentFrame(thread);
    const int ply = plyOfDepth(thread, q);
    INVARIANT(q >= QUIESCENCE_FLOOR && q <= 0);
    INVARIANT(windowIsSound(alpha, beta));
    INVARIANT(frameIsSound(thread, frame, ply));
    clearPv(thread, ply);
    noteSelDepth(thread, ply);
    int score;
    if (probeForNode(thread, frame, q, alpha, beta, score)) return score;
    findCheckersAs<Us>(board.position, frame);

    ScoredMove* const begin = (&frame - 1)->listEnd;
    INVARIANT(roomForList(thread.frames, begin));
    const bool inCheck = frame.checkers != 0;
    int best;
    if (inCheck) {
        best = NO_SCORE;   // no standing pat in check
        frame.listEnd = generateList<Us>(board.position, EVASIONS, begin, frame);
    } else {
        best = evaluate(board.position);
        INVARIANT(best >= -EVAL_LIMIT && best <= EVAL_LIMIT);
        if (best > alpha) {
            if (best >= beta) return best;
            alpha = best;
        }
        frame.listEnd = generateList<Us>(board.position, CAPTURES, begin, frame);
    }
    saveUndo(board.position, frame.undo);
    if (q != QUIESCENCE_FLOOR) prefetchChildren(board.position, begin, frame.listEnd);   // moves at the floor are only evaluated

    uint32_t bound = UPPER_BOUND;
    Move bestMove = 0;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        ScoredMove* const next = cursor == begin ? markAndFindHighest(frame, begin, frame.listEnd, quiescenceMark)
                                                 : highestScore(cursor, frame.listEnd);
        std::swap(*next, *cursor);
        const Move move = cursor->move;
        makeMoveAs<Us>(board, move, frame.undo);
        countNode(thread);
        thread.frames.current = &frame + 1;
        if (leavesKingAttackedAs<Us>(board.position, move)) {
            score = NO_SCORE;
        } else if (q == QUIESCENCE_FLOOR) {
            score = -evaluate(board.position);
            clearPv(thread, ply + 1);
        } else if (noMatingMaterial(board.position)) {
            score = 0;
            clearPv(thread, ply + 1);
        } else {
            score = -quiescenceAs<opposite(Us)>(thread, q - 1, -beta, -alpha);
        }
        thread.frames.current = &frame;
        unmakeMoveAs<Us>(board, move, frame.undo);
        cursor->score = int16_t(score);

        if (score > best) {
            if (score >= beta) {
                noteBestLine(thread, ply, move, score);
                if (move != frame.killer1) {
                    frame.killer2 = frame.killer1;
                    frame.killer1 = move;
                }
                storeNodeResult(thread, q, 0, LOWER_BOUND, move, score);
                return score;
            }
            if (score > alpha) {
                alpha = score;
                bound = EXACT_BOUND;
                extendPv(thread, ply, move);
            } else {
                noteBestLine(thread, ply, move, score);
            }
            best = score;
            bestMove = move;
        }
    }

    if (best == NO_SCORE) {
        const int mated = MATED_SCORE + ply;
        storeNodeResult(thread, q, 0, EXACT_BOUND, MatedCode, mated);
        return mated;
    }
    if (inCheck) {
        storeNodeResult(thread, q, 1, bound, bestMove, best);
    } else if (bestMove) {
        storeNodeResult(thread, q, 0, bound, bestMove, best);
    }
    return best;
}

template int quiescenceAs<WHITE>(SearchThread&, int, int, int);
template int quiescenceAs<BLACK>(SearchThread&, int, int, int);

int quiescence(SearchThread& thread, int q, int alpha, int beta) {
    return thread.board.position.sideToMove == WHITE ? quiescenceAs<WHITE>(thread, q, alpha, beta)
                                                     : quiescenceAs<BLACK>(thread, q, alpha, beta);
}
