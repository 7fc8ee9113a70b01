#include "search/search.h"

#include <cstring>

#include "board/checks.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "frames/frames.h"
#include "ground/log.h"
#include "movegen/checkers.h"
#include "movegen/legality.h"
#include "search/draw.h"
#include "search/enginestate.h"
#include "search/root.h"
#include "search/transposition.h"

std::atomic<uint8_t> stopFlag{0};
std::atomic<uint8_t> failLowFlag{1};
unsigned maxDepth = 63;
unsigned iterationDepth = 0;
std::atomic<uint64_t> searchNodes{0};
void (*iterationReport)(unsigned depth, int score) = nullptr;

namespace {

constexpr int FULL_LOW = MATED_SCORE;    // -8100
constexpr int FULL_HIGH = WINDOW_HIGH;   // 8099
constexpr int FIRST_ITERATION = 2;
constexpr unsigned DEEPEST_ITERATION = MAX_FRAMES - 9;   // 63: the frames hold 8 quiescence plies more

char pvBuffer[1024];
const char NO_HASH_ENTRY_LINE[] =
    "*********************************************************************************************************************";
static_assert(sizeof NO_HASH_ENTRY_LINE == 118);

inline bool stopped() { return stopFlag.load(std::memory_order_relaxed) != 0; }

// The result must be a move the engine may play, or the truth about a position without one. A
// search stopped early can leave a move it generated but never tested, or none at all, and a
// hash-key collision can hand the root another position's move or code: the move is looked
// for among the generated moves before it is ever made. Failing that, the first legal move in
// generation order stands in, with no score, since it was not searched.
void keepResultLegal() {
    ScoredMove& result = rootMoves[0];
    if (moveType(result.move) != NOT_A_MOVE && isLegalMove(result.move)) return;
    if (const Move first = anyLegalMove()) {
        result = ScoredMove{int16_t(NO_SCORE), first};
        return;
    }
    const int side = position.sideToMove;
    if (attackedByNonKing(position.kingSquare[side], side ^ 1))
        result = ScoredMove{int16_t(MATED_SCORE), MatedCode};
    else
        result = ScoredMove{0, StalemateCode};
}

}  // namespace

void principalVariationText(char* buffer, int plies) {
    *buffer = 0;
    if (plies == 0) return;
    const HashEntry* entry = probeHash();
    if (!entry) {
        std::strcpy(buffer, "NOE ");
        return;
    }
    const Move move = entryMove(*entry);
    if (move == MatedCode) {
        std::strcpy(buffer, "# ");
        return;
    }
    if (move == StalemateCode) {
        std::strcpy(buffer, "1/2 - 1/2 (stalemate)");
        return;
    }
    if (move == RepetitionCode) {
        std::strcpy(buffer, "1/2 - 1/2 (repetition)");
        return;
    }
    if (move == 0 || moveType(move) == NOT_A_MOVE) return;   // nothing playable to follow
    moveToText(buffer, move);
    char* rest = buffer + std::strlen(buffer);
    *rest++ = ' ';
    saveUndo(currentUndo->undo);
    makeMove(move, currentUndo->undo);
    ++currentUndo;
    principalVariationText(rest, plies - 1);
    --currentUndo;
    unmakeMove(move, currentUndo->undo);
}

Move searchPosition() {
    ScoredMove& result = rootMoves[0];
    searchNodes = 0;
    if (drawByRule(2)) {
        result = ScoredMove{0, RepetitionCode};
        return RepetitionCode;
    }
    result.move = 0;
    plyFrames[0].listEnd = nullptr;
    failLowFlag = 0;
    iterationDepth = FIRST_ITERATION;
    int alpha = FULL_LOW, beta = FULL_HIGH;

    // A result from an earlier search of this position sets the first depth and window.
    if (const HashEntry* entry = probeHash()) {
        result.move = entryMove(*entry);
        result.score = int16_t(entryScore(*entry));
        const int stored = entryScore(*entry);
        if (entryDepth(*entry) >= FIRST_ITERATION) {
            switch (entryBound(*entry)) {
                case EXACT_BOUND:
                    iterationDepth = unsigned(entryDepth(*entry) + 1);
                    alpha = stored - ASPIRATION_HALF_WIDTH;
                    beta = stored + ASPIRATION_HALF_WIDTH;
                    break;
                case LOWER_BOUND:
                    if (stored > FULL_LOW) alpha = stored;
                    break;
                default:
                    if (stored < FULL_HIGH) beta = stored;
                    break;
            }
        }
        // The stored move would repeat the position: search it again from the start.
        if (repeatsAfterMove(result.move, 2)) {
            iterationDepth = FIRST_ITERATION;
            alpha = 0;
            beta = ASPIRATION_HALF_WIDTH;
        }
    }

    char positionText[POSITION_TEXT_SIZE];
    positionToText(positionText);
    logLine("-FEN:\t", positionText);
    findCheckers(plyFrames[0]);

    const unsigned lastIteration = maxDepth < DEEPEST_ITERATION ? maxDepth : DEEPEST_ITERATION;
    while (iterationDepth <= lastIteration) {
        int r = searchRoot(alpha, beta);
        if (r <= alpha || r >= beta) {
            if (stopped()) break;
            if (r <= alpha) {
                alpha = FULL_LOW;
                beta = r + 1;
                failLowFlag = 1;
            } else {
                alpha = r - 1;
                beta = FULL_HIGH;
            }
            r = searchRoot(alpha, beta);
            if (r <= alpha || r >= beta) {
                if (stopped()) break;
                r = searchRoot(FULL_LOW, FULL_HIGH);
                failLowFlag = 0;
            }
        }
        if (stopped()) break;
        failLowFlag = 0;

        principalVariationText(pvBuffer, int(iterationDepth));
        logLine("-E: ", iterationDepth, ":\t", r, "\t", pvBuffer);
        if (iterationReport) iterationReport(iterationDepth, r);
        const int depth = int(iterationDepth);
        if (r <= depth + MATED_SCORE || r >= -MATED_SCORE - depth) {
            logLine("--- MATE: ", r);
            break;
        }
        alpha = r - ASPIRATION_HALF_WIDTH;
        beta = r + ASPIRATION_HALF_WIDTH;
        if (engineState.load() == Idle) {
            logLine("-E: Ended ply after extra time");
            break;
        }
        ++iterationDepth;
    }

    // The table's root entry has the last word: it may come from a deeper search.
    if (const HashEntry* entry = probeHash()) {
        if (entryMove(*entry) != result.move) {
            logLine("-E: DIFFERENT MOVE");
            if (failLowFlag) logLine("FAIL LOW !!!!!!!!!!!!! not enough time");
        }
        result.move = entryMove(*entry);
        result.score = int16_t(entryScore(*entry));
        logLine("-***HT: ", int(result.score));
    } else {
        logLine(NO_HASH_ENTRY_LINE);
    }
    keepResultLegal();
    return result.move;
}
