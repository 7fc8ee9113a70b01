#include "movegen/generators.h"

#include "board/colours.h"
#include "frames/frames.h"
#include "movegen/emit.h"
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
template <Colour Us, int Delta>
inline ScoredMove* pawnCaptures(ScoredMove* out, Bitboard targets) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Position& p = position;
    if (p.epSquare && (targets & squareMask[p.epSquare]))
        out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, p.epSquare - Delta, p.epSquare));
    targets &= p.occupied[opposite(Us)];
    for (Bitboard promotions = targets & S.promotionRank; promotions;) {
        const int to = popSquare(promotions);
        out = emitPromotions(out, CAPTURE_PROMOTE_Q, to - Delta, to, pieceValue[p.board[to]]);
    }
    for (targets &= ~S.promotionRank; targets;) {
        const int to = popSquare(targets);
        out = emit(out, pieceValue[p.board[to]] + PAWN_CAPTURE_BASE, encodeMove(CAPTURE, to - Delta, to));
    }
    return out;
}

template <Colour Us>
inline ScoredMove* allPawnCaptures(ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Bitboard pawns = position.pieces[pieceOf(Us, PAWN)];
    out = pawnCaptures<Us, S.captureTowardsA>(out, shifted(pawns & ~FILE_A, S.captureTowardsA));
    return pawnCaptures<Us, S.captureTowardsH>(out, shifted(pawns & ~FILE_H, S.captureTowardsH));
}

// Moves of every piece of one kind: captures first, then (with Quiet) the empty targets.
// Without Quiet, captures that score below -10000 are left out.
template <Colour Us, PieceKind Kind, bool Quiet>
inline ScoredMove* pieceMoves(ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    constexpr int Code = pieceOf(Us, Kind);
    const Position& p = position;
    for (Bitboard pieces = p.pieces[Code]; pieces;) {
        const int from = popSquare(pieces);
        // Captures only: a slider with no enemy piece on its lines need not look along them.
        if constexpr (!Quiet && Kind != KNIGHT)
            if (!(raysOf<Kind>(from) & p.occupied[opposite(Us)])) continue;
        const Bitboard targets = attacksFrom<Kind>(from) & ~p.occupied[Us];
        for (Bitboard captures = targets & p.occupied[opposite(Us)]; captures;) {
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
template <Colour Us, bool Quiet>
inline ScoredMove* kingMoves(ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    const Position& p = position;
    const int from = p.kingSquare[Us];
    const Bitboard targets = kingAttacks[from] & ~kingAttacks[p.kingSquare[opposite(Us)]] & ~p.occupied[Us];
    for (Bitboard captures = targets & p.occupied[opposite(Us)]; captures;) {
        const int to = popSquare(captures);
        const int score = captureScore<pieceOf(Us, KING)>(from, to, rookSliders, bishopSliders);
        if (Quiet || int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(CAPTURE, from, to));
    }
    if constexpr (Quiet)
        for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
            out = emit(out, QUIET_SCORE, encodeMove(QUIET, from, popSquare(quiet)));
    return out;
}

// A castling whose right stands and whose path is empty and out of the enemy king's reach.
template <Colour Us, CastlingSide Side>
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

template <Colour Us>
ScoredMove* allMovesEntry(ScoredMove* out, PlyFrame&) {
    return generateMoves<Us>(out);
}

template <Colour Us>
ScoredMove* capturesEntry(ScoredMove* out, PlyFrame&) {
    return generateCaptures<Us>(out);
}

}  // namespace

template <Colour Us>
ScoredMove* generateMoves(ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Position& p = position;
    const Bitboard rookSliders = rookSlidersNow();
    const Bitboard bishopSliders = bishopSlidersNow();

    out = allPawnCaptures<Us>(out);
    out = pieceMoves<Us, KNIGHT, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK, true>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP, true>(out, rookSliders, bishopSliders);

    // Pushes: promotions, then double steps, then single steps.
    const Bitboard empty = ~p.occupiedAll;
    const Bitboard pushes = shifted(p.pieces[pieceOf(Us, PAWN)], S.forward) & empty;
    for (Bitboard promotions = pushes & S.promotionRank; promotions;) {
        const int to = popSquare(promotions);
        out = emitPromotions(out, PROMOTE_Q, to - S.forward, to, 0);
    }
    for (Bitboard doubles = shifted(pushes & S.doublePushStop, S.forward) & empty; doubles;) {
        const int to = popSquare(doubles);
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - 2 * S.forward, to));
    }
    for (Bitboard singles = pushes & ~S.promotionRank; singles;) {
        const int to = popSquare(singles);
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - S.forward, to));
    }

    out = kingMoves<Us, true>(out, rookSliders, bishopSliders);

    // The rights stand for king and rook at home; attacked squares are the legality test's
    // business. The enemy king is not asked there, so its reach is kept off the king's path here.
    const uint16_t flags = p.castleFlags;
    if (flags & (S.shortCastling.right | S.longCastling.right)) {
        const Bitboard enemyKingReach = kingAttacks[p.kingSquare[opposite(Us)]];
        out = castlingIfOpen<Us, SHORT_SIDE>(out, SHORT_CASTLING_SCORE, flags, enemyKingReach);
        out = castlingIfOpen<Us, LONG_SIDE>(out, LONG_CASTLING_SCORE, flags, enemyKingReach);
    }
    return out;
}

template <Colour Us>
ScoredMove* generateCaptures(ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    constexpr int pawn = pieceOf(Us, PAWN);
    const Position& p = position;
    const Bitboard rookSliders = rookSlidersNow();
    const Bitboard bishopSliders = bishopSlidersNow();

    out = allPawnCaptures<Us>(out);
    // Queen push-promotions that survive the exchange on their square.
    for (Bitboard promotions = shifted(p.pieces[pawn], S.forward) & ~p.occupiedAll & S.promotionRank; promotions;) {
        const int to = popSquare(promotions);
        const int score = staticExchange(pawn, to - S.forward, to, rookSliders, bishopSliders);
        if (int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(PROMOTE_Q, to - S.forward, to));
    }
    out = pieceMoves<Us, KNIGHT, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK, false>(out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN, false>(out, rookSliders, bishopSliders);
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
