#include "uci/report.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "board/checks.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "frames/frames.h"
#include "ground/log.h"
#include "movegen/legality.h"
#include "search/search.h"
#include "search/transposition.h"
#include "uci/reply.h"

namespace {

std::chrono::steady_clock::time_point searchStart;
// Depth of the last iteration the search completed (engine thread; read once it is idle).
unsigned completedDepth = 0;

uint64_t microsecondsSinceStart() {
    const auto elapsed = std::chrono::steady_clock::now() - searchStart;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
    return us > 0 ? uint64_t(us) : 0;
}

// "nodes N nps P time T" at the end of `line`.
int appendCounts(char* line, int size) {
    const uint64_t nodes = searchNodes.load(std::memory_order_relaxed);
    const uint64_t us = microsecondsSinceStart();
    const uint64_t nps = us ? uint64_t(double(nodes) * 1e6 / double(us)) : 0;
    return std::snprintf(line, size_t(size), " nodes %" PRIu64 " nps %" PRIu64 " time %" PRIu64, nodes, nps, us / 1000);
}

// The chain of hash moves from the current position, at most `plies`, each a legal move of the
// position it is played from (a hash entry may belong to another position). Appended to `line`
// while room is left; the position is the same afterwards.
void appendVariation(char* line, char* end, int plies) {
    if (plies == 0 || end - line < MOVE_TEXT_SIZE + 1) return;
    const HashEntry* entry = probeHash();
    if (!entry) return;
    const Move move = entryMove(*entry);
    if (move == 0 || moveType(move) == NOT_A_MOVE || !isLegalMove(move)) return;
    *line++ = ' ';
    moveToText(line, move);
    line += std::strlen(line);
    saveUndo(currentUndo->undo);
    makeMove(move, currentUndo->undo);
    ++currentUndo;
    appendVariation(line, end, plies - 1);
    --currentUndo;
    unmakeMove(move, currentUndo->undo);
}

bool sideToMoveInCheck() {
    const int side = position.sideToMove;
    return attackedByNonKing(position.kingSquare[side], side ^ 1);
}

// The final info line: depth, score, counts, and the variation of the move sent.
void sendFinalInfo(Move move, int score) {
    unsigned depth = completedDepth;
    // A result the table gave without a completed iteration: as deep as its entry.
    if (const HashEntry* entry = probeHash(); !depth && entry && entryMove(*entry) == move)
        depth = unsigned(entryDepth(*entry));
    char line[REPLY_SIZE];
    int length = std::snprintf(line, sizeof line, "info depth %u", depth);
    if (score != NO_SCORE) {
        char text[32];
        scoreText(text, sizeof text, score);
        length += std::snprintf(line + length, sizeof line - size_t(length), " score %s", text);
    }
    length += appendCounts(line + length, int(sizeof line) - length);
    length += std::snprintf(line + length, sizeof line - size_t(length), " pv ");
    moveToText(line + length, move);
    length += int(std::strlen(line + length));
    // The rest of the variation follows the hash moves after the move sent.
    saveUndo(currentUndo->undo);
    makeMove(move, currentUndo->undo);
    ++currentUndo;
    appendVariation(line + length, line + sizeof line, depth > 1 ? int(depth) - 1 : 0);
    --currentUndo;
    unmakeMove(move, currentUndo->undo);
    sendLine(line);
}

}  // namespace

void scoreText(char* buffer, int bufferSize, int score) {
    const size_t size = size_t(bufferSize);
    if (score >= -MATED_SCORE - MATE_RANGE)
        std::snprintf(buffer, size, "mate %d", (-MATED_SCORE - score + 1) / 2);
    else if (score <= MATED_SCORE + MATE_RANGE)
        std::snprintf(buffer, size, "mate %d", -((score - MATED_SCORE) / 2));
    else
        std::snprintf(buffer, size, "cp %d", score);
}

void startReports(std::chrono::steady_clock::time_point start) {
    searchStart = start;
    completedDepth = 0;
}

void reportIteration(unsigned depth, int score) {
    completedDepth = depth;
    char text[32];
    scoreText(text, sizeof text, score);
    char line[REPLY_SIZE];
    int length = std::snprintf(line, sizeof line, "info depth %u score %s", depth, text);
    length += appendCounts(line + length, int(sizeof line) - length);
    length += std::snprintf(line + length, sizeof line - size_t(length), " pv");
    appendVariation(line + length, line + sizeof line, int(depth));
    sendLine(line);
}

void answerNoMove() {
    const bool mated = sideToMoveInCheck();
    sendLine(mated ? "info depth 0 score mate 0" : "info depth 0 score cp 0");
    sendLine("bestmove (none)");
    logLine("-M: no move: ", mated ? "mated" : "stalemate");
}

Move answerSearch() {
    ScoredMove result = rootMoves[0];
    if (moveType(result.move) == NOT_A_MOVE || !isLegalMove(result.move)) {
        // Drawn by rule before the search: any legal move keeps the draw, which the GUI
        // adjudicates. (Any other result that is no legal move is answered the same, unscored.)
        const Move first = anyLegalMove();
        if (!first) {
            answerNoMove();
            return 0;
        }
        result = ScoredMove{int16_t(result.move == RepetitionCode ? 0 : NO_SCORE), first};
    }
    sendFinalInfo(result.move, result.score);
    char text[MOVE_TEXT_SIZE];
    moveToText(text, result.move);
    sendFormatted("bestmove %s", text);
    logLine("move ", text, "\tscore: ", result.score);
    return result.move;
}
