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

// An entry for the root as the calling thread knows it: read at the start, or stored by a pass.
struct RootEntry {
    Move move;
    int depth;
    uint32_t bound;
    int score;
};

// Each iteration stores at most three times (a window missed on both sides), and a search runs at
// most DEEPEST_ITERATION iterations; one more for the earlier entry.
constexpr int MOST_ROOT_ENTRIES = 3 * int(DEEPEST_ITERATION) + 1;

thread_local constinit RootEntry ownRootEntries[MOST_ROOT_ENTRIES]{};
thread_local constinit int ownRootEntryCount = 0;
// Whether the search looks at fewer than all root moves.
thread_local constinit bool restrictedRoot = false;

void rememberRootEntry(Move move, int depth, uint32_t bound, int score) {
    if (ownRootEntryCount < MOST_ROOT_ENTRIES) ownRootEntries[ownRootEntryCount++] = RootEntry{move, depth, bound, score};
}

// Store the result of a pass over all root moves, and know it as the thread's own.
void storeRootResult(int depth, uint32_t bound, Move move, int score) {
    storeNodeResult(depth, depth, bound, move, score);
    rememberRootEntry(move, depth, bound, scoreToTable(score, 0));
}

// The root's probe (see searchRoot).
bool probeRoot(PlyFrame& frame, int depth, int& alpha, int& beta, int& score) {
    HashEntry entry;
    if (!probeHash(entry)) {
        frame.hashMove = 0;
        return false;
    }
    frame.hashMove = entryMove(entry);
    if (!isOwnRootEntry(entry)) return false;
    int low = alpha, high = beta;
    if (entryDecides(entry, depth, low, high, score)) return entryMove(entry) == rootMoves()[0].move;
    alpha = low;
    beta = high;
    return false;
}

// No legal move at the root: the result is the special code in place of a move. The list now
// holds no move worth keeping, so a later pass generates it afresh.
int noLegalMove(PlyFrame& root, int depth) {
    const bool mated = root.checkers != 0;
    const Move code = mated ? MatedCode : StalemateCode;
    const int score = mated ? MATED_SCORE : 0;
    rootMoves()[0] = ScoredMove{int16_t(score), code};
    root.listEnd = nullptr;
    storeRootResult(depth, EXACT_BOUND, code, score);
    return score;
}

}  // namespace

void beginRoot(const HashEntry* earlier) {
    restrictedRoot = false;
    ownRootEntryCount = 0;
    if (earlier) rememberRootEntry(entryMove(*earlier), entryDepth(*earlier), entryBound(*earlier), entryScore(*earlier));
}

bool isOwnRootEntry(const HashEntry& entry) {
    for (int i = 0; i < ownRootEntryCount; ++i) {
        const RootEntry& own = ownRootEntries[i];
        if (own.move == entryMove(entry) && own.depth == entryDepth(entry) && own.bound == entryBound(entry) &&
            own.score == entryScore(entry))
            return true;
    }
    return false;
}

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
    if (kept != rootMoves() && kept != frame.listEnd) {
        frame.listEnd = kept;
        restrictedRoot = true;
    }
}

int searchRoot(int alpha, int beta, int first) {
    PlyFrame& frame = plyFrames[0];
    const int depth = int(iterationDepth);
    clearPv(0);
    int score;
    if (first > 0)
        probeHashMove(frame);
    else if (probeRoot(frame, depth, alpha, beta, score))
        return score;

    const int side = position.sideToMove;
    generateRootMoves();
    if (showsRootMoves) currentRootDepth.store(unsigned(depth), std::memory_order_relaxed);
    ScoredMove* const begin = rootMoves() + first;
    const bool wholeList = first == 0;
    const bool stores = wholeList && !restrictedRoot;

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
                    if (stores) storeRootResult(depth, LOWER_BOUND, move, score);
                    std::swap(*bestEntry, *begin);
                    return score;
                }
                alpha = score;
                bound = EXACT_BOUND;
            } else {
                noteBestLine(0, move, score);
            }
        }
    }

    if (best == NO_SCORE) return wholeList ? noLegalMove(frame, depth) : NO_SCORE;
    if (stores) storeRootResult(depth, bound, bestEntry->move, best);
    std::swap(*bestEntry, *begin);
    return best;
}
