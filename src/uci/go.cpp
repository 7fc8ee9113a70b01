#include "uci/go.h"

#include <chrono>

#include "board/checks.h"
#include "board/notation.h"
#include "board/position.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "game/level.h"
#include "ground/random.h"
#include "movegen/legality.h"
#include "uci/gamesetup.h"
#include "uci/golimits.h"
#include "uci/options.h"
#include "uci/reply.h"
#include "uci/report.h"
#include "uci/supervisor.h"

namespace {

// Where the levels' draws come from: a state of well-mixed numbers, started from the clocks, so
// that the same level plays differently from one game, and one run, to the next.
uint64_t levelSeed = uint64_t(std::chrono::system_clock::now().time_since_epoch().count()) ^
                     uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());

// The legal moves among the words after "searchmoves", into `allowedMoves` (room for
// MAX_LIST_MOVES); the others are named in an info string.
int readSearchMoves(const Word* words, const GoLimits& limits, Move* allowedMoves) {
    int count = 0;
    for (int i = 0; i < limits.searchMoveCount; ++i) {
        const Word& word = words[limits.searchMovesAt + i];
        const Move move = legalMoveOf(word);
        if (move && count < MAX_LIST_MOVES)
            allowedMoves[count++] = move;
        else
            sendFormatted("info string searchmoves: %.*s is no legal move here: left out", word.length < 16 ? word.length : 16,
                          word.text);
    }
    if (limits.searchMoveCount > 0 && count == 0) sendLine("info string searchmoves: no legal move left: all searched");
    return count;
}

// Whether "mate" asks for a mate the search can report (one of at most DEEPEST_MATE_MOVES moves).
bool reportableMate(const GoLimits& limits) { return limits.mate > 0 && limits.mate <= DEEPEST_MATE_MOVES; }

// The deepest iteration: as asked; for a mate in n moves, the 2n - 1 plies that find any such
// mate; else the deepest there is.
unsigned depthLimit(const GoLimits& limits) {
    int64_t asked = limits.depth;
    if (asked <= 0) asked = reportableMate(limits) ? 2 * limits.mate - 1 : int64_t(DEEPEST_ITERATION);
    if (asked < int64_t(FIRST_ITERATION)) return FIRST_ITERATION;
    return asked > int64_t(DEEPEST_ITERATION) ? DEEPEST_ITERATION : unsigned(asked);
}

}  // namespace

void startThinking(const Word* words, int count) {
    const GoLimits limits = readGoLimits(words, count);
    const int side = game.position.sideToMove;
    SearchOrder order;
    order.pondering = limits.ponder;
    order.untilStop = !limits.ponder && (limits.infinite || !boundsSearch(limits, side));
    // A game takes the book's move; analysis (until "stop", of several lines, of chosen moves, for
    // a mate, or any search in UCI_AnalyseMode) and pondering look at the position itself.
    const int lines = uciOptions.multiPv;
    const bool analysis =
        order.untilStop || lines > 1 || limits.searchMovesAt >= 0 || limits.mate > 0 || uciOptions.analyseMode;
    if (!analysis && !order.pondering && uciOptions.ownBook) {
        if (const Move move = legalBookMove()) {
            answerBookMove(move);
            return;
        }
    }

    order.fallback = anyLegalMove(game);
    order.searching = order.fallback != 0;
    order.mated = sideToMoveInCheck(game.position);
    if (order.searching) {
        // Until "stop", no clock ends the search (a depth, a node count or a mate still may).
        const uint64_t overheadMs = uint64_t(uciOptions.moveOverheadMs);
        SearchRequest request{SearchLimits{depthLimit(limits), reportIteration},
                              order.untilStop ? UNLIMITED_TIME : timeBudget(limits, side, overheadMs)};
        SearchLimits& search = request.limits;
        search.lines = lines;
        if (reportableMate(limits))
            search.mateMoves = int(limits.mate);
        else if (limits.mate > 0)
            sendFormatted("info string mate: no mate deeper than %d moves can be told; searching to the depth limit",
                          DEEPEST_MATE_MOVES);
        search.onlyMoveCount = readSearchMoves(words, limits, search.onlyMoves);
        request.nodes = limits.nodes == NOT_GIVEN ? NO_NODE_LIMIT : uint64_t(limits.nodes);
        // What the user limits or narrows, or analyses, is searched, not taken from the table's
        // earlier result.
        request.fromScratch = limits.depth > 0 || limits.nodes != NOT_GIVEN || limits.mate > 0 ||
                              search.onlyMoveCount > 0 || lines > 1 || uciOptions.analyseMode;
        if (uciOptions.limitStrength) {
            // A level looks at the position itself and draws its move anew every time.
            request.level = playingLevel(uciOptions.elo);
            request.seed = splitMix(levelSeed);
            request.fromScratch = request.fromScratch || request.level.nodes;
        }
        startSearch(request);
    }
    superviseSearch(order);
}
