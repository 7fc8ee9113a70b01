#include "search/variation.h"

#include "board/makemove.h"
#include "frames/frames.h"
#include "movegen/legality.h"
#include "search/draw.h"
#include "search/transposition.h"

namespace {

VariationEnd endOfCode(Move move) {
    if (move == MatedCode) return VARIATION_MATE;
    if (move == StalemateCode) return VARIATION_STALEMATE;
    if (move == RepetitionCode) return VARIATION_DRAWN;
    return VARIATION_NO_MOVE;
}

// Follow the line from ply `at` of the variation on.
void walkFrom(SearchThread& thread, Variation& variation, int at, int plies, bool stopAtDraw) {
    Board& board = thread.board;
    if (at == plies) {
        variation.line.length = at;
        variation.end = VARIATION_FULL;
        return;
    }
    if (stopAtDraw && at > 0 && drawByRule(board, 1)) {
        variation.line.length = at;
        variation.end = VARIATION_DRAWN;
        return;
    }
    HashEntry entry;
    if (!probeHash(board.position, entry)) {
        variation.line.length = at;
        variation.end = VARIATION_NO_ENTRY;
        return;
    }
    const Move move = entryMove(entry);
    if (move == 0 || moveType(move) == NOT_A_MOVE || !isLegalMove(board, move)) {
        variation.line.length = at;
        variation.end = endOfCode(move);
        return;
    }
    variation.line.moves[at] = move;
    PlyFrame& frame = currentFrame(thread);
    saveUndo(board.position, frame.undo);
    makeMove(board, move, frame.undo);
    ++thread.frames.current;
    walkFrom(thread, variation, at + 1, plies, stopAtDraw);
    --thread.frames.current;
    unmakeMove(board, move, frame.undo);
}

}  // namespace

void walkVariation(SearchThread& thread, Variation& variation, int plies, bool stopAtDraw) {
    const int most = int(DEEPEST_ITERATION);
    walkFrom(thread, variation, 0, plies < 0 ? 0 : plies > most ? most : plies, stopAtDraw);
}

