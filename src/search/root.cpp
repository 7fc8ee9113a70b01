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

namespace {

void rememberRootEntry(SearchThread& thread, Move move, int depth, uint32_t bound, int score) {
    if (thread.rootEntryCount < MOST_ROOT_ENTRIES)
        thread.rootEntries[thread.rootEntryCount++] = RootEntry{move, depth, bound, score};
}

// Store the result of a pass over all root moves, and know it as the thread's own.
void storeRootResult(SearchThread& thread, int depth, uint32_t bound, Move move, int score) {
    storeNodeResult(thread, depth, depth, bound, move, score);
    rememberRootEntry(thread, move, depth, bound, scoreToTable(score, 0));
}

// The root's probe (see searchRoot).
bool probeRoot(SearchThread& thread, PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    HashEntry entry;
    if (!probeHash(thread.board.position, entry)) {
        frame.hashMove = 0;
        return false;
    }
    frame.hashMove = entryMove(entry);
    if (!isOwnRootEntry(thread, entry)) return false;
    int low = alpha, high = beta;
    if (entryDecides(thread, entry, depth, low, high, score)) return entryMove(entry) == rootMoves(thread)[0].move;
    alpha = low;
    beta = high;
    return false;
}

// No legal move at the root: the result is the special code in place of a move. The list now
// holds no move worth keeping, so a later pass generates it afresh.
int noLegalMove(SearchThread& thread, PlyFrame& root, int depth) {
    const bool mated = root.checkers != 0;
    const Move code = mated ? MatedCode : StalemateCode;
    const int score = mated ? MATED_SCORE : 0;
    rootMoves(thread)[0] = ScoredMove{int16_t(score), code};
    root.listEnd = nullptr;
    storeRootResult(thread, depth, EXACT_BOUND, code, score);
    return score;
}

}  // namespace

void beginRoot(SearchThread& thread, const HashEntry* earlier) {
    thread.restrictedRoot = false;
    thread.rootEntryCount = 0;
    if (earlier)
        rememberRootEntry(thread, entryMove(*earlier), entryDepth(*earlier), entryBound(*earlier), entryScore(*earlier));
}

bool isOwnRootEntry(const SearchThread& thread, const HashEntry& entry) {
    for (int i = 0; i < thread.rootEntryCount; ++i) {
        const RootEntry& own = thread.rootEntries[i];
        if (own.move == entryMove(entry) && own.depth == entryDepth(entry) && own.bound == entryBound(entry) &&
            own.score == entryScore(entry))
            return true;
    }
    return false;
}

void generateRootMoves(SearchThread& thread) {
    PlyFrame& frame = thread.frames.plies[0];
    if (frame.listEnd) return;
    const GeneratorKind kind = frame.checkers ? EVASIONS : ALL_MOVES;
    frame.listEnd = generateList(thread.board.position, kind, rootMoves(thread), frame);
    saveUndo(thread.board.position, frame.undo);
}

void restrictRootMoves(SearchThread& thread, const Move* moves, int count) {
    PlyFrame& frame = thread.frames.plies[0];
    ScoredMove* kept = rootMoves(thread);
    for (ScoredMove* entry = rootMoves(thread); entry < frame.listEnd; ++entry)
        for (int i = 0; i < count; ++i)
            if (entry->move == moves[i]) {
                *kept++ = *entry;
                break;
            }
    if (kept != rootMoves(thread) && kept != frame.listEnd) {
        frame.listEnd = kept;
        thread.restrictedRoot = true;
    }
}

int searchRoot(SearchThread& thread, int alpha, int beta, int first) {
    Board& board = thread.board;
    PlyFrame& frame = thread.frames.plies[0];
    const int depth = int(thread.iterationDepth);
    INVARIANT(depth >= int(FIRST_ITERATION) && depth <= int(DEEPEST_ITERATION));
    // The first window may be empty: a lower bound of a mate in one left by an earlier search.
    INVARIANT(windowIsSound(alpha - 1, beta));
    INVARIANT(thread.frames.current == &frame);
    clearPv(thread, 0);
    int score;
    if (first > 0)
        probeHashMove(thread, frame);
    else if (probeRoot(thread, frame, depth, alpha, beta, score))
        return score;

    const int side = board.position.sideToMove;
    generateRootMoves(thread);
    if (thread.main) currentRootDepth.store(unsigned(depth), std::memory_order_relaxed);
    ScoredMove* const begin = rootMoves(thread) + first;
    const bool wholeList = first == 0;
    const bool stores = wholeList && !thread.restrictedRoot;

    int best = NO_SCORE;
    uint32_t bound = UPPER_BOUND;
    ScoredMove* bestEntry = nullptr;
    bool byCounters = false;
    int number = 0;
    for (ScoredMove* cursor = begin; cursor < frame.listEnd; ++cursor) {
        selectMove(frame, begin, cursor, byCounters, thread.frames.cutoffCounters[side]);
        const Move move = cursor->move;
        ++number;
        if (thread.main) {
            currentRootMove.store(move, std::memory_order_relaxed);
            currentRootMoveNumber.store(number, std::memory_order_relaxed);
        }
        makeMove(board, move, frame.undo);
        countNode(thread);
        prefetchHash(board.position);
        thread.frames.current = &frame + 1;
        if (leavesKingAttacked(board.position, move, side)) {
            score = NO_SCORE;
        } else if (drawByRule(board, 2)) {
            score = 0;   // at the root only a third occurrence is a draw
            clearPv(thread, 1);
        } else {
            score = searchChild(thread, depth, alpha, beta, bound == EXACT_BOUND);
        }
        thread.frames.current = &frame;
        unmakeMove(board, move, frame.undo);
        if (stopFlag.load(std::memory_order_relaxed)) return best;
        cursor->score = int16_t(score);

        if (score > best) {
            best = score;
            bestEntry = cursor;
            if (score > alpha) {
                extendPv(thread, 0, move);
                if (score >= beta) {
                    rememberCutoff(thread, frame, side, move, depth);
                    if (stores) storeRootResult(thread, depth, LOWER_BOUND, move, score);
                    std::swap(*bestEntry, *begin);
                    return score;
                }
                alpha = score;
                bound = EXACT_BOUND;
            } else {
                noteBestLine(thread, 0, move, score);
            }
        }
    }

    if (best == NO_SCORE) return wholeList ? noLegalMove(thread, frame, depth) : NO_SCORE;
    if (stores) storeRootResult(thread, depth, bound, bestEntry->move, best);
    std::swap(*bestEntry, *begin);
    return best;
}
