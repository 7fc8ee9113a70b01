#include "search/draw.h"

#include "board/position.h"

bool drawByRule(int count) {
    const Position& p = position;
    // Neither side can mate: at most a minor piece left and no pawns.
    if (p.material < 4 && !(p.pieces[WPAWN] | p.pieces[BPAWN])) return true;
    const int counter = historyTop->fiftyCounter;
    if (counter < 4) return false;   // a repetition needs four reversible plies
    if (counter > 99) return true;   // fifty moves by each side without capture or pawn move
    // Earlier positions with the same side to move, back to the last irreversible move.
    const uint64_t key = historyTop->key;
    int index = int(historyTop - positionHistory) - 2;
    if (index < 0) return false;
    for (int reversible = positionHistory[index].fiftyCounter; reversible >= 0 && index >= 0;
         reversible -= 2, index -= 2) {
        if (positionHistory[index].key == key && --count == 0) return true;
    }
    return false;
}

bool repeatsAfterMove(Move move, int count) {
    if (moveType(move) != QUIET) return false;
    const int from = moveFrom(move), to = moveTo(move);
    const int piece = position.board[from];
    PlyRecord* next = historyTop + 1;
    next->key = position.hashKey ^ zobrist[piece][from] ^ zobrist[piece][to];
    next->fiftyCounter = isPawn(piece) ? 0 : uint16_t(historyTop->fiftyCounter + 1);
    historyTop = next;
    const bool drawn = drawByRule(count);
    historyTop = next - 1;
    return drawn;
}
