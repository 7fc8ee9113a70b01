// The bodies of make and unmake for a known mover, inline so that the search's loops and perft
// pay no call and no test of the side to move. Included by board/makemove.h only.
#pragma once


#include "board/attacks.h"
#include "board/castling.h"
#include "board/colours.h"
#include "board/consistency.h"
#include "ground/invariant.h"

// Stops the program: a code of type NOT_A_MOVE stands for a search result and can be neither
// made nor taken back.
[[noreturn]] void invalidMoveType(Move move);

namespace makeMoveDetail {

// A lost right leaves the key.
inline void removeRight(Position& p, uint16_t right, int keySquare, uint64_t& key) {
    if (p.castleFlags & right) {
        p.castleFlags &= ~right;
        key ^= zobrist[0][keySquare];
    }
}

// A rook leaving its home, or taken there, takes its castling's right along. Most moves and
// captures touch no home and say so without a look at the table.
inline void removeHomeRight(Position& p, int square, uint64_t& key) {
    if (!((p.castling.homeSquares >> square) & 1)) return;
    const RookHome& home = p.castling.homes[square];
    removeRight(p, home.right, home.keySquare, key);
}

inline void setRotated(Position& p, int square) {
    p.occupied90 |= mask90[square];
    p.occupiedA1H8 |= maskA1H8[square];
    p.occupiedA8H1 |= maskA8H1[square];
}

inline void toggleRotated(Position& p, int square) {
    p.occupied90 ^= mask90[square];
    p.occupiedA1H8 ^= maskA1H8[square];
    p.occupiedA8H1 ^= maskA8H1[square];
}

// Remove the piece standing on `to` before the mover lands there.
template <Colour Us>
inline void takeVictim(Position& p, UndoRecord& undo, int to, int8_t materialGain) {
    constexpr Colour Them = opposite(Us);
    int victim = p.board[to];
    undo.captured = uint8_t(victim);
    removeHomeRight(p, to, p.hashKey);
    undo.materialDelta = int8_t(materialGain - CAPTURE_VALUE[victim]);
    p.material = uint8_t(p.material + undo.materialDelta);
    p.pieces[victim] &= ~squareMask[to];
    p.occupied[Them] &= ~squareMask[to];
    p.hashKey ^= zobrist[victim][to];
    if (isPawn(victim)) p.pawnKey ^= uint32_t(zobrist[victim][to]);
}

// ... and the take-back puts it back on `square` (its material is the caller's to restore).
template <Colour Us>
inline void restoreVictim(Position& p, const UndoRecord& undo, int square) {
    p.pieces[undo.captured] |= squareMask[square];
    p.occupied[opposite(Us)] |= squareMask[square];
    p.board[square] = undo.captured;
}

// What every move does first: a new history entry, and the en-passant square lapses. Returns the
// fifty-move counter of the position before the move.
inline uint16_t openPly(Board& board) {
    Position& p = board.position;
    const uint16_t previousFifty = board.top->fiftyCounter;
    ++board.top;
    if (p.epSquare) {
        p.hashKey ^= zobrist[0][p.epSquare];
        p.pawnKey ^= uint32_t(zobrist[0][p.epSquare]);
        p.epSquare = 0;
    }
    return previousFifty;
}

// ... and last: the other side moves, and the history entry records the new position's key.
template <Colour Us>
inline void closePly(Board& board, uint16_t fifty, uint64_t key) {
    board.position.sideToMove = opposite(Us);
    board.top->key = key;
    board.top->fiftyCounter = fifty;
}

// What every take-back does first: the side and the snapshot saved before the move come back.
template <Colour Us>
inline void restoreSnapshot(Position& p, const UndoRecord& undo) {
    p.sideToMove = Us;
    p.occupied90 = undo.occupied90;
    p.occupiedA1H8 = undo.occupiedA1H8;
    p.occupiedA8H1 = undo.occupiedA8H1;
    p.occupiedAll = undo.occupiedAll;
    p.occupied[Us] = undo.occupiedMover;
    p.epSquare = undo.epSquare;
    p.hashKey = undo.hashKey;
    p.pawnKey = undo.pawnKey;
}

// Whether `move` of `Us` may land where it goes: a quiet move or push on an empty square, a
// capture on an enemy piece other than the king, en passant on the en-passant square, a castling
// of Us with its right and its path empty; pawns alone promote and take en passant.
template <Colour Us>
inline bool landsRightly(const Position& p, Move move) {
    const int type = moveType(move), to = moveTo(move), target = p.board[to];
    const bool byPawn = p.board[moveFrom(move)] == pieceOf(Us, PAWN);
    const bool onEnemy = target != EMPTY && pieceColour(target) != Us && kindOf(target) != KING;
    if (isCastling(move)) {
        const Castling& c = castlingOf(p.castling, move);
        return c.colour == Us && move == c.move && (p.castleFlags & c.right) && !(p.occupiedAll & c.mustBeEmpty);
    }
    if (type == EN_PASSANT) return byPawn && to == p.epSquare;
    if (type >= CAPTURE_PROMOTE_Q) return byPawn && onEnemy;
    if (type >= PROMOTE_Q) return byPawn && target == EMPTY;
    return type == CAPTURE ? onEnemy : target == EMPTY;
}

// The doors of make, checked in Debug and sanitizer builds and free in Release: a real move of
// the side to move, from one of its pieces onto a square its type allows, made with the snapshot
// of this very position and with room left on the history stack.
template <Colour Us>
inline void checkMakeDoors([[maybe_unused]] const Board& board, [[maybe_unused]] Move move,
                           [[maybe_unused]] const UndoRecord& undo) {
    [[maybe_unused]] const Position& p = board.position;
    INVARIANT(moveType(move) != NOT_A_MOVE);
    INVARIANT(p.sideToMove == Us);
    INVARIANT(undo.hashKey == p.hashKey && undo.occupiedAll == p.occupiedAll && undo.castleFlags == p.castleFlags &&
              undo.epSquare == p.epSquare);
    INVARIANT(board.top + 1 < board.history + HISTORY_SIZE);
    INVARIANT(moveFrom(move) != moveTo(move) && p.board[moveFrom(move)] != EMPTY && pieceColour(p.board[moveFrom(move)]) == Us);
    INVARIANT(landsRightly<Us>(p, move));
}

// ... and of unmake: the last move made, by `Us`, whose piece stands on its destination (a
// castling's king and rook on theirs).
template <Colour Us>
inline void checkUnmakeDoors([[maybe_unused]] const Board& board, [[maybe_unused]] Move move) {
    [[maybe_unused]] const Position& p = board.position;
    INVARIANT(moveType(move) != NOT_A_MOVE);
    INVARIANT(p.sideToMove == opposite(Us) && board.top > board.history);
    if (isCastling(move)) {
        [[maybe_unused]] const Castling& c = castlingOf(p.castling, move);
        INVARIANT(p.board[c.kingTo] == pieceOf(Us, KING) && p.board[c.rookTo] == pieceOf(Us, ROOK));
        return;
    }
    INVARIANT(p.board[moveFrom(move)] == EMPTY && p.board[moveTo(move)] != EMPTY && pieceColour(p.board[moveTo(move)]) == Us);
}

}  // namespace makeMoveDetail

// En passant, promotions and castling, rare enough to stay out of line (board/makemove.cpp).
template <Colour Us>
void makeSpecialMove(Board& board, Move move, UndoRecord& undo);
template <Colour Us>
void unmakeSpecialMove(Board& board, Move move, const UndoRecord& undo);

// A quiet move or a capture is made here; the rest goes to makeSpecialMove.
template <Colour Us>
inline void makeMoveAs(Board& board, Move move, UndoRecord& undo) {
    using namespace makeMoveDetail;
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    constexpr int pawn = pieceOf(Us, PAWN);
    checkMakeDoors<Us>(board, move, undo);
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    if (type > CAPTURE) {
        makeSpecialMove<Us>(board, move, undo);
        return;
    }
    constexpr Colour Them = opposite(Us);
    Position& p = board.position;
    const int piece = p.board[from];
    const Bitboard fromTo = squareMask[from] | squareMask[to];
    const uint16_t previousFifty = board.top->fiftyCounter;
    ++board.top;

    // The snapshot in `undo` holds the position's occupancies and keys: the new ones are built
    // from there, not from the fields that the last take-back has only just written back.
    uint64_t key = undo.hashKey;
    uint32_t pawnKey = undo.pawnKey;
    if (undo.epSquare) {
        key ^= zobrist[0][undo.epSquare];
        pawnKey ^= uint32_t(zobrist[0][undo.epSquare]);
        p.epSquare = 0;
    }
    uint16_t fifty = 0;
    if (type == QUIET) {
        // The destination is empty: one exclusive or leaves the origin and enters it.
        p.occupied90 = undo.occupied90 ^ mask90[from] ^ mask90[to];
        p.occupiedA1H8 = undo.occupiedA1H8 ^ maskA1H8[from] ^ maskA1H8[to];
        p.occupiedA8H1 = undo.occupiedA8H1 ^ maskA8H1[from] ^ maskA8H1[to];
        p.occupiedAll = undo.occupiedAll ^ fromTo;
        fifty = piece == pawn ? 0 : uint16_t(previousFifty + 1);
    } else {
        const int victim = p.board[to];
        undo.captured = uint8_t(victim);
        removeHomeRight(p, to, key);
        undo.materialDelta = int8_t(-CAPTURE_VALUE[victim]);
        p.material = uint8_t(p.material + undo.materialDelta);
        p.pieces[victim] &= ~squareMask[to];
        p.occupied[Them] &= ~squareMask[to];
        key ^= zobrist[victim][to];
        if (isPawn(victim)) pawnKey ^= uint32_t(zobrist[victim][to]);
        // The destination stays occupied, by the mover now.
        p.occupied90 = undo.occupied90 ^ mask90[from];
        p.occupiedA1H8 = undo.occupiedA1H8 ^ maskA1H8[from];
        p.occupiedA8H1 = undo.occupiedA8H1 ^ maskA8H1[from];
        p.occupiedAll = undo.occupiedAll ^ squareMask[from];
    }
    key ^= zobrist[piece][from] ^ zobrist[piece][to];
    if (piece == pawn) {
        undo.moverPieces = p.pieces[piece];
        p.pieces[piece] ^= fromTo;
        pawnKey ^= uint32_t(zobrist[piece][from] ^ zobrist[piece][to]);
        if (to - from == 2 * S.forward) {
            p.epSquare = uint8_t(to - S.forward);
            key ^= zobrist[0][p.epSquare];
            pawnKey ^= uint32_t(zobrist[0][p.epSquare]);
        }
    } else if (piece == pieceOf(Us, KING)) {
        p.kingSquare[Us] = uint8_t(to);
        removeRight(p, castlingRight(Us, SHORT_SIDE), rightKeySquare(Us, SHORT_SIDE), key);
        removeRight(p, castlingRight(Us, LONG_SIDE), rightKeySquare(Us, LONG_SIDE), key);
    } else {
        undo.moverPieces = p.pieces[piece];
        p.pieces[piece] ^= fromTo;
        // Only a colour's own rook can leave a home whose right still stands.
        if (piece == pieceOf(Us, ROOK)) removeHomeRight(p, from, key);
    }
    p.board[to] = uint8_t(piece);
    p.board[from] = EMPTY;
    p.occupied[Us] = undo.occupiedMover ^ fromTo;
    p.hashKey = key;
    p.pawnKey = pawnKey;
    closePly<Us>(board, fifty, key);
    // The mover may stand in check: the legality test comes after the move.
    INVARIANT(positionIsConsistent(board, WITHOUT_CHECK_TEST));
}

template <Colour Us>
inline void unmakeMoveAs(Board& board, Move move, const UndoRecord& undo) {
    using namespace makeMoveDetail;
    checkUnmakeDoors<Us>(board, move);
    const int to = moveTo(move), from = moveFrom(move), type = moveType(move);
    if (type > CAPTURE) {
        unmakeSpecialMove<Us>(board, move, undo);
        return;
    }
    Position& p = board.position;
    restoreSnapshot<Us>(p, undo);
    p.castleFlags = undo.castleFlags;
    const int piece = p.board[to];
    if (p.kingSquare[Us] == to)
        p.kingSquare[Us] = uint8_t(from);
    else
        p.pieces[piece] = undo.moverPieces;
    p.board[from] = uint8_t(piece);
    if (type == CAPTURE) {
        p.material = uint8_t(p.material - undo.materialDelta);
        restoreVictim<Us>(p, undo, to);
    } else {
        p.board[to] = EMPTY;
    }
    --board.top;
    INVARIANT(positionIsConsistent(board));
}

