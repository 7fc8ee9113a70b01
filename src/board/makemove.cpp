#include "board/makemove.h"

#include <cstdio>
#include <cstdlib>

void invalidMoveType(Move move) {
    std::fprintf(stderr, "internal error: move %04x of type 3 handed to make or unmake\n", move);
    std::abort();
}

namespace {

using namespace makeMoveDetail;

// One castling: its pieces' squares, the flags it sets and the constant occupancy patterns
// of its four squares (king and rook, origin and destination).
struct Castling {
    uint8_t kingFrom, kingTo, rookFrom, rookTo;
    uint8_t king, rook;
    uint16_t flagsSet;
    uint16_t otherRight;
    uint8_t otherRightKeySquare;
    Bitboard occupancy, occupancy90, occupancyA1H8, occupancyA8H1, rookSquares;
};

// Indexed by move type - 12.
constexpr Castling CASTLINGS[4] = {
    {4, 6, 7, 5, BKING, BROOK, 0x128, BLACK_LONG, 2,
     0x0F00000000000000ULL, 0x8080808000000000ULL, 0x0002081010000000ULL, 0xD200000000000000ULL, 0x0500000000000000ULL},
    {60, 62, 63, 61, WKING, WROOK, 0x045, WHITE_LONG, 58,
     0x000000000000000FULL, 0x0101010100000000ULL, 0x0000000000000225ULL, 0x0000000010208400ULL, 0x0000000000000005ULL},
    {4, 2, 0, 3, BKING, BROOK, 0x230, BLACK_SHORT, 6,
     0xB800000000000000ULL, 0x0000008080800080ULL, 0x8442000000000000ULL, 0x0221000800000000ULL, 0x9000000000000000ULL},
    {60, 58, 56, 59, WKING, WROOK, 0x086, WHITE_SHORT, 62,
     0x00000000000000B8ULL, 0x0000000101010001ULL, 0x0000000800104200ULL, 0x0000000000000449ULL, 0x0000000000000090ULL},
};

// Promotion piece (black code) and material gain by type & 3: queen, knight, rook, bishop.
constexpr uint8_t PROMOTION_BLACK_CODE[4] = {BQUEEN, BKNIGHT, BROOK, BBISHOP};
constexpr int8_t PROMOTION_GAIN[4] = {8, 2, 4, 2};

}  // namespace

template <int Us>
void makeSpecialMove(Move move, UndoRecord& undo) {
    using Traits = MoveTraits<Us>;
    Position& p = position;
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    const int piece = p.board[from];
    const Bitboard fromTo = squareMask[from] | squareMask[to];
    openPly();

    switch (type) {
        case EN_PASSANT: {
            const int cap = to + Traits::epCaptureOffset;
            const int victim = p.board[cap];
            undo.moverPieces = p.pieces[piece];
            undo.captured = uint8_t(victim);
            p.board[to] = uint8_t(piece);
            p.board[from] = EMPTY;
            p.board[cap] = EMPTY;
            p.material -= 1;
            const uint64_t keys = zobrist[victim][cap] ^ zobrist[piece][from] ^ zobrist[piece][to];
            p.hashKey ^= keys;
            p.pawnKey ^= uint32_t(keys);
            p.pieces[victim] &= ~squareMask[cap];
            p.occupied[Us ^ 1] &= ~squareMask[cap];
            p.pieces[piece] ^= fromTo;
            p.occupied[Us] ^= fromTo;
            p.occupiedAll = p.occupied[BLACK] | p.occupied[WHITE];
            p.occupied90 ^= mask90[from] ^ epMask90[to];
            p.occupiedA1H8 ^= maskA1H8[from] ^ epMaskA1H8[to];
            p.occupiedA8H1 ^= maskA8H1[from] ^ epMaskA8H1[to];
            break;
        }

        case PROMOTE_Q: case PROMOTE_N: case PROMOTE_R: case PROMOTE_B:
        case CAPTURE_PROMOTE_Q: case CAPTURE_PROMOTE_N: case CAPTURE_PROMOTE_R: case CAPTURE_PROMOTE_B: {
            const int kind = type & 3;
            if (type < CAPTURE_PROMOTE_Q) {
                undo.materialDelta = PROMOTION_GAIN[kind];
                p.material = uint8_t(p.material + undo.materialDelta);
                setRotated(to);
            } else {
                takeVictim<Us>(undo, to, PROMOTION_GAIN[kind]);
            }
            toggleRotated(from);
            const int promoted = PROMOTION_BLACK_CODE[kind] - Us;
            undo.moverPieces = p.pieces[piece];
            p.board[from] = EMPTY;
            p.board[to] = uint8_t(promoted);
            p.pawnKey ^= uint32_t(zobrist[piece][from]);
            p.hashKey ^= zobrist[promoted][to] ^ zobrist[piece][from];
            p.pieces[promoted] |= squareMask[to];
            p.pieces[piece] &= ~squareMask[from];
            p.occupied[Us] ^= fromTo;
            p.occupiedAll = p.occupied[BLACK] | p.occupied[WHITE];
            break;
        }

        case CASTLE_BLACK_SHORT: case CASTLE_WHITE_SHORT: case CASTLE_BLACK_LONG: case CASTLE_WHITE_LONG: {
            const Castling& c = CASTLINGS[type - CASTLE_BLACK_SHORT];
            removeRight(c.otherRight, Us == WHITE ? WHITE_CASTLED : BLACK_CASTLED, c.otherRightKeySquare, p.hashKey);
            p.castleFlags |= c.flagsSet;
            p.kingSquare[Us] = c.kingTo;
            p.hashKey ^= zobrist[c.king][c.kingFrom] ^ zobrist[c.king][c.kingTo] ^ zobrist[c.rook][c.rookFrom] ^
                         zobrist[c.rook][c.rookTo];
            p.board[c.kingFrom] = EMPTY;
            p.board[c.rookFrom] = EMPTY;
            p.board[c.rookTo] = c.rook;
            p.board[c.kingTo] = c.king;
            p.pieces[c.rook] ^= c.rookSquares;
            p.occupied[Us] ^= c.occupancy;
            p.occupiedAll ^= c.occupancy;
            p.occupied90 ^= c.occupancy90;
            p.occupiedA1H8 ^= c.occupancyA1H8;
            p.occupiedA8H1 ^= c.occupancyA8H1;
            break;
        }

        default:
            invalidMoveType(move);
    }
    closePly<Us>(0, p.hashKey);   // none of these is reversible
    INVARIANT(positionIsConsistent(WITHOUT_CHECK_TEST));
}

template <int Us>
void unmakeSpecialMove(Move move, const UndoRecord& undo) {
    constexpr int Them = Us ^ 1;
    Position& p = position;
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    restoreSnapshot<Us>(undo);

    switch (type) {
        case EN_PASSANT: {
            const int cap = to + MoveTraits<Us>::epCaptureOffset;
            const int piece = p.board[to];
            p.board[from] = uint8_t(piece);
            p.board[to] = EMPTY;
            p.material += 1;
            p.board[cap] = undo.captured;
            p.occupied[Them] |= squareMask[cap];
            p.pieces[undo.captured] |= squareMask[cap];
            p.pieces[piece] = undo.moverPieces;
            break;
        }

        case PROMOTE_Q: case PROMOTE_N: case PROMOTE_R: case PROMOTE_B:
        case CAPTURE_PROMOTE_Q: case CAPTURE_PROMOTE_N: case CAPTURE_PROMOTE_R: case CAPTURE_PROMOTE_B: {
            const int pawn = pawnCode(Us);
            p.material = uint8_t(p.material - undo.materialDelta);
            p.board[from] = uint8_t(pawn);
            p.pieces[pawn] = undo.moverPieces;
            p.pieces[p.board[to]] &= ~squareMask[to];
            if (type >= CAPTURE_PROMOTE_Q) {
                p.castleFlags = undo.castleFlags;
                p.pieces[undo.captured] |= squareMask[to];
                p.occupied[Them] |= squareMask[to];
                p.board[to] = undo.captured;
            } else {
                p.board[to] = EMPTY;
            }
            break;
        }

        case CASTLE_BLACK_SHORT: case CASTLE_WHITE_SHORT: case CASTLE_BLACK_LONG: case CASTLE_WHITE_LONG: {
            const Castling& c = CASTLINGS[type - CASTLE_BLACK_SHORT];
            p.castleFlags = undo.castleFlags;
            p.kingSquare[Us] = c.kingFrom;
            p.board[c.kingTo] = EMPTY;
            p.board[c.rookTo] = EMPTY;
            p.board[c.kingFrom] = c.king;
            p.board[c.rookFrom] = c.rook;
            p.pieces[c.rook] ^= c.rookSquares;
            break;
        }

        default:
            invalidMoveType(move);
    }
    --historyTop;
    INVARIANT(positionIsConsistent());
}

template void makeSpecialMove<WHITE>(Move, UndoRecord&);
template void makeSpecialMove<BLACK>(Move, UndoRecord&);
template void unmakeSpecialMove<WHITE>(Move, const UndoRecord&);
template void unmakeSpecialMove<BLACK>(Move, const UndoRecord&);

void makeMove(Move move, UndoRecord& undo) {
    if (position.sideToMove == WHITE)
        makeMoveAs<WHITE>(move, undo);
    else
        makeMoveAs<BLACK>(move, undo);
}

void unmakeMove(Move move, const UndoRecord& undo) {
    if (position.sideToMove == WHITE)   // White is to move again, so Black made the move
        unmakeMoveAs<BLACK>(move, undo);
    else
        unmakeMoveAs<WHITE>(move, undo);
}
