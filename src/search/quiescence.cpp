#include "search/quiescence.h"

#include <utility>

#include "board/checks.h"
#include "board/makemove.h"
#include "eval/evaluate.h"
#include "movegen/checkers.h"
#include "movegen/generators.h"
#include "search/ordering.h"
#include "search/probe.h"
#include "search/search.h"

namespace {

constexpr int KILLER1_BONUS = 1500;
constexpr int KILLER2_BONUS = 1000;

inline bool noMatingMaterial() {
    return position.material < 4 && !(position.pieces[WPAWN] | position.pieces[BPAWN]);
}

}  // namespace

int quiescence(int q, int alpha, int beta) {
    PlyFrame& frame = *currentUndo;
    int score;
    if (probeForNode(frame, q, alpha, beta, score)) return score;
    findCheckers(frame);

    const int side = position.sideToMove;
    ScoredMove* const begin = (&frame - 1)->listEnd;
    const bool inCheck = frame.checkers != 0;
    int best;
    if (inCheck) {
        best = NO_SCORE;   // no standing pat in check
        frame.listEnd = moveGenerators[2 * EVASIONS + side](begin, frame);
    } else {
        best = evaluate();
        if (best > alpha) {
            if (best >= beta) return best;
            alpha = best;
        }
        frame.listEnd = moveGenerators[2 * CAPTURES + side](begin, frame);
    }
    saveUndo(frame.undo);
    for (ScoredMove* entry = begin; entry < frame.listEnd; ++entry) {
        if (entry->move == frame.hashMove) entry->score = HASH_MOVE_SCORE;
        else if (entry->move == frame.killer1) entry->score = int16_t(entry->score + KILLER1_BONUS);
        else if (entry->move == frame.killer2) entry->score = int16_t(entry->score + KILLER2_BONUS);
    }

    uint32_t bound = UPPER_BOUND;
    Move bestMove = 0;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        std::swap(*highestScore(cursor, frame.listEnd), *cursor);
        const Move move = cursor->move;
        makeMove(move, frame.undo);
        countNode();
        prefetchHash();
        currentUndo = &frame + 1;
        if (leavesKingAttacked(move, side)) {
            score = NO_SCORE;
        } else if (q == QUIESCENCE_FLOOR) {
            score = -evaluate();
        } else if (noMatingMaterial()) {
            score = 0;
        } else {
            currentUndo->listEnd = nullptr;
            score = -quiescence(q - 1, -beta, -alpha);
        }
        currentUndo = &frame;
        unmakeMove(move, frame.undo);
        cursor->score = int16_t(score);

        if (score > best) {
            if (score >= beta) {
                if (move != frame.killer1) {
                    frame.killer2 = frame.killer1;
                    frame.killer1 = move;
                }
                storeHash(0, LOWER_BOUND, move, score);
                return score;
            }
            if (score > alpha) {
                alpha = score;
                bound = EXACT_BOUND;
            }
            best = score;
            bestMove = move;
        }
    }

    if (best == NO_SCORE) {
        const int mated = MATED_SCORE + (int(iterationDepth) - q);
        storeHash(0, EXACT_BOUND, MatedCode, mated);
        return mated;
    }
    if (inCheck) {
        storeHash(1, bound, bestMove, best);
    } else if (bestMove) {
        storeHash(0, bound, bestMove, best);
    }
    return best;
}
