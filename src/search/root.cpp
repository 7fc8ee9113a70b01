#include "search/root.h"

#include <utility>

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/generators.h"
#include "search/draw.h"
#include "search/node.h"
#include "search/ordering.h"
#include "search/probe.h"
#include "search/search.h"

namespace {

// No legal move at the root: the result is the special code in place of a move. The list now
// holds no move worth keeping, so a later pass generates it afresh.
int noLegalMove(PlyFrame& root, int depth) {
    const bool mated = root.checkers != 0;
    const Move code = mated ? MatedCode : StalemateCode;
    const int score = mated ? MATED_SCORE : 0;
    rootMoves[0] = ScoredMove{int16_t(score), code};
    root.listEnd = nullptr;
    storeHash(depth, EXACT_BOUND, code, score);
    return score;
}

}  // namespace

int searchRoot(int alpha, int beta) {
    PlyFrame& frame = plyFrames[0];
    const int depth = int(iterationDepth);
    int score;
    if (probeForNode(frame, depth, alpha, beta, score)) return score;

    const int side = position.sideToMove;
    if (!frame.listEnd) {
        const GeneratorKind kind = frame.checkers ? EVASIONS : ALL_MOVES;
        frame.listEnd = generateList(kind, rootMoves, frame);
        saveUndo(frame.undo);
    }

    int best = NO_SCORE;
    uint32_t bound = UPPER_BOUND;
    ScoredMove* bestEntry = nullptr;
    bool byHistory = false;
    for (ScoredMove* cursor = rootMoves; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, rootMoves, cursor, byHistory, historyTable[side]);
        const Move move = cursor->move;
        makeMove(move, frame.undo);
        countNode();
        prefetchHash();
        currentUndo = &frame + 1;
        if (leavesKingAttacked(move, side)) {
            score = NO_SCORE;
        } else if (drawByRule(2)) {
            score = 0;   // at the root only a third occurrence is a draw
        } else {
            score = searchChild(depth, alpha, beta, bound == EXACT_BOUND);
        }
        currentUndo = &frame;
        unmakeMove(move, frame.undo);
        if (stopFlag.load(std::memory_order_relaxed)) return best;
        cursor->score = int16_t(score);

        if (score > best) {
            best = score;
            bestEntry = cursor;
            if (score > alpha) {
                if (score >= beta) {
                    rememberCutoff(frame, side, move, depth);
                    storeHash(depth, LOWER_BOUND, move, score);
                    std::swap(*bestEntry, rootMoves[0]);
                    return score;
                }
                alpha = score;
                bound = EXACT_BOUND;
            }
        }
    }

    if (best == NO_SCORE) return noLegalMove(frame, depth);
    storeHash(depth, bound, bestEntry->move, best);
    std::swap(*bestEntry, rootMoves[0]);
    return best;
}
