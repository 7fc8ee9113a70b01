#include "board/position.h"

Position position;
GameBoard gameBoard;
PlyRecord positionHistory[HISTORY_SIZE];
PlyRecord* historyTop = positionHistory;
uint16_t initialCastleRights = 0;

uint64_t initialPositionKey() {
    static constexpr uint8_t backRank[8] = {BROOK, BKNIGHT, BBISHOP, BQUEEN, BKING, BBISHOP, BKNIGHT, BROOK};
    uint64_t key = 0;
    for (int file = 0; file < 8; ++file) {
        key ^= zobrist[backRank[file]][file] ^ zobrist[BPAWN][8 + file];
        key ^= zobrist[backRank[file] - WHITE][56 + file] ^ zobrist[WPAWN][48 + file];
    }
    return key;
}
