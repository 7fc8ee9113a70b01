#include "board/position.h"

Position position;
GameBoard gameBoard;
PlyRecord positionHistory[HISTORY_SIZE];
PlyRecord* historyTop = positionHistory;
uint16_t initialCastleRights = 0;

uint64_t initialPositionKey() {
    static constexpr PieceKind backRank[8] = {ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK};
    uint64_t key = 0;
    for (int file = 0; file < 8; ++file) {
        key ^= zobrist[pieceOf(BLACK, backRank[file])][file] ^ zobrist[BPAWN][8 + file];
        key ^= zobrist[pieceOf(WHITE, backRank[file])][56 + file] ^ zobrist[WPAWN][48 + file];
    }
    return key;
}
