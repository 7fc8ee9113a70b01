#include "board/position.h"

#include <cstring>

thread_local constinit Position position{};
GameBoard gameBoard;
thread_local constinit PlyRecord positionHistory[HISTORY_SIZE]{};
thread_local constinit PlyRecord* historyTop = nullptr;
thread_local constinit uint16_t initialCastleRights = 0;

BoardSource boardSource() {
    return BoardSource{&position, positionHistory, int(historyTop - positionHistory) + 1, initialCastleRights};
}

void copyBoard(const BoardSource& source) {
    position = *source.position;
    std::memcpy(positionHistory, source.history, size_t(source.length) * sizeof(PlyRecord));
    historyTop = positionHistory + source.length - 1;
    initialCastleRights = source.initialCastleRights;
}

uint64_t initialPositionKey() {
    static constexpr PieceKind backRank[8] = {ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK};
    uint64_t key = 0;
    for (int file = 0; file < 8; ++file) {
        key ^= zobrist[pieceOf(BLACK, backRank[file])][file] ^ zobrist[BPAWN][8 + file];
        key ^= zobrist[pieceOf(WHITE, backRank[file])][56 + file] ^ zobrist[WPAWN][48 + file];
    }
    return key;
}
