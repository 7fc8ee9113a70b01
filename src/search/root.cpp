#include "search/root.h"

#include <utility>

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/generators.h"
#include "search/control.h"
#include "search/draw.h"
#include "search/node.h"
#include "search/ordering.h"
#include "search/probe.h"
#include "search/pvtable.h"

std::atomic<unsigned> currentRootDepth{0};
std::atomic<uint16_t> currentRootMove{0};
std::atomic<int> currentRootMoveNumber{0};
thread_local constinit bool showsRootMoves = true;

namespace {

// No legal move at the root: the result is the special code in place of a move. The list now
// holds no move worth keeping, so a later pass generates it afresh.
int noLegalMove(PlyFrame& root, int depth) {
    const bool mated = root.checkers != 0;
    const Move code = mated ? MatedCode : StalemateCode;
    const int score = mated ? MATED_SCORE : 0;
    rootMoves()[0] = ScoredMove{int16_t(score), code};
    root.listEnd = nullptr;
    storeNodeResult(depth, depth, EXACT_BOUND, code, score);
    return score;
}

}  // namespace

void generateRootMoves() {
    PlyFrame& frame = plyFrames[0];
    if (frame.listEnd) return;
    const GeneratorKind kind = frame.checkers ? EVASIONS : ALL_MOVES;
    frame.listEnd = generateList(kind, rootMoves(), frame);
    saveUndo(frame.undo);
}

void restrictRootMoves(const Move* moves, int count) {
    PlyFrame& frame = plyFrames[0];
    ScoredMove* kept = rootMoves();
    for (ScoredMove* entry = rootMoves(); entry < frame.listEnd; ++entry)
        for (int i = 0; i < count; ++i)
            if (entry->move == moves[i]) {
                *kept++ = *entry;
                break;
            }
    if (kept != rootMoves()) frame.listEnd = kept;
}

int searchRoot(int alpha, int beta, int first) {
    PlyFrame& frame = plyFrames[0];
    const int depth = int(iterationDepth);
    clearPv(0);
    int score;
    if (first > 0)
        probeHashMove(frame);
    else if (probeForNode(frame, depth, alpha, beta, score))
        return score;

    const int side = position.sideToMove;
    generateRootMoves();
    if (showsRootMoves) currentRootDepth.store(unsigned(depth), std::memory_order_relaxed);
    ScoredMove* const begin = rootMoves() + first;
    const bool wholeList = first == 0;

    int best = NO_SCORE;
    uint32_t bound = UPPER_BOUND;
    ScoredMove* bestEntry = nullptr;
    bool byCounters = false;
    int number = 0;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, begin, cursor, byCounters, cutoffCounters[side]);
        const Move move = cursor->move;
        ++number;
        if (showsRootMoves) {
            currentRootMove.store(move, std::memory_order_relaxed);
            currentRootMoveNumber.store(number, std::memory_order_relaxed);
        }
        makeMove(move, frame.undo);
        countNode();
        prefetchHash();
        currentFrame = &frame + 1;
        if (leavesKingAttacked(move, side)) {
            score = NO_SCORE;
        } else if (drawByRule(2)) {
            score = 0;   // at the root only a third occurrence is a draw
            clearPv(1);
        } else {
            score = searchChild(depth, alpha, beta, bound == EXACT_BOUND);
        }
        currentFrame = &frame;
        unmakeMove(move, frame.undo);
        if (stopFlag.load(std::memory_order_relaxed)) return best;
        cursor->score = int16_t(score);

        if (score > best) {
            best = score;
            bestEntry = cursor;
            if (score > alpha) {
                extendPv(0, move);
                if (score >= beta) {
                    rememberCutoff(frame, side, move, depth);
                    if (wholeList) storeNodeResult(depth, depth, LOWER_BOUND, move, score);
                    std::swap(*bestEntry, *begin);
                    return score;
                }
                alpha = score;
                bound = EXACT_BOUND;
            }
        }
    }

    if (best == NO_SCORE) return wholeList ? noLegalMove(frame, depth) : NO_SCORE;
    if (wholeList) storeNodeResult(depth, depth, bound, bestEntry->move, best);
    std::swap(*bestEntry, *begin);
    return best;
}
