#include "protocol/play.h"

#include <cstdio>
#include <cstring>

#include "board/checks.h"
#include "board/notation.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "ground/console.h"
#include "ground/log.h"
#include "movegen/legality.h"
#include "protocol/timecontrol.h"

bool bookMovePlayed = false;
bool awaitingOpponent = false;

namespace {

void announceMove(Move move) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    std::fprintf(commandOutput, "move %s\n", text);
    std::fflush(commandOutput);
}

void announce(const char* line) {
    std::fputs(line, commandOutput);
    std::fflush(commandOutput);
}

// The claim of a side to move that has no legal move.
const char* noMoveClaim() {
    if (!sideToMoveInCheck(game.position)) return "1/2-1/2 {Draw by stalemate (1)}\n";
    return game.position.sideToMove == WHITE ? "0-1 {Tarnek mated 0}\n" : "1-0 {Tarnek mated 0}\n";
}

}  // namespace

void thinkAndMove() {
    // A book entry is trusted only as far as the move is legal here.
    if (const Move move = legalBookMove()) {
        playGameMove(move);
        announceMove(move);
        logBookMove(move);
        bookMovePlayed = true;
        awaitingOpponent = true;
        return;
    }
    if (bookMovePlayed) {
        bookMovePlayed = false;
        lengthenBudgetAfterBook();
    }

    startSearch(SearchRequest{SearchLimits{DEEPEST_ITERATION, nullptr}, moveBudget()});
    finishSearchByBudget();

    // The search leaves a legal move, or the code of a position that is over.
    const ScoredMove result = searchResult().best;
    const char* claim = nullptr;
    if (result.move == RepetitionCode) {
        claim = "1/2-1/2 {Draw by repetition (2)}\n";
    } else if (result.move == MatedCode || result.move == StalemateCode) {
        claim = noMoveClaim();
    } else {
        playGameMove(result.move);
        announceMove(result.move);
        char text[MOVE_TEXT_SIZE];
        moveToText(text, result.move);
        logLine("move ", text, "\tscore: ", result.score);
        if (!anyLegalMove(game) && sideToMoveInCheck(game.position))
            claim = game.position.sideToMove == BLACK ? "1-0 {Tarnek mates 1}\n" : "0-1 {Tarnek mates 1}\n";
        else if (gameDrawnByRule())
            claim = "1/2-1/2 {Draw by ...(3)}\n";
    }
    if (claim) announce(claim);

    awaitingOpponent = true;
    logLine("- NO ponder move");
}
