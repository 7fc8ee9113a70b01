#include "search/search.h"

#include <cstring>

#include "board/checks.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "frames/frames.h"
#include "ground/log.h"
#include "movegen/checkers.h"
#include "movegen/legality.h"
#include "search/control.h"
#include "search/draw.h"
#include "search/root.h"
#include "search/transposition.h"
#include "search/variation.h"

namespace {

constexpr int FULL_LOW = MATED_SCORE;    // -8100
constexpr int FULL_HIGH = WINDOW_HIGH;   // 8099

char pvBuffer[1024];
const char NO_HASH_ENTRY_LINE[] =
    "*********************************************************************************************************************";
static_assert(sizeof NO_HASH_ENTRY_LINE == 118);

// The result must be a move the engine may play, or the truth about a position without one. A
// search stopped early can leave a move it generated but never tested, or none at all, and a
// hash-key collision can hand the root another position's move or code: the move is looked
// for among the generated moves before it is ever made. Failing that, the first legal move in
// generation order stands in, with no score, since it was not searched.
void keepResultLegal() {
    ScoredMove& result = rootMoves[0];
    if (moveType(result.move) != 3 && isLegalMove(result.move)) return;
    if (const Move first = anyLegalMove()) {
        result = ScoredMove{int16_t(NO_SCORE), first};
        return;
    }
    if (sideToMoveInCheck())
        result = ScoredMove{int16_t(MATED_SCORE), MatedCode};
    else
        result = ScoredMove{0, StalemateCode};
}

// How the log shows the end of a line.
const char* endingText(VariationEnd end) {
    switch (end) {
        case VARIATION_NO_ENTRY: return "NOE ";
        case VARIATION_MATE: return "# ";
        case VARIATION_STALEMATE: return "1/2 - 1/2 (stalemate)";
        case VARIATION_DRAWN: return "1/2 - 1/2 (repetition)";
        default: return "";
    }
}

}  // namespace

void principalVariationText(char* buffer, int plies) {
    Variation variation;
    walkVariation(variation, plies);
    char* text = buffer;
    for (int i = 0; i < variation.length; ++i) {
        moveToText(text, variation.moves[i]);
        text += std::strlen(text);
        *text++ = ' ';
    }
    std::strcpy(text, endingText(variation.end));
}

Move searchPosition(const SearchLimits& limits) {
    ScoredMove& result = rootMoves[0];
    nodeLimit = limits.nodes;
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
        if (entryDepth(*entry) >= int(FIRST_ITERATION)) {
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

    // The answer so far: the result of the last completed iteration, or a move that the iteration
    // under way has since proved better (a fail high). Mates are answered from here.
    ScoredMove answer{int16_t(NO_SCORE), 0};
    bool answered = false;
    const unsigned lastIteration = limits.depth < DEEPEST_ITERATION ? limits.depth : DEEPEST_ITERATION;
    while (iterationDepth <= lastIteration) {
        int r = searchRoot(alpha, beta);
        if (r <= alpha || r >= beta) {
            if (stopped()) break;
            if (r >= beta && answered) answer = ScoredMove{int16_t(r), result.move};
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
                if (r >= beta && answered) answer = ScoredMove{int16_t(r), result.move};
                r = searchRoot(FULL_LOW, FULL_HIGH);
                failLowFlag = 0;
            }
        }
        if (stopped()) break;
        failLowFlag = 0;
        answer = ScoredMove{int16_t(r), result.move};
        answered = true;

        principalVariationText(pvBuffer, int(iterationDepth));
        logLine("-E: ", iterationDepth, ":\t", r, "\t", pvBuffer);
        if (limits.report) limits.report(iterationDepth, r);
        const int depth = int(iterationDepth);
        if (r <= depth + MATED_SCORE || r >= -MATED_SCORE - depth) {
            logLine("--- MATE: ", r);
            break;
        }
        alpha = r - ASPIRATION_HALF_WIDTH;
        beta = r + ASPIRATION_HALF_WIDTH;
        if (lastIterationFlag.load()) {
            logLine("-E: Ended ply after extra time");
            break;
        }
        ++iterationDepth;
    }

    // The table's root entry has the last word: it may come from a deeper search. But a mate is
    // answered as this search found it: an entry of an earlier search may hold a bound where this
    // one knows the mate's distance.
    if (const HashEntry* entry = probeHash()) {
        if (entryMove(*entry) != result.move) {
            logLine("-E: DIFFERENT MOVE");
            if (failLowFlag) logLine("FAIL LOW !!!!!!!!!!!!! not enough time");
        }
        result = ScoredMove{int16_t(entryScore(*entry)), entryMove(*entry)};
        if (answered && (isMateScore(answer.score) || isMateScore(result.score))) result = answer;
        logLine("-***HT: ", int(result.score));
    } else {
        logLine(NO_HASH_ENTRY_LINE);
        // Stopped before any iteration was done, the root list holds an ordering value.
        if (!answered) result.score = int16_t(NO_SCORE);
    }
    keepResultLegal();
    return result.move;
}
