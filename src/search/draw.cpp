#include "search/draw.h"

#include "board/position.h"

bool drawByRule(const Board& board, int count) {
    const Position& p = board.position;
    const PlyRecord* const top = board.top;
    // Neither side can mate: at most a minor piece left and no pawns.
    if (p.material < 4 && !(p.pieces[WPAWN] | p.pieces[BPAWN])) return true;
    const int counter = top->fiftyCounter;
    if (counter < 4) return false;   // a repetition needs four reversible plies
    if (counter > 99) return true;   // fifty moves by each side without capture or pawn move
    // Earlier positions with the same side to move, back to the last irreversible move.
    const uint64_t key = top->key;
    int index = int(top - board.history) - 2;
    if (index < 0) return false;
    for (int reversible = board.history[index].fiftyCounter; reversible >= 0 && index >= 0;
         reversible -= 2, index -= 2) {
        if (board.history[index].key == key && --count == 0) return true;
    }
    return false;
}

bool repeatsAfterMove(Board& board, Move move, int count) {
    if (moveType(move) != QUIET) return false;
    const int from = moveFrom(move), to = moveTo(move);
    const int piece = board.position.board[from];
    PlyRecord* next = board.top + 1;
    next->key = board.position.hashKey ^ zobrist[piece][from] ^ zobrist[piece][to];
    next->fiftyCounter = isPawn(piece) ? 0 : uint16_t(board.top->fiftyCounter + 1);
    board.top = next;
    const bool drawn = drawByRule(board, count);
    board.top = next - 1;
    return drawn;
}
