#include "board/makemove.h"

#include <cstdio>
#include <cstdlib>

void invalidMoveType(Move move) {
    std::fprintf(stderr, "internal error: move %04x of type 3 handed to make or unmake\n", move);
    std::abort();
}

namespace {

using namespace makeMoveDetail;

// Promotion piece and material gain by type & 3: queen, knight, rook, bishop.
constexpr PieceKind PROMOTION_KIND[4] = {QUEEN, KNIGHT, ROOK, BISHOP};
constexpr int8_t PROMOTION_GAIN[4] = {8, 2, 4, 2};

}  // namespace

template <Colour Us>
void makeSpecialMove(Board& board, Move move, UndoRecord& undo) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    Position& p = board.position;
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    const int piece = p.board[from];
    const Bitboard fromTo = squareMask[from] | squareMask[to];
    openPly(board);

    switch (type) {
        case EN_PASSANT: {
            const int cap = to - S.forward;   // the pawn that passed over `to`
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
            p.occupied[opposite(Us)] &= ~squareMask[cap];
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
                setRotated(p, to);
            } else {
                takeVictim<Us>(p, undo, to, PROMOTION_GAIN[kind]);
            }
            toggleRotated(p, from);
            const int promoted = pieceOf(Us, PROMOTION_KIND[kind]);
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
            const Castling& c = castlingOf(p.castling, move);
            // The other right leaves the key as any lost right does; the right spent does not.
            removeRight(p, c.otherRight, c.otherRightKey, p.hashKey);
            p.castleFlags = uint16_t((p.castleFlags & ~c.right) | c.castledSide);
            p.kingSquare[Us] = c.kingTo;
            p.hashKey ^= zobrist[c.king][c.kingFrom] ^ zobrist[c.king][c.kingTo] ^ zobrist[c.rook][c.rookFrom] ^
                         zobrist[c.rook][c.rookTo];
            // Emptied first, then filled: king and rook may land on each other's squares.
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
    closePly<Us>(board, 0, p.hashKey);   // none of these is reversible
    INVARIANT(positionIsConsistent(board, WITHOUT_CHECK_TEST));
}

template <Colour Us>
void unmakeSpecialMove(Board& board, Move move, const UndoRecord& undo) {
    Position& p = board.position;
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    restoreSnapshot<Us>(p, undo);

    switch (type) {
        case EN_PASSANT: {
            const int cap = to - COLOUR_RULES[Us].forward;
            const int piece = p.board[to];
            p.board[from] = uint8_t(piece);
            p.board[to] = EMPTY;
            p.material += 1;
            restoreVictim<Us>(p, undo, cap);
            p.pieces[piece] = undo.moverPieces;
            break;
        }

        case PROMOTE_Q: case PROMOTE_N: case PROMOTE_R: case PROMOTE_B:
        case CAPTURE_PROMOTE_Q: case CAPTURE_PROMOTE_N: case CAPTURE_PROMOTE_R: case CAPTURE_PROMOTE_B: {
            const int pawn = pieceOf(Us, PAWN);
            p.material = uint8_t(p.material - undo.materialDelta);
            p.board[from] = uint8_t(pawn);
            p.pieces[pawn] = undo.moverPieces;
            p.pieces[p.board[to]] &= ~squareMask[to];
            if (type >= CAPTURE_PROMOTE_Q) {
                p.castleFlags = undo.castleFlags;
                restoreVictim<Us>(p, undo, to);
            } else {
                p.board[to] = EMPTY;
            }
            break;
        }

        case CASTLE_BLACK_SHORT: case CASTLE_WHITE_SHORT: case CASTLE_BLACK_LONG: case CASTLE_WHITE_LONG: {
            const Castling& c = castlingOf(p.castling, move);
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
    --board.top;
    INVARIANT(positionIsConsistent(board));
}

template void makeSpecialMove<WHITE>(Board&, Move, UndoRecord&);
template void makeSpecialMove<BLACK>(Board&, Move, UndoRecord&);
template void unmakeSpecialMove<WHITE>(Board&, Move, const UndoRecord&);
template void unmakeSpecialMove<BLACK>(Board&, Move, const UndoRecord&);

void makeMove(Board& board, Move move, UndoRecord& undo) {
    return board.position.sideToMove == WHITE ? makeMoveAs<WHITE>(board, move, undo) : makeMoveAs<BLACK>(board, move, undo);
}

// The side to move is the one that did not make the move.
void unmakeMove(Board& board, Move move, const UndoRecord& undo) {
    return board.position.sideToMove == WHITE ? unmakeMoveAs<BLACK>(board, move, undo)
                                              : unmakeMoveAs<WHITE>(board, move, undo);
}
