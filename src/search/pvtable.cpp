#include "search/pvtable.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/legality.h"
#include "search/draw.h"
#include "search/mate.h"
#include "search/transposition.h"
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

// A mating line of `distance` plies, the root's side winning or not: the table's score the side to
// move should have `at` plies into it, counted from there as the table counts it.
int mateScoreAt(bool rootWins, int distance, int at) {
    const int left = distance - at;
    return rootWins == (at % 2 == 0) ? -MATED_SCORE - left : MATED_SCORE + left;
}

// Whether the table's entry here agrees with the mating line: its score is the mate at the
// distance left (a search result, not a book entry). It may be a bound: the line is kept only when
// it does end in the mate at its distance, which the walk checks at the end.
bool continuesMate(const HashEntry& entry, int expected) {
    return entryGeneration(entry) != 0 && entryScore(entry) == expected;
}

bool checkmated() { return sideToMoveInCheck() && anyLegalMove() == 0; }

// The next move of a mating line `at` plies into it: the table's move here when the entry agrees
// with the mate; else a legal move whose position the table (or, for the last move, the board
// itself) confirms: one that leaves the mate at the distance left. 0 when none is found.
Move nextMatingMove(int at, int distance, bool rootWins) {
    HashEntry entry;
    if (probeHash(entry) && continuesMate(entry, mateScoreAt(rootWins, distance, at))) {
        const Move move = entryMove(entry);
        if (moveType(move) != NOT_A_MOVE && isLegalMove(move)) return move;
    }
    Move moves[MAX_LIST_MOVES];
    const int count = legalMoves(moves);
    const int expected = mateScoreAt(rootWins, distance, at + 1);
    for (int i = 0; i < count; ++i) {
        PlyFrame& frame = *currentFrame;
        saveUndo(frame.undo);
        makeMove(moves[i], frame.undo);
        const bool confirmed = at + 1 == distance ? checkmated() : probeHash(entry) && continuesMate(entry, expected);
        unmakeMove(moves[i], frame.undo);
        if (confirmed) return moves[i];
    }
    return 0;
}

// Play the mating line from ply `at` on, extending it where it stops short with moves the table
// confirms. True when it ends in checkmate at `distance`.
bool matesFrom(Line& line, int at, int distance, bool rootWins) {
    if (at == distance) return checkmated();
    if (at == line.length) {
        if (line.length == int(DEEPEST_ITERATION) || drawByRule(1)) return false;
        const Move move = nextMatingMove(at, distance, rootWins);
        if (!move) return false;
        line.moves[line.length++] = move;
    }
    const Move move = line.moves[at];
    PlyFrame& frame = *currentFrame;
    saveUndo(frame.undo);
    makeMove(move, frame.undo);
    ++currentFrame;
    const bool mates = matesFrom(line, at + 1, distance, rootWins);
    --currentFrame;
    unmakeMove(move, frame.undo);
    return mates;
}

Line matingLine(const Line& found, int score) {
    const int distance = mateDistance(score);
    Line line = found;
    if (line.length > distance) line.length = distance;
    if (!matesFrom(line, 0, distance, score > 0) && line.length >= distance)
        line.length = found.length < distance - 1 ? found.length : distance - 1;
    return line;
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

Line shownLine(const Line& found, int score, unsigned depth) {
    if (isMateScore(score)) return matingLine(found, score);
    Line line = found;
    const int plies = depth < DEEPEST_ITERATION ? int(depth) : int(DEEPEST_ITERATION);
    extendFromTable(line, 0, plies);
    return line;
}
