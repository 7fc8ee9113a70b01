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
#include "search/pvtable.h"
#include "search/root.h"
#include "search/transposition.h"
#include "search/variation.h"

namespace {

// The main search logs and tells its owner of a fail low; a helper thread does neither.
template <typename... Pieces>
void searchLog(const SearchThread& thread, const Pieces&... pieces) {
    if (thread.main) logLine(pieces...);
}

void setFailLow(const SearchThread& thread, uint8_t value) {
    if (thread.main) failLowFlag = value;
}

constexpr int FULL_LOW = MATED_SCORE;    // -8100
constexpr int FULL_HIGH = WINDOW_HIGH;   // 8099

const char NO_HASH_ENTRY_LINE[] =
    "*********************************************************************************************************************";
static_assert(sizeof NO_HASH_ENTRY_LINE == 118);

// The result must be a move the engine may play, or the truth about a position without one. A
// search stopped early can leave a move it generated but never tested, or none at all, and a
// hash-key collision can hand the root another position's move or code: the move is looked
// for among the generated moves before it is ever made. Failing that, the first legal move in
// generation order stands in, with no score, since it was not searched.
void keepResultLegal(SearchThread& thread) {
    Board& board = thread.board;
    ScoredMove& result = rootMoves(thread)[0];
    if (moveType(result.move) != NOT_A_MOVE && isLegalMove(board, result.move)) return;
    if (const Move first = anyLegalMove(board)) {
        result = ScoredMove{int16_t(NO_SCORE), first};
        return;
    }
    if (sideToMoveInCheck(board.position))
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

// The answer so far: the result of the last completed iteration, or a move that the iteration
// under way has since proved better (a fail high), with the line the search found for it. A mate
// is always answered from here.
using Answer = SearchResult;

constexpr Answer NO_ANSWER{ScoredMove{int16_t(NO_SCORE), 0}, 0, EXACT_BOUND, Line{{}, 0}, 0, IterationLines{}};

struct Window {
    int alpha;
    int beta;
};

// The line the root pass just searched found for `move` (the pass's best), completed from the
// table where it stops short.
Line passLine(SearchThread& thread, Move move, int score) {
    if (move == 0 || moveType(move) == NOT_A_MOVE) return Line{{}, 0};
    Line found = rootLine(thread);
    if (found.length == 0 || found.moves[0] != move) found = Line{{move}, 1};
    return shownLine(thread, found, score, thread.iterationDepth);
}

// A pass that ended above its window proved its move better than the answer so far.
void noteFailHigh(SearchThread& thread, Answer& answer, int score, int beta) {
    if (score < beta || answer.depth == 0) return;
    const Move move = rootMoves(thread)[0].move;
    answer = Answer{ScoredMove{int16_t(score), move}, thread.iterationDepth, LOWER_BOUND,
                    passLine(thread, move, score), thread.selDepth, answer.lastLines};
}

// The best line at the iteration's depth: searched within the window, and when the score falls
// outside, again with the window opened on that side, then with the full window. Returns its
// score, or anything once the search is stopped.
int searchBestLine(SearchThread& thread, Window window, Answer& answer) {
    int r = searchRoot(thread, window.alpha, window.beta);
    if (r > window.alpha && r < window.beta) return r;
    if (stopped()) return r;
    noteFailHigh(thread, answer, r, window.beta);
    if (r <= window.alpha) {
        window = Window{FULL_LOW, r + 1};
        setFailLow(thread, 1);
    } else {
        window = Window{r - 1, FULL_HIGH};
    }
    r = searchRoot(thread, window.alpha, window.beta);
    if (r > window.alpha && r < window.beta) return r;
    if (stopped()) return r;
    noteFailHigh(thread, answer, r, window.beta);
    r = searchRoot(thread, FULL_LOW, FULL_HIGH);
    setFailLow(thread, 0);
    return r;
}

// Report line `number` of the iteration (when it is one the caller shows), and keep it among the
// iteration's lines.
void report(const SearchThread& thread, const SearchLimits& limits, IterationLines& kept, int number, int score,
            const Line& line) {
    const int shown = limits.shownLines ? limits.shownLines : limits.lines;
    if (limits.report && number <= shown)
        limits.report(IterationLine{thread.iterationDepth, thread.selDepth, number, shown, score, line});
    if (number > MOST_KEPT_LINES) return;
    kept.first[number - 1] = ScoredMove{int16_t(score), line.length ? line.moves[0] : Move(0)};
    kept.moves[number - 1] = line;
    kept.count = number;
}

// The next best lines of the iteration, each over the root moves the better ones left, with the
// full window; each reported as line 2, 3 and so on. False once the search is stopped.
bool searchFurtherLines(SearchThread& thread, const SearchLimits& limits, IterationLines& kept) {
    const int legalMoves = int(thread.frames.plies[0].listEnd - rootMoves(thread));
    for (int line = 2; line <= limits.lines && line <= legalMoves; ++line) {
        const int r = searchRoot(thread, FULL_LOW, FULL_HIGH, line - 1);
        if (stopped()) return false;
        if (r == NO_SCORE) break;   // no legal move left for this line
        report(thread, limits, kept, line, r, passLine(thread, rootMoves(thread)[line - 1].move, r));
    }
    return true;
}

// Whether the iteration's score ends the search by itself: a mate within its depth (for one line),
// or a mate as near as the caller asked for.
bool mateEndsSearch(const SearchThread& thread, const SearchLimits& limits, int r) {
    const int depth = int(thread.iterationDepth);
    const bool mateWithinDepth = r <= depth + MATED_SCORE || r >= -MATED_SCORE - depth;
    if (mateWithinDepth && limits.lines == 1) {
        searchLog(thread, "--- MATE: ", r);
        return true;
    }
    return matesWithin(r, limits.mateMoves);
}

// The result once the iterations are over. The table's root entry has the last word when it is
// the thread's own: it may come from a deeper earlier search, or from a pass stopped after it
// stored. But a mate is answered as this search found it: an entry of an earlier search may hold
// a bound where this one knows the mate's distance. Another thread's entry leaves the answer as
// this search found it, or as the earlier search left it.
void settleFromTable(SearchThread& thread, const Answer& answer, const SearchStart& start, SearchResult& outcome) {
    ScoredMove& result = rootMoves(thread)[0];
    HashEntry entry;
    if (!probeHash(thread.board.position, entry)) {
        searchLog(thread, NO_HASH_ENTRY_LINE);
        // Stopped before any iteration was done, the root list holds an ordering value.
        if (answer.depth == 0) result.score = int16_t(NO_SCORE);
        return;
    }
    if (entryMove(entry) != result.move) {
        searchLog(thread, "-E: DIFFERENT MOVE");
        if (failLowFlag) searchLog(thread, "FAIL LOW !!!!!!!!!!!!! not enough time");
    }
    const HashEntry* own = isOwnRootEntry(thread, entry) ? &entry
                           : answer.depth == 0 && start.hasEarlier ? &start.earlier
                                                                   : nullptr;
    if (!own) {
        result = answer.best;
    } else {
        result = ScoredMove{int16_t(entryScore(*own)), entryMove(*own)};
        if (answer.depth && (isMateScore(answer.best.score) || isMateScore(result.score))) {
            result = answer.best;
        } else {
            outcome.depth = unsigned(entryDepth(*own));
            outcome.bound = entryBound(*own);
        }
    }
    searchLog(thread, "-***HT: ", int(result.score));
}

}  // namespace

SearchResult settleResult(SearchThread& thread, const SearchResult& answer, const SearchStart& start) {
    if (start.drawn) return answer;
    ScoredMove& result = rootMoves(thread)[0];
    SearchResult outcome = answer;
    settleFromTable(thread, answer, start, outcome);
    keepResultLegal(thread);
    outcome.best = result;
    if (answer.depth && result.move == answer.best.move)
        outcome.line = answer.line;
    else if (result.move != 0 && moveType(result.move) != NOT_A_MOVE)
        outcome.line = shownLine(thread, Line{{result.move}, 1}, result.score, outcome.depth);
    else
        outcome.line = Line{{}, 0};
    return outcome;
}

void principalVariationText(SearchThread& thread, char* buffer, int plies) {
    Variation variation;
    walkVariation(thread, variation, plies);
    char* text = buffer;
    for (int i = 0; i < variation.line.length; ++i) {
        moveToText(text, variation.line.moves[i]);
        text += std::strlen(text);
        *text++ = ' ';
    }
    std::strcpy(text, endingText(variation.end));
}

SearchStart searchStart(Board& game) {
    SearchStart start{false, FIRST_ITERATION, FULL_LOW, FULL_HIGH, false, HashEntry{}};
    if (drawByRule(game, 2)) {
        start.drawn = true;
        return start;
    }
    start.hasEarlier = probeHash(game.position, start.earlier);
    if (!start.hasEarlier) return start;
    const HashEntry& entry = start.earlier;
    const int stored = entryScore(entry);
    if (entryDepth(entry) >= int(FIRST_ITERATION)) {
        switch (entryBound(entry)) {
            case EXACT_BOUND:
                start.depth = unsigned(entryDepth(entry) + 1);
                start.alpha = stored - ASPIRATION_HALF_WIDTH;
                start.beta = stored + ASPIRATION_HALF_WIDTH;
                break;
            case LOWER_BOUND:
                if (stored > FULL_LOW) start.alpha = stored;
                break;
            default:
                if (stored < FULL_HIGH) start.beta = stored;
                break;
        }
    }
    // The stored move would repeat the position: search it again from the start.
    if (repeatsAfterMove(game, entryMove(entry), 2)) {
        start.depth = FIRST_ITERATION;
        start.alpha = 0;
        start.beta = ASPIRATION_HALF_WIDTH;
    }
    return start;
}

SearchResult runIterations(SearchThread& thread, const SearchLimits& limits, const SearchStart& start) {
    ScoredMove& result = rootMoves(thread)[0];
    thread.main = limits.helper == 0;
    thread.nextNodeCheck = nodeLimit == NO_NODE_LIMIT ? NO_NODE_LIMIT : 0;
    if (start.drawn) {
        result = ScoredMove{0, RepetitionCode};
        return SearchResult{result, 0, EXACT_BOUND, Line{{}, 0}, 0, IterationLines{}};
    }
    // Until an iteration is done, the result is what an earlier search left.
    if (start.hasEarlier)
        result = ScoredMove{int16_t(entryScore(start.earlier)), entryMove(start.earlier)};
    else
        result.move = 0;
    PlyFrame& root = thread.frames.plies[0];
    root.listEnd = nullptr;
    beginRoot(thread, start.hasEarlier ? &start.earlier : nullptr);
    setFailLow(thread, 0);
    Window window{start.alpha, start.beta};
    // Every other helper runs one ply ahead: the threads spread over two depths.
    thread.iterationDepth = start.depth + unsigned(limits.helper % 2);

    if (thread.main) {
        char positionText[POSITION_TEXT_SIZE];
        positionToText(positionText, thread.board.position);
        searchLog(thread, "-FEN:\t", positionText);
    }
    findCheckers(thread.board.position, root);
    if (limits.onlyMoveCount > 0) {
        generateRootMoves(thread);
        restrictRootMoves(thread, limits.onlyMoves, limits.onlyMoveCount);
    }

    Answer answer = NO_ANSWER;
    const unsigned lastIteration = limits.depth < DEEPEST_ITERATION ? limits.depth : DEEPEST_ITERATION;
    for (; thread.iterationDepth <= lastIteration; ++thread.iterationDepth) {
        thread.selDepth = 0;
        const int r = searchBestLine(thread, window, answer);
        if (stopped()) break;
        setFailLow(thread, 0);
        const IterationLines completed = answer.lastLines;
        answer = Answer{ScoredMove{int16_t(r), result.move}, thread.iterationDepth, EXACT_BOUND,
                        passLine(thread, result.move, r), thread.selDepth, completed};

        if (thread.main) {
            char pvText[PV_TEXT_SIZE];
            principalVariationText(thread, pvText, int(thread.iterationDepth));
            searchLog(thread, "-E: ", thread.iterationDepth, ":\t", r, "\t", pvText);
        }
        IterationLines lines{thread.iterationDepth, 0, 0, {}, {}};
        report(thread, limits, lines, 1, r, answer.line);
        if (limits.lines > 1) {
            if (!searchFurtherLines(thread, limits, lines)) break;
            lines.selDepth = thread.selDepth;
            answer.lastLines = lines;
        }
        if (mateEndsSearch(thread, limits, r)) break;
        window = Window{r - ASPIRATION_HALF_WIDTH, r + ASPIRATION_HALF_WIDTH};
        if (lastIterationFlag.load()) {
            searchLog(thread, "-E: Ended ply after extra time");
            break;
        }
    }
    return answer;
}

SearchResult searchPosition(SearchThread& thread, const SearchLimits& limits) {
    const SearchStart start = searchStart(thread.board);
    return settleResult(thread, runIterations(thread, limits, start), start);
}
