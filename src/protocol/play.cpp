#include "protocol/play.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/legality.h"
#include "protocol/console.h"
#include "protocol/enginestate.h"
#include "protocol/enginethread.h"
#include "protocol/log.h"
#include "protocol/notation.h"
#include "protocol/timecontrol.h"
#include "search/draw.h"
#include "search/frames.h"
#include "search/search.h"
#include "search/transposition.h"

bool bookMovePlayed = false;

namespace {

// The castling colour and its king's destination, by move type - 12.
struct CastlingCompletion {
    int colour;
    uint8_t kingTo;
    uint16_t clearedFlags;
};
constexpr CastlingCompletion CASTLING_COMPLETIONS[4] = {
    {BLACK, 6, 0x038}, {WHITE, 62, 0x007}, {BLACK, 2, 0x038}, {WHITE, 58, 0x007}};

// A game may run longer than the history stack holds with a search line on top of it. Draws by
// rule look back only to the last irreversible move, and never past the fifty-move rule's
// hundred plies, so a long game keeps just its latest positions.
constexpr int GAME_HISTORY_LIMIT = HISTORY_SIZE - 8 * MAX_FRAMES;
constexpr int KEPT_POSITIONS = 128;

void makeRoomInHistory() {
    if (historyTop - positionHistory < GAME_HISTORY_LIMIT) return;
    std::memmove(positionHistory, historyTop - (KEPT_POSITIONS - 1), KEPT_POSITIONS * sizeof(PlyRecord));
    historyTop = positionHistory + (KEPT_POSITIONS - 1);
}

// The book move of the game position: generation 0 marks the book's entries.
Move bookMove() {
    const HashEntry* entry = probeHash();
    if (!entry || entryGeneration(*entry) != 0) return 0;
    return entryMove(*entry);
}

bool inCheck() {
    const int side = position.sideToMove;
    return attackedByNonKing(position.kingSquare[side], side ^ 1);
}

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
    if (!inCheck()) return "1/2-1/2 {Draw by stalemate (1)}\n";
    return position.sideToMove == WHITE ? "0-1 {Tarnek mated 0}\n" : "1-0 {Tarnek mated 0}\n";
}

}  // namespace

bool isLegalGameMove(Move move) {
    // Codes of type 3 stand for search results, never for a move.
    if (move == 0 || moveType(move) == 3) return false;
    return isLegalMove(move);
}

bool playGameMove(Move move) {
    if (move == 0) return false;
    makeRoomInHistory();
    makeMove(move);
    Position& p = position;
    if (isCastling(move)) {
        // A game move is never taken back: complete the castling at once.
        const CastlingCompletion& c = CASTLING_COMPLETIONS[moveType(move) - CASTLE_BLACK_SHORT];
        p.kingSquare[c.colour] = c.kingTo;
        p.castleFlags &= uint16_t(~c.clearedFlags);
    }
    gameBoard.epSquare = p.epSquare;
    gameBoard.castleFlags = p.castleFlags;
    gameBoard.kingSquare[WHITE] = p.kingSquare[WHITE];
    gameBoard.kingSquare[BLACK] = p.kingSquare[BLACK];
    std::memcpy(gameBoard.board, p.board, sizeof gameBoard.board);
    gameBoard.sideToMove ^= 1;
    std::memset(historyTable, 0, sizeof historyTable);

    char keyText[24];
    std::snprintf(keyText, sizeof keyText, "%x %x", unsigned(p.hashKey >> 32), unsigned(p.hashKey));
    logLine(keyText);
    return true;
}

void thinkAndMove() {
    char text[MOVE_TEXT_SIZE];
    // A book entry is trusted only as far as the move is legal here.
    if (Move move = bookMove(); move && isLegalGameMove(move)) {
        playGameMove(move);
        announceMove(move);
        moveToText(text, move);
        logLine("-M: move(book): ", text);
        bookMovePlayed = true;
        engineState = AwaitOpponent;
        return;
    }
    if (bookMovePlayed) {
        bookMovePlayed = false;
        lengthenBudgetAfterBook();
    }

    engineState = Think;
    const auto searchStart = std::chrono::steady_clock::now();
    startEngine(64);
    waitEvent(stoppedSignal, firstWaitMs());
    stopAfterBudget(searchStart);

    const ScoredMove result = rootMoves[0];
    const char* claim = nullptr;
    if (result.move == RepetitionCode) {
        claim = "1/2-1/2 {Draw by repetition (2)}\n";
    } else {
        // A search stopped before it finished a root move may leave a move merely generated,
        // or none: the engine still plays only legal moves, and claims only what is true.
        const bool searched = isLegalGameMove(result.move);
        const Move move = searched ? result.move : anyLegalMove();
        if (move == 0) {
            claim = noMoveClaim();
        } else {
            playGameMove(move);
            announceMove(move);
            moveToText(text, move);
            logLine("move ", text, "\tscore: ", result.score);
            if (searched && result.score == WINDOW_HIGH && !anyLegalMove() && inCheck())
                claim = position.sideToMove == BLACK ? "1-0 {Tarnek mates 1}\n" : "0-1 {Tarnek mates 1}\n";
            else if (drawByRule(2))
                claim = "1/2-1/2 {Draw by ...(3)}\n";
        }
    }
    if (claim) announce(claim);

    engineState = AwaitOpponent;
    logLine("- NO ponder move");
    startEngine(64);
}
