#include "game/gamerecord.h"

#include <cstring>

GameRecord gameRecord;

namespace {

constexpr int HALF = GAME_RECORD_SIZE / 2;

// The state after the first half of the entries: where a full record starts again.
GameSnapshot halfway;

void takeSnapshot(GameSnapshot& snapshot) {
    snapshot.position = position;
    snapshot.gameBoard = gameBoard;
    snapshot.historyLength = int(historyTop - positionHistory) + 1;
    std::memcpy(snapshot.history, positionHistory, snapshot.historyLength * sizeof(PlyRecord));
}

void copySnapshot(GameSnapshot& to, const GameSnapshot& from) {
    to.position = from.position;
    to.gameBoard = from.gameBoard;
    to.historyLength = from.historyLength;
    std::memcpy(to.history, from.history, from.historyLength * sizeof(PlyRecord));
}

}  // namespace

void startGameRecord(bool withBook, uint64_t bookDraw) {
    takeSnapshot(gameRecord.start);
    gameRecord.bookAtStart = withBook;
    gameRecord.bookDraw = bookDraw;
    gameRecord.length = 0;
}

void recordGameEntry(Move entry) {
    gameRecord.entries[gameRecord.length++] = entry;
    if (gameRecord.length == GAME_RECORD_SIZE) {
        // Full: the latest half stays, from the state before it. That is no set-up, so no book.
        copySnapshot(gameRecord.start, halfway);
        gameRecord.bookAtStart = false;
        std::memmove(gameRecord.entries, gameRecord.entries + HALF, HALF * sizeof(Move));
        gameRecord.length = HALF;
    }
    // Taken whenever play reaches the middle; a take-back below it makes play reach it again.
    if (gameRecord.length == HALF) takeSnapshot(halfway);
}

void restoreGameStart() {
    const GameSnapshot& start = gameRecord.start;
    position = start.position;
    gameBoard = start.gameBoard;
    std::memcpy(positionHistory, start.history, start.historyLength * sizeof(PlyRecord));
    historyTop = positionHistory + start.historyLength - 1;
}

void shortenGameRecord(int length) {
    if (length >= 0 && length < gameRecord.length) gameRecord.length = length;
}
