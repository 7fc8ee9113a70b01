#include "board/position.h"

#include <cstring>

void copyBoard(Board& to, const Board& from) {
    to.position = from.position;
    to.initialCastleRights = from.initialCastleRights;
    if (!from.top) {
        to.top = nullptr;
        return;
    }
    const long length = from.top - from.history + 1;
    std::memcpy(to.history, from.history, size_t(length) * sizeof(PlyRecord));
    to.top = to.history + length - 1;
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
