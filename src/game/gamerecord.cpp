#include "game/gamerecord.h"

#include <cstring>

Board game;
GameRecord gameRecord;

namespace {

constexpr int HALF = GAME_RECORD_SIZE / 2;

// The board after the first half of the entries: where a full record starts again.
Board halfway;

}  // namespace

void startGameRecord(bool withBook, uint64_t bookDraw) {
    copyBoard(gameRecord.start, game);
    gameRecord.bookAtStart = withBook;
    gameRecord.bookDraw = bookDraw;
    gameRecord.length = 0;
}

void recordGameEntry(Move entry) {
    gameRecord.entries[gameRecord.length++] = entry;
    if (gameRecord.length == GAME_RECORD_SIZE) {
        // Full: the latest half stays, from the state before it. That is no set-up, so no book.
        copyBoard(gameRecord.start, halfway);
        gameRecord.bookAtStart = false;
        std::memmove(gameRecord.entries, gameRecord.entries + HALF, HALF * sizeof(Move));
        gameRecord.length = HALF;
    }
    // Taken whenever play reaches the middle; a take-back below it makes play reach it again.
    if (gameRecord.length == HALF) copyBoard(halfway, game);
}

void restoreGameStart() { copyBoard(game, gameRecord.start); }

void shortenGameRecord(int length) {
    if (length >= 0 && length < gameRecord.length) gameRecord.length = length;
}
