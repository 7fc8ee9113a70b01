#include "search/pvtable.h"

#include "board/checks.h"
#include "board/makemove.h"
#include "movegen/legality.h"
#include "search/draw.h"
#include "search/mate.h"
#include "search/transposition.h"
#include "search/variation.h"

namespace {

// Make `move` on the thread's board with the current frame's record, step to the next frame, ask
// `what`, and take it all back; returns the answer.
template <typename What>
bool withMoveMade(SearchThread& thread, Move move, What what) {
    Board& board = thread.board;
    PlyFrame& frame = currentFrame(thread);
    saveUndo(board.position, frame.undo);
    makeMove(board, move, frame.undo);
    ++thread.frames.current;
    const bool answer = what();
    --thread.frames.current;
    unmakeMove(board, move, frame.undo);
    return answer;
}

// The table's moves appended to `line` from the position after its first `at` moves.
void extendFromTable(SearchThread& thread, Line& line, int at, int plies) {
    if (at == line.length) {
        if (at >= plies || drawByRule(thread.board, 1)) return;
        Variation rest;
        walkVariation(thread, rest, plies - at, true);
        for (int i = 0; i < rest.line.length && line.length < int(DEEPEST_ITERATION); ++i)
            line.moves[line.length++] = rest.line.moves[i];
        return;
    }
    withMoveMade(thread, line.moves[at], [&] {
        extendFromTable(thread, line, at + 1, plies);
        return true;
    });
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

// A legal move of the side to move that mates at once, or 0.
Move matingMove(SearchThread& thread) {
    Move moves[MAX_LIST_MOVES];
    const int count = legalMoves(thread.board, moves);
    for (int i = 0; i < count; ++i)
        if (withMoveMade(thread, moves[i], [&] { return checkmated(thread.board); })) return moves[i];
    return 0;
}

// Whether the position on the board, `at` plies into a mating line of `distance`, holds the rest of
// the mate: over, mated, at the distance; one move from it, a mate at once; else an entry of the
// table that agrees.
bool holdsRestOfMate(SearchThread& thread, int at, int distance, bool rootWins) {
    if (at == distance) return checkmated(thread.board);
    if (at + 1 == distance) return matingMove(thread) != 0;
    HashEntry entry;
    return probeHash(thread.board.position, entry) && continuesMate(entry, mateScoreAt(rootWins, distance, at));
}

// The next move of a mating line `at` plies into it: the table's move here when the entry agrees
// with the mate; else a legal move after which the rest of the mate holds (holdsRestOfMate). 0
// when none is found.
Move nextMatingMove(SearchThread& thread, int at, int distance, bool rootWins) {
    Board& board = thread.board;
    HashEntry entry;
    if (probeHash(board.position, entry) && continuesMate(entry, mateScoreAt(rootWins, distance, at))) {
        const Move move = entryMove(entry);
        if (moveType(move) != NOT_A_MOVE && isLegalMove(board, move)) return move;
    }
    Move moves[MAX_LIST_MOVES];
    const int count = legalMoves(board, moves);
    for (int i = 0; i < count; ++i)
        if (withMoveMade(thread, moves[i], [&] { return holdsRestOfMate(thread, at + 1, distance, rootWins); }))
            return moves[i];
    return 0;
}

// Play the mating line from ply `at` on, extending it where it stops short with moves the table or
// the board confirms. True when it ends in checkmate at `distance`. Only a third occurrence of a
// position ends the line: a mate may pass a position the game has seen once.
bool matesFrom(SearchThread& thread, Line& line, int at, int distance, bool rootWins) {
    Board& board = thread.board;
    if (at == distance) return checkmated(board);
    if (at == line.length) {
        if (line.length == int(DEEPEST_ITERATION) || drawByRule(board, 2)) return false;
        const Move move = nextMatingMove(thread, at, distance, rootWins);
        if (!move) return false;
        line.moves[line.length++] = move;
    }
    return withMoveMade(thread, line.moves[at], [&] { return matesFrom(thread, line, at + 1, distance, rootWins); });
}

// The search's own line, completed to the mate where the table and the board confirm every move to
// it; where they cannot, the search's own line alone, short of the mate: moves the completion took
// on the way are no line of the mate's unless it reaches the mate.
Line matingLine(SearchThread& thread, const Line& found, int score) {
    const int distance = mateDistance(score);
    Line line = found;
    if (line.length > distance) line.length = distance;
    if (!matesFrom(thread, line, 0, distance, score > 0))
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
