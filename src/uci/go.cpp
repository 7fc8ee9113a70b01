#include "uci/go.h"

#include <chrono>

#include "board/notation.h"
#include "board/position.h"
#include "book/book.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "ground/log.h"
#include "movegen/legality.h"
#include "search/enginestate.h"
#include "search/search.h"
#include "uci/golimits.h"
#include "uci/options.h"
#include "uci/reply.h"
#include "uci/report.h"
#include "uci/supervisor.h"

namespace {

// The shallowest search is two plies (the first iteration); the deepest, the design's 63.
constexpr int64_t SHALLOWEST = 2;
constexpr int64_t DEEPEST = 63;

// The book's move for the position, when OwnBook is on and the table holds a legal one.
bool answerFromBook() {
    if (!ownBook) return false;
    const Move move = bookMove();
    if (!move || !isLegalGameMove(move)) return false;
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    sendFormatted("info string Book move %s", text);
    sendFormatted("bestmove %s", text);
    logLine("-M: move(book): ", text);
    return true;
}

}  // namespace

void startThinking(const Word* words, int count) {
    const GoLimits limits = readGoLimits(words, count);
    const int side = position.sideToMove;
    SearchOrder order;
    order.untilStop = limits.infinite || !boundsSearch(limits, side);
    // Analysis (until "stop") looks at the position itself; a game takes the book's move.
    if (!order.untilStop && answerFromBook()) return;

    order.start = std::chrono::steady_clock::now();
    order.searching = anyLegalMove() != 0;
    order.nodeLimit = limits.nodes == NOT_GIVEN ? NO_NODE_LIMIT : uint64_t(limits.nodes);
    // Until "stop", no clock ends the search (a depth or node count still may).
    order.time = order.untilStop ? TimeBudget{NO_TIME_LIMIT, NO_TIME_LIMIT, 0, false} : timeBudget(limits, side);
    if (order.searching) {
        int64_t depth = limits.depth > 0 ? limits.depth : DEEPEST;
        depth = depth < SHALLOWEST ? SHALLOWEST : depth > DEEPEST ? DEEPEST : depth;
        startReports(order.start);
        searchNodes = 0;
        engineState = Think;
        startEngine(unsigned(depth));
    }
    superviseSearch(order);
}
