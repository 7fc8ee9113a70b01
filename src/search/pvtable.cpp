#include "search/pvtable.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/legality.h"
#include "search/draw.h"
#include "search/mate.h"
#include "search/transposition.h"
#include "search/variation.h"

namespace {

// The table's moves appended to `line` from the position after its first `at` moves.
void extendFromTable(SearchThread& thread, Line& line, int at, int plies) {
    Board& board = thread.board;
    if (at == line.length) {
        if (at >= plies || drawByRule(board, 1)) return;
        Variation rest;
        walkVariation(thread, rest, plies - at, true);
        for (int i = 0; i < rest.line.length && line.length < int(DEEPEST_ITERATION); ++i)
            line.moves[line.length++] = rest.line.moves[i];
        return;
    }
    const Move move = line.moves[at];
    PlyFrame& frame = currentFrame(thread);
    saveUndo(board.position, frame.undo);
    makeMove(board, move, frame.undo);
    ++thread.frames.current;
    extendFromTable(thread, line, at + 1, plies);
    --thread.frames.current;
    unmakeMove(board, move, frame.undo);
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

bool checkmated(Board& board) { return sideToMoveInCheck(board.position) && anyLegalMove(board) == 0; }

// The next move of a mating line `at` plies into it: the table's move here when the entry agrees
// with the mate; else a legal move whose position the table (or, for the last move, the board
// itself) confirms: one that leaves the mate at the distance left. 0 when none is found.
Move nextMatingMove(SearchThread& thread, int at, int distance, bool rootWins) {
    Board& board = thread.board;
    HashEntry entry;
    if (probeHash(board.position, entry) && continuesMate(entry, mateScoreAt(rootWins, distance, at))) {
        const Move move = entryMove(entry);
        if (moveType(move) != NOT_A_MOVE && isLegalMove(board, move)) return move;
    }
    Move moves[MAX_LIST_MOVES];
    const int count = legalMoves(board, moves);
    const int expected = mateScoreAt(rootWins, distance, at + 1);
    for (int i = 0; i < count; ++i) {
        PlyFrame& frame = currentFrame(thread);
        saveUndo(board.position, frame.undo);
        makeMove(board, moves[i], frame.undo);
        const bool confirmed =
            at + 1 == distance ? checkmated(board) : probeHash(board.position, entry) && continuesMate(entry, expected);
        unmakeMove(board, moves[i], frame.undo);
        if (confirmed) return moves[i];
    }
    return 0;
}

// Play the mating line from ply `at` on, extending it where it stops short with moves the table
// confirms. True when it ends in checkmate at `distance`.
bool matesFrom(SearchThread& thread, Line& line, int at, int distance, bool rootWins) {
    Board& board = thread.board;
    if (at == distance) return checkmated(board);
    if (at == line.length) {
        if (line.length == int(DEEPEST_ITERATION) || drawByRule(board, 1)) return false;
        const Move move = nextMatingMove(thread, at, distance, rootWins);
        if (!move) return false;
        line.moves[line.length++] = move;
    }
    const Move move = line.moves[at];
    PlyFrame& frame = currentFrame(thread);
    saveUndo(board.position, frame.undo);
    makeMove(board, move, frame.undo);
    ++thread.frames.current;
    const bool mates = matesFrom(thread, line, at + 1, distance, rootWins);
    --thread.frames.current;
    unmakeMove(board, move, frame.undo);
    return mates;
}

Line matingLine(SearchThread& thread, const Line& found, int score) {
    const int distance = mateDistance(score);
    Line line = found;
    if (line.length > distance) line.length = distance;
    if (!matesFrom(thread, line, 0, distance, score > 0) && line.length >= distance)
        line.length = found.length < distance - 1 ? found.length : distance - 1;
    return line;
}

}  // namespace

void extendPv(SearchThread& thread, int ply, Move move) {
    Move* const line = thread.pvMoves[ply];
    const Move* const rest = thread.pvMoves[ply + 1];
    const int length = thread.pvLength[ply + 1];
    line[0] = move;
    for (int i = 0; i < length; ++i) line[i + 1] = rest[i];
    thread.pvLength[ply] = uint8_t(length + 1);
}

Line rootLine(const SearchThread& thread) {
    Line line{{}, 0};
    const int length = thread.pvLength[0] < DEEPEST_ITERATION ? thread.pvLength[0] : int(DEEPEST_ITERATION);
    for (int i = 0; i < length; ++i) line.moves[i] = thread.pvMoves[0][i];
    line.length = length;
    return line;
}

Line shownLine(SearchThread& thread, const Line& found, int score, unsigned depth) {
    if (isMateScore(score)) return matingLine(thread, found, score);
    Line line = found;
    const int plies = depth < DEEPEST_ITERATION ? int(depth) : int(DEEPEST_ITERATION);
    extendFromTable(thread, line, 0, plies);
    return line;
}
