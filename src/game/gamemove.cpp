#include "game/gamemove.h"

#include <cstdio>
#include <cstring>

#include "board/checks.h"
#include "board/consistency.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "book/book.h"
#include "game/enginethread.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "ground/invariant.h"
#include "ground/log.h"
#include "movegen/legality.h"
#include "search/draw.h"

namespace {

// A game may run longer than the history stack holds with a search line on top of it. Draws by
// rule look back only to the last irreversible move, and never past the fifty-move rule's
// hundred plies, so a long game keeps just its latest positions.
constexpr int GAME_HISTORY_LIMIT = HISTORY_SIZE - 8 * MAX_FRAMES;
constexpr int KEPT_POSITIONS = 128;

void makeRoomInHistory() {
    if (game.top - game.history < GAME_HISTORY_LIMIT) return;
    std::memmove(game.history, game.top - (KEPT_POSITIONS - 1), KEPT_POSITIONS * sizeof(PlyRecord));
    game.top = game.history + (KEPT_POSITIONS - 1);
}

// The move on the game's board, nothing else: playing and replaying share it.
void playOnBoard(Move move) {
    makeRoomInHistory();
    UndoRecord undo;
    saveUndo(game.position, undo);
    makeMove(game, move, undo);
}

// The move to the other side without a move; false when that side could take the king.
bool handOver() {
    Position& p = game.position;
    const Colour side = opposite(p.sideToMove);
    if (attackedByNonKing(p, p.kingSquare[p.sideToMove], side)) return false;
    // A pawn of the new side to move would take en passant onto its own side of the board.
    if (p.epSquare) {
        p.hashKey ^= zobrist[0][p.epSquare];
        p.pawnKey ^= uint32_t(zobrist[0][p.epSquare]);
        p.epSquare = 0;
        game.top->key = p.hashKey;
    }
    p.sideToMove = side;
    return true;
}

void logKey(const char* prefix) {
    char keyText[24];
    const uint64_t key = game.position.hashKey;
    std::snprintf(keyText, sizeof keyText, "%x %x", unsigned(key >> 32), unsigned(key));
    logLine(prefix, keyText);
}

// The game again from the record's start through its first `length` entries, which alone stay.
// With `book`, the set-up's book is stored again on the way, where searches may have overwritten it.
void replayRecord(int length, bool book) {
    restoreGameStart();
    if (book && gameRecord.bookAtStart) loadGameBook(gameRecord.bookDraw);
    for (int i = 0; i < length; ++i) {
        if (gameRecord.entries[i] == HAND_OVER)
            handOver();
        else
            playOnBoard(gameRecord.entries[i]);
    }
    shortenGameRecord(length);
}

}  // namespace

bool isLegalGameMove(Move move) {
    if (move == 0 || moveType(move) == NOT_A_MOVE) return false;
    return isLegalMove(game, move);
}

bool gameDrawnByRule() { return drawByRule(game, 2); }

Move legalBookMove() {
    const Move move = bookMove(game.position);
    return move && isLegalGameMove(move) ? move : 0;
}

void logBookMove(Move move) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    logLine("-M: move(book): ", text);
}

bool playGameMove(Move move) {
    if (move == 0) return false;
    playOnBoard(move);
    recordGameEntry(move);
    clearCutoffCounters();
    logKey("");
    INVARIANT(positionIsConsistent(game));
    return true;
}

bool setSideToMove(int side) {
    if (side == game.position.sideToMove) return true;
    if (!handOver()) return false;
    // Handed straight back, as a GUI does around a clock update: the game is where it was before
    // the first hand-over, en-passant square included.
    const int last = gameRecord.length - 1;
    if (last >= 0 && gameRecord.entries[last] == HAND_OVER)
        replayRecord(last, false);
    else
        recordGameEntry(HAND_OVER);
    INVARIANT(positionIsConsistent(game));
    return true;
}

bool takeBackGameMoves(int count) {
    if (count < 1) return false;
    // The record is cut before the count-th move from its end.
    int kept = gameRecord.length;
    for (int taken = 0; taken < count;) {
        if (kept == 0) return false;
        if (gameRecord.entries[--kept] != HAND_OVER) ++taken;
    }

    replayRecord(kept, true);
    clearCutoffCounters();
    INVARIANT(positionIsConsistent(game));

    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "-M: took back %d: ", count);
    logKey(prefix);
    return true;
}
