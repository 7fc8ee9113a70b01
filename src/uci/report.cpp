#include "uci/report.h"

#include <chrono>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "board/notation.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "ground/log.h"
#include "uci/options.h"
#include "uci/reply.h"
#include "uci/wdl.h"

namespace {

// Text appended to a line with room left in it; returns the new end.
int appendText(char* line, int length, const char* format, ...) __attribute__((format(printf, 3, 4)));
int appendText(char* line, int length, const char* format, ...) {
    if (length >= REPLY_SIZE - 1) return length;
    va_list arguments;
    va_start(arguments, format);
    const int added = std::vsnprintf(line + length, size_t(REPLY_SIZE - length), format, arguments);
    va_end(arguments);
    return added < 0 ? length : length + added < REPLY_SIZE ? length + added : REPLY_SIZE - 1;
}

// "nodes N nps P hashfull H time T".
int appendCounts(char* line, int length, const SearchProgress& progress) {
    const uint64_t us = progress.elapsedUs;
    const uint64_t nps = us ? uint64_t(double(progress.nodes) * 1e6 / double(us)) : 0;
    return appendText(line, length, " nodes %" PRIu64 " nps %" PRIu64 " hashfull %d time %" PRIu64, progress.nodes, nps,
                      progress.hashFullPermille, us / 1000);
}

int appendScore(char* line, int length, int score) {
    char text[32];
    scoreText(text, sizeof text, score);
    return appendText(line, length, " score %s", text);
}

// With UCI_ShowWDL, " wdl W D L" for the side to move in the game's position: certain for a mate
// and for a position `drawn` by rule, else by the model.
int appendWdl(char* line, int length, int score, bool drawn) {
    if (!uciOptions.showWdl) return length;
    const WinDrawLoss chances = drawn                ? WinDrawLoss{0, 1000, 0}
                                : !isMateScore(score) ? winDrawLoss(game.position, score)
                                : score > 0           ? WinDrawLoss{1000, 0, 0}
                                                      : WinDrawLoss{0, 0, 1000};
    return appendText(line, length, " wdl %d %d %d", chances.win, chances.draw, chances.loss);
}

// " pv" and the moves of `line`, while room is left.
int appendLine(char* text, int length, const Line& line) {
    length = appendText(text, length, " pv");
    for (int i = 0; i < line.length && length < REPLY_SIZE - MOVE_TEXT_SIZE - 1; ++i) {
        char move[MOVE_TEXT_SIZE];
        moveToText(move, line.moves[i]);
        length = appendText(text, length, " %s", move);
    }
    return length;
}

void sendBestMove(Move move, const Line& line) {
    char text[MOVE_TEXT_SIZE], reply[MOVE_TEXT_SIZE];
    moveToText(text, move);
    if (uciOptions.ponder && line.length >= 2 && line.moves[0] == move) {
        moveToText(reply, line.moves[1]);
        sendFormatted("bestmove %s ponder %s", text, reply);
    } else {
        sendFormatted("bestmove %s", text);
    }
}

}  // namespace

void scoreText(char* buffer, int bufferSize, int score) {
    const size_t size = size_t(bufferSize);
    if (isMateScore(score) && score > 0)
        std::snprintf(buffer, size, "mate %d", (-MATED_SCORE - score + 1) / 2);
    else if (isMateScore(score))
        std::snprintf(buffer, size, "mate %d", -((score - MATED_SCORE) / 2));
    else
        std::snprintf(buffer, size, "cp %d", score);
}

void reportIteration(const IterationLine& iteration) {
    char line[REPLY_SIZE];
    int length = appendText(line, 0, "info depth %u seldepth %u", iteration.depth, iteration.selDepth);
    if (iteration.lines > 1) length = appendText(line, length, " multipv %d", iteration.number);
    length = appendScore(line, length, iteration.score);
    length = appendWdl(line, length, iteration.score, false);
    length = appendCounts(line, length, searchProgress());
    appendLine(line, length, iteration.moves);
    sendLine(line);
}

void reportProgress() {
    const SearchProgress progress = searchProgress();
    char line[REPLY_SIZE];
    int length = appendText(line, 0, "info depth %u", progress.depth);
    if (progress.move) {
        char text[MOVE_TEXT_SIZE];
        moveToText(text, progress.move);
        length = appendText(line, length, " currmove %s currmovenumber %d", text, progress.moveNumber);
    }
    appendCounts(line, length, progress);
    sendLine(line);
}

void answerNoMove(bool mated) {
    char line[REPLY_SIZE];
    const int length = appendText(line, 0, "info depth 0 score %s", mated ? "mate 0" : "cp 0");
    appendWdl(line, length, mated ? MATED_SCORE : 0, !mated);
    sendLine(line);
    sendLine("bestmove (none)");
    logLine("-M: no move: ", mated ? "mated" : "stalemate");
}

void answerSearch(Move fallback) {
    const SearchResult& result = searchResult();
    ScoredMove best = result.best;
    Line line = result.line;
    const bool drawn = best.move == RepetitionCode;
    if (drawn) {
        // Drawn by rule before the search: any legal move keeps the draw, which the GUI adjudicates.
        best = ScoredMove{0, fallback};
        line = Line{{fallback}, 1};
    }
    char text[REPLY_SIZE];
    int length = appendText(text, 0, "info depth %u", result.depth);
    if (result.selDepth) length = appendText(text, length, " seldepth %u", result.selDepth);
    if (best.score != NO_SCORE) {
        length = appendScore(text, length, best.score);
        if (result.bound == LOWER_BOUND) length = appendText(text, length, " lowerbound");
        if (result.bound == UPPER_BOUND) length = appendText(text, length, " upperbound");
        length = appendWdl(text, length, best.score, drawn);
    }
    length = appendCounts(text, length, searchProgress());
    appendLine(text, length, line);
    sendLine(text);
    sendBestMove(best.move, line);
    char move[MOVE_TEXT_SIZE];
    moveToText(move, best.move);
    logLine("move ", move, "\tscore: ", best.score);
}

void answerBookMove(Move move) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    char line[REPLY_SIZE];
    const int length = appendWdl(line, appendText(line, 0, "info depth 1 score cp 0"), 0, false);
    appendText(line, length, " nodes 0 time 0 pv %s", text);
    sendLine(line);
    sendFormatted("info string Book move %s", text);
    sendFormatted("bestmove %s", text);
    logBookMove(move);
}
