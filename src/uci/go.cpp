#include "uci/go.h"

#include "board/notation.h"
#include "board/position.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "movegen/legality.h"
#include "uci/golimits.h"
#include "uci/options.h"
#include "uci/reply.h"
#include "uci/report.h"
#include "uci/supervisor.h"

namespace {

// The book's move for the position, when OwnBook is on and the table holds a legal one.
bool answerFromBook() {
    if (!ownBook) return false;
    const Move move = legalBookMove();
    if (!move) return false;
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    sendFormatted("info string Book move %s", text);
    sendFormatted("bestmove %s", text);
    logBookMove(move);
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

    order.searching = anyLegalMove() != 0;
    // Until "stop", no clock ends the search (a depth or node count still may).
    order.time = order.untilStop ? UNLIMITED_TIME : timeBudget(limits, side);
    if (order.searching) {
        const int64_t asked = limits.depth > 0 ? limits.depth : DEEPEST_ITERATION;
        const unsigned depth = asked < int64_t(FIRST_ITERATION)    ? FIRST_ITERATION
                               : asked > int64_t(DEEPEST_ITERATION) ? DEEPEST_ITERATION
                                                                    : unsigned(asked);
        const uint64_t nodes = limits.nodes == NOT_GIVEN ? NO_NODE_LIMIT : uint64_t(limits.nodes);
        startReports();
        startSearch(SearchRequest{depth, nodes, order.time, reportIteration});
    }
    superviseSearch(order);
}
