#include "board/consistency.h"

#include "board/attacks.h"
#include "board/castling.h"
#include "board/checks.h"

namespace {

// The hash key from scratch: the pieces, the en-passant square, and each right the position
// was set up with that has been lost since (a right spent by castling leaves no trace).
uint64_t keyFromScratch(const Position& p, uint16_t initialCastleRights) {
    uint64_t key = 0;
    for (int square = 0; square < 64; ++square)
        if (p.board[square] != EMPTY) key ^= zobrist[p.board[square]][square];
    if (p.epSquare) key ^= zobrist[0][p.epSquare];
    for (const Castling& c : p.castling.castlings)
        if ((initialCastleRights & c.right) && !(p.castleFlags & c.right) && !(p.castleFlags & c.castledSide))
            key ^= zobrist[0][rightKeySquare(c.colour, c.side)];
    return key;
}

uint32_t pawnKeyFromScratch(const Position& p) {
    uint32_t key = 0;
    for (int square = 0; square < 64; ++square)
        if (isPawn(p.board[square])) key ^= uint32_t(zobrist[p.board[square]][square]);
    if (p.epSquare) key ^= uint32_t(zobrist[0][p.epSquare]);
    return key;
}

}  // namespace

const char* positionFault(const Board& board, ConsistencyScope scope) {
    const Position& p = board.position;
    if (p.sideToMove != WHITE && p.sideToMove != BLACK) return "side to move";

    // Mailbox against bitboards, square by square.
    Bitboard colours[2] = {0, 0};
    int kings[2] = {0, 0};
    int material = 0;
    for (int square = 0; square < 64; ++square) {
        const int code = p.board[square];
        if (code > BKING) return "unknown piece code in the mailbox";
        for (int other = WPAWN; other <= BQUEEN; ++other)
            if (((p.pieces[other] & squareMask[square]) != 0) != (other == code)) return "piece bitboard and mailbox differ";
        if (code == EMPTY) continue;
        colours[pieceColour(code)] |= squareMask[square];
        material += CAPTURE_VALUE[code];
        if (code >= WKING) {
            ++kings[pieceColour(code)];
            if (p.kingSquare[pieceColour(code)] != square) return "king square";
        }
    }
    if (p.pieces[EMPTY] || p.pieces[WKING] || p.pieces[BKING]) return "bitboard of no piece";
    if (kings[WHITE] != 1 || kings[BLACK] != 1) return "not one king a side";
    if (colours[WHITE] != p.occupied[WHITE] || colours[BLACK] != p.occupied[BLACK]) return "colour occupancy";
    if (p.occupiedAll != (colours[WHITE] | colours[BLACK])) return "occupancy";
    if (p.occupied90 != rotate90(p.occupiedAll)) return "file-wise occupancy";
    if (p.occupiedA1H8 != rotateA1H8(p.occupiedAll)) return "a1-h8 diagonal occupancy";
    if (p.occupiedA8H1 != rotateA8H1(p.occupiedAll)) return "a8-h1 diagonal occupancy";

    if (material != p.material) return "material";
    if (p.hashKey != keyFromScratch(p, board.initialCastleRights)) return "hash key";
    if (p.pawnKey != pawnKeyFromScratch(p)) return "pawn key";

    const Colour waiting = opposite(p.sideToMove);
    if (scope == WHOLE_POSITION && attackedByNonKing(p, p.kingSquare[waiting], p.sideToMove))
        return "the side not to move is in check";
    return nullptr;
}
