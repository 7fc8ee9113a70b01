#include "search/pvtable.h"

#include "board/makemove.h"
#include "search/draw.h"
#include "search/variation.h"

thread_local constinit Move pvMoves[MAX_FRAMES + 1][MAX_FRAMES]{};
thread_local constinit uint8_t pvLength[MAX_FRAMES + 1]{};

namespace {

// The table's moves appended to `line` from the position after its first `at` moves.
void extendFromTable(Line& line, int at, int plies) {
    if (at == line.length) {
        if (at >= plies || drawByRule(1)) return;
        Variation rest;
        walkVariation(rest, plies - at, true);
        for (int i = 0; i < rest.line.length && line.length < int(DEEPEST_ITERATION); ++i)
            line.moves[line.length++] = rest.line.moves[i];
        return;
    }
    const Move move = line.moves[at];
    PlyFrame& frame = *currentFrame;
    saveUndo(frame.undo);
    makeMove(move, frame.undo);
    ++currentFrame;
    extendFromTable(line, at + 1, plies);
    --currentFrame;
    unmakeMove(move, frame.undo);
}

}  // namespace

void extendPv(int ply, Move move) {
    Move* const line = pvMoves[ply];
    const Move* const rest = pvMoves[ply + 1];
    const int length = pvLength[ply + 1];
    line[0] = move;
    for (int i = 0; i < length; ++i) line[i + 1] = rest[i];
    pvLength[ply] = uint8_t(length + 1);
}

Line rootLine() {
    Line line{{}, 0};
    const int length = pvLength[0] < DEEPEST_ITERATION ? pvLength[0] : int(DEEPEST_ITERATION);
    for (int i = 0; i < length; ++i) line.moves[i] = pvMoves[0][i];
    line.length = length;
    return line;
}

Line completedLine(const Line& found, int plies) {
    Line line = found;
    if (plies > int(DEEPEST_ITERATION)) plies = int(DEEPEST_ITERATION);
    extendFromTable(line, 0, plies);
    return line;
}
