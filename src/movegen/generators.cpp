#include "movegen/generators.h"

#include "board/castling.h"
#include "frames/frames.h"
#include "movegen/colourtraits.h"
#include "movegen/evasions.h"
#include "movegen/exchange.h"

using namespace movegen;

namespace {

constexpr int QUIET_SCORE = -30000;
constexpr int EN_PASSANT_SCORE = -9500;
constexpr int PAWN_CAPTURE_BASE = -9600;         // pawn takes: victim's value - 9600
constexpr int SHORT_CASTLING_SCORE = -29000;
constexpr int LONG_CASTLING_SCORE = -29500;
constexpr int LOWEST_KEPT_CAPTURE = -10000;      // the captures generator drops what scores below

// Attack set of a piece code on a square under the current occupancy (kings and pawns apart).
template <int Code>
inline Bitboard pieceAttacks(int s) {
    if constexpr (Code == WKNIGHT || Code == BKNIGHT) return knightAttacks[s];
    else if constexpr (Code == WBISHOP || Code == BBISHOP) return bishopAttacksFrom(s);
    else if constexpr (Code == WROOK || Code == BROOK) return rookAttacksFrom(s);
    else return queenAttacksFrom(s);
}

// The lines a slider code moves along on an empty board.
template <int Code>
inline Bitboard sliderRays(int s) {
    if constexpr (Code == WBISHOP || Code == BBISHOP) return bishopRays[s];
    else if constexpr (Code == WROOK || Code == BROOK) return rookRays[s];
    else return queenRays[s];
}

// A capture by a piece: taken at face value when the victim is worth at least the attacker
// less 50, otherwise played out by the exchange evaluation.
template <int Code>
inline int captureScore(int from, int to, Bitboard rookSliders, Bitboard bishopSliders) {
    constexpr int attackerValue = pieceValue[Code];
    const int victimValue = pieceValue[position.board[to]];
    if (victimValue >= attackerValue - 50) return victimValue - attackerValue - 9500;
    return staticExchange(Code, from, to, rookSliders, bishopSliders);
}

// Pawn captures in one direction: `targets` are the squares the own pawns reach that way, and
// a pawn reaches `to` from `to - Delta`. En passant first, then promotions, then the rest.
template <int Us, int Delta>
inline ScoredMove* pawnCaptures(ScoredMove* out, Bitboard targets) {
    using S = Side<Us>;
    const Position& p = position;
    if (p.epSquare && (targets & squareMask[p.epSquare]))
        out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, p.epSquare - Delta, p.epSquare));
    targets &= p.occupied[Us ^ 1];
    for (Bitboard promotions = targets & S::PROMOTION_RANK; promotions;) {
        const int to = popSquare(promotions);
        out = emitPromotions(out, CAPTURE_PROMOTE_Q, to - Delta, to, pieceValue[p.board[to]]);
    }
    for (targets &= ~S::PROMOTION_RANK; targets;) {
        const int to = popSquare(targets);
        out = emit(out, pieceValue[p.board[to]] + PAWN_CAPTURE_BASE, encodeMove(CAPTURE, to - Delta, to));
    }
    return out;
}

template <int Us>
inline ScoredMove* allPawnCaptures(ScoredMove* out) {
    using S = Side<Us>;
    const Bitboard pawns = position.pieces[PAWN<Us>];
    out = pawnCaptures<Us, S::CAPTURE_TOWARDS_A>(out, S::capturedTowardsA(pawns));
    return pawnCaptures<Us, S::CAPTURE_TOWARDS_H>(out, S::capturedTowardsH(pawns));
}

// Moves of every piece of one code: captures first, then (with Quiet) the empty targets.
// Without Quiet, captures that score below -10000 are left out.
template <int Us, int Code, bool Quiet>
inline ScoredMove* pieceMoves(ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    const Position& p = position;
    for (Bitboard pieces = p.pieces[Code]; pieces;) {
        const int from = popSquare(pieces);
        // Captures only: a slider with no enemy piece on its lines need not look along them.
        if constexpr (!Quiet && Code != KNIGHT<Us>)
            if (!(sliderRays<Code>(from) & p.occupied[Us ^ 1])) continue;
        const Bitboard targets = pieceAttacks<Code>(from) & ~p.occupied[Us];
        for (Bitboard captures = targets & p.occupied[Us ^ 1]; captures;) {
            const int to = popSquare(captures);
            const int score = captureScore<Code>(from, to, rookSliders, bishopSliders);
            if (Quiet || int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(CAPTURE, from, to));
        }
        if constexpr (Quiet)
            for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
                out = emit(out, QUIET_SCORE, encodeMove(QUIET, from, popSquare(quiet)));
    }
    return out;
}

// King steps, never next to the enemy king.
template <int Us, bool Quiet>
inline ScoredMove* kingMoves(ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    const Position& p = position;
    const int from = p.kingSquare[Us];
    const Bitboard targets = kingAttacks[from] & ~kingAttacks[p.kingSquare[Us ^ 1]] & ~p.occupied[Us];
    for (Bitboard captures = targets & p.occupied[Us ^ 1]; captures;) {
        const int to = popSquare(captures);
        const int score = captureScore<KING<Us>>(from, to, rookSliders, bishopSliders);
        if (Quiet || int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(CAPTURE, from, to));
    }
    if constexpr (Quiet)
        for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
            out = emit(out, QUIET_SCORE, encodeMove(QUIET, from, popSquare(quiet)));
    return out;
}

// A castling whose right stands and whose path is empty and out of the enemy king's reach.
template <int Us, CastlingSide Side>
inline ScoredMove* castlingIfOpen(ScoredMove* out, int score, uint16_t flags, Bitboard enemyKingReach) {
    constexpr const Castling& c = castlingOf(Us, Side);
    constexpr Bitboard mustBeEmpty = emptyPath(c), path = kingPath(c);
    if ((flags & c.right) && !(position.occupiedAll & mustBeEmpty) && !(enemyKingReach & path))
        out = emit(out, score, castlingMove(c));
    return out;
}

inline Bitboard rookSlidersNow() {
    const Position& p = position;
    return p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
}

inline Bitboard bishopSlidersNow() {
    const Position& p = position;
    return p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
}

template <int Us>
ScoredMove* allMovesEntry(ScoredMove* out, PlyFrame&) {
    return generateMoves<Us>(out);
}

template <int Us>
ScoredMove* capturesEntry(ScoredMove* out, PlyFrame&) {
    return generateCaptures<Us>(out);
}

}  // namespace

template <int Us>
ScoredMove* generateMoves(ScoredMove* out) {
    using S = Side<Us>;
    const Position& p = position;
    const Bitboard rookSliders = rookSlidersNow();
    const Bitboard bishopSliders = bishopSlidersNow();

    out = allPawnCaptures<Us>(out);
    out = pieceMoves<Us, KNIGHT<Us>, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN<Us>, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK<Us>, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP<Us>, true>(out, rookSliders, bishopSliders);

    // Pushes: promotions, then double steps, then single steps.
    const Bitboard empty = ~p.occupiedAll;
    const Bitboard pushes = S::pushed(p.pieces[PAWN<Us>]) & empty;
    for (Bitboard promotions = pushes & S::PROMOTION_RANK; promotions;) {
        const int to = popSquare(promotions);
        out = emitPromotions(out, PROMOTE_Q, to - S::FORWARD, to, 0);
    }
    for (Bitboard doubles = S::pushed(pushes & S::DOUBLE_PUSH_STOP) & empty; doubles;) {
        const int to = popSquare(doubles);
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - 2 * S::FORWARD, to));
    }
    for (Bitboard singles = pushes & ~S::PROMOTION_RANK; singles;) {
        const int to = popSquare(singles);
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - S::FORWARD, to));
    }

    out = kingMoves<Us, true>(out, rookSliders, bishopSliders);

    // The rights stand for king and rook at home; attacked squares are the legality test's
    // business. The enemy king is not asked there, so its reach is kept off the king's path here.
    const uint16_t flags = p.castleFlags;
    if (flags & (castlingOf(Us, SHORT_SIDE).right | castlingOf(Us, LONG_SIDE).right)) {
        const Bitboard enemyKingReach = kingAttacks[p.kingSquare[Us ^ 1]];
        out = castlingIfOpen<Us, SHORT_SIDE>(out, SHORT_CASTLING_SCORE, flags, enemyKingReach);
        out = castlingIfOpen<Us, LONG_SIDE>(out, LONG_CASTLING_SCORE, flags, enemyKingReach);
    }
    return out;
}

template <int Us>
ScoredMove* generateCaptures(ScoredMove* out) {
    using S = Side<Us>;
    const Position& p = position;
    const Bitboard rookSliders = rookSlidersNow();
    const Bitboard bishopSliders = bishopSlidersNow();

    out = allPawnCaptures<Us>(out);
    // Queen push-promotions that survive the exchange on their square.
    for (Bitboard promotions = S::pushed(p.pieces[PAWN<Us>]) & ~p.occupiedAll & S::PROMOTION_RANK; promotions;) {
        const int to = popSquare(promotions);
        const int score = staticExchange(PAWN<Us>, to - S::FORWARD, to, rookSliders, bishopSliders);
        if (int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(PROMOTE_Q, to - S::FORWARD, to));
    }
    out = pieceMoves<Us, KNIGHT<Us>, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP<Us>, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK<Us>, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN<Us>, false>(out, rookSliders, bishopSliders);
    return kingMoves<Us, false>(out, rookSliders, bishopSliders);
}

template ScoredMove* generateMoves<WHITE>(ScoredMove*);
template ScoredMove* generateMoves<BLACK>(ScoredMove*);
template ScoredMove* generateCaptures<WHITE>(ScoredMove*);
template ScoredMove* generateCaptures<BLACK>(ScoredMove*);

const MoveGenerator moveGenerators[6] = {
    allMovesEntry<BLACK>, allMovesEntry<WHITE>,
    capturesEntry<BLACK>, capturesEntry<WHITE>,
    generateEvasions<BLACK>, generateEvasions<WHITE>,
};
