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
inline int captureScore(const Position& p, int from, int to, Bitboard rookSliders, Bitboard bishopSliders) {
    constexpr int attackerValue = pieceValue[Code];
    const int victimValue = pieceValue[p.board[to]];
    if (victimValue >= attackerValue - 50) return victimValue - attackerValue - 9500;
    return staticExchange(p, Code, from, to, rookSliders, bishopSliders);
}

// Pawn captures in one direction: `targets` are the squares the own pawns reach that way, and
// a pawn reaches `to` from `to - Delta`. En passant first, then promotions, then the rest.
template <Colour Us, int Delta>
inline ScoredMove* pawnCaptures(const Position& p, ScoredMove* out, Bitboard targets) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
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
inline ScoredMove* allPawnCaptures(const Position& p, ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Bitboard pawns = p.pieces[pieceOf(Us, PAWN)];
    out = pawnCaptures<Us, S.captureTowardsA>(p, out, shifted(pawns & ~FILE_A, S.captureTowardsA));
    return pawnCaptures<Us, S.captureTowardsH>(p, out, shifted(pawns & ~FILE_H, S.captureTowardsH));
}

// The moves of the piece `Code` on `from` to `targets` (its reach, off its own pieces): captures
// first, then (with Quiet) the empty targets. Without Quiet, captures that score below -10000 are
// left out.
template <Colour Us, int Code, bool Quiet>
inline ScoredMove* movesFrom(const Position& p, ScoredMove* out, int from, Bitboard targets, Bitboard rookSliders,
                             Bitboard bishopSliders) {
    for (Bitboard captures = targets & p.occupied[opposite(Us)]; captures;) {
        const int to = popSquare(captures);
        const int score = captureScore<Code>(p, from, to, rookSliders, bishopSliders);
        if (Quiet || int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(CAPTURE, from, to));
    }
    if constexpr (Quiet)
        for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
            out = emit(out, QUIET_SCORE, encodeMove(QUIET, from, popSquare(quiet)));
    return out;
}

// Moves of every piece of one kind, one piece after another.
template <Colour Us, PieceKind Kind, bool Quiet>
inline ScoredMove* pieceMoves(const Position& p, ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    constexpr int Code = pieceOf(Us, Kind);
    for (Bitboard pieces = p.pieces[Code]; pieces;) {
        const int from = popSquare(pieces);
        // Captures only: a slider with no enemy piece on its lines need not look along them.
        if constexpr (!Quiet && Kind != KNIGHT)
            if (!(raysOf<Kind>(from) & p.occupied[opposite(Us)])) continue;
        const Bitboard targets = attacksFrom<Kind>(p, from) & ~p.occupied[Us];
        out = movesFrom<Us, Code, Quiet>(p, out, from, targets, rookSliders, bishopSliders);
    }
    return out;
}

// King steps, never next to the enemy king.
template <Colour Us, bool Quiet>
inline ScoredMove* kingMoves(const Position& p, ScoredMove* out, Bitboard rookSliders, Bitboard bishopSliders) {
    const int from = p.kingSquare[Us];
    const Bitboard targets = kingAttacks[from] & ~kingAttacks[p.kingSquare[opposite(Us)]] & ~p.occupied[Us];
    return movesFrom<Us, pieceOf(Us, KING), Quiet>(p, out, from, targets, rookSliders, bishopSliders);
}

// A castling whose right stands and whose path is empty and out of the enemy king's reach.
template <Colour Us, CastlingSide Side>
inline ScoredMove* castlingIfOpen(const Position& p, ScoredMove* out, int score, uint16_t flags, Bitboard enemyKingReach) {
    const Castling& c = castlingOf(p.castling, Us, Side);
    if ((flags & castlingRight(Us, Side)) && !(p.occupiedAll & c.mustBeEmpty) && !(enemyKingReach & c.kingPath))
        out = emit(out, score, c.move);
    return out;
}

inline Bitboard rookSlidersNow(const Position& p) {
    return p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
}

inline Bitboard bishopSlidersNow(const Position& p) {
    return p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
}

template <Colour Us>
ScoredMove* allMovesEntry(const Position& p, ScoredMove* out, PlyFrame&) {
    return generateMoves<Us>(p, out);
}

template <Colour Us>
ScoredMove* capturesEntry(const Position& p, ScoredMove* out, PlyFrame&) {
    return generateCaptures<Us>(p, out);
}

}  // namespace

template <Colour Us>
ScoredMove* generateMoves(const Position& p, ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    const Bitboard rookSliders = rookSlidersNow(p);
    const Bitboard bishopSliders = bishopSlidersNow(p);

    out = allPawnCaptures<Us>(p, out);
    out = pieceMoves<Us, KNIGHT, true>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN, true>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK, true>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP, true>(p, out, rookSliders, bishopSliders);

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

    out = kingMoves<Us, true>(p, out, rookSliders, bishopSliders);

    // The rights stand for king and rook at home; attacked squares are the legality test's
    // business. The enemy king is not asked there, so its reach is kept off the king's path here.
    const uint16_t flags = p.castleFlags;
    if (flags & (castlingRight(Us, SHORT_SIDE) | castlingRight(Us, LONG_SIDE))) {
        const Bitboard enemyKingReach = kingAttacks[p.kingSquare[opposite(Us)]];
        out = castlingIfOpen<Us, SHORT_SIDE>(p, out, SHORT_CASTLING_SCORE, flags, enemyKingReach);
        out = castlingIfOpen<Us, LONG_SIDE>(p, out, LONG_CASTLING_SCORE, flags, enemyKingReach);
    }
    return out;
}

template <Colour Us>
ScoredMove* generateCaptures(const Position& p, ScoredMove* out) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    constexpr int pawn = pieceOf(Us, PAWN);
    const Bitboard rookSliders = rookSlidersNow(p);
    const Bitboard bishopSliders = bishopSlidersNow(p);

    out = allPawnCaptures<Us>(p, out);
    // Queen push-promotions that survive the exchange on their square.
    for (Bitboard promotions = shifted(p.pieces[pawn], S.forward) & ~p.occupiedAll & S.promotionRank; promotions;) {
        const int to = popSquare(promotions);
        const int score = staticExchange(p, pawn, to - S.forward, to, rookSliders, bishopSliders);
        if (int16_t(score) >= LOWEST_KEPT_CAPTURE) out = emit(out, score, encodeMove(PROMOTE_Q, to - S.forward, to));
    }
    out = pieceMoves<Us, KNIGHT, false>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, BISHOP, false>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, ROOK, false>(p, out, rookSliders, bishopSliders);
    out = pieceMoves<Us, QUEEN, false>(p, out, rookSliders, bishopSliders);
    return kingMoves<Us, false>(p, out, rookSliders, bishopSliders);
}

template ScoredMove* generateMoves<WHITE>(const Position&, ScoredMove*);
template ScoredMove* generateMoves<BLACK>(const Position&, ScoredMove*);
template ScoredMove* generateCaptures<WHITE>(const Position&, ScoredMove*);
template ScoredMove* generateCaptures<BLACK>(const Position&, ScoredMove*);

const MoveGenerator moveGenerators[6] = {
    allMovesEntry<BLACK>, allMovesEntry<WHITE>,
    capturesEntry<BLACK>, capturesEntry<WHITE>,
    generateEvasions<BLACK>, generateEvasions<WHITE>,
};
