#include "movegen/evasions.h"

#include "board/colours.h"
#include "frames/frames.h"
#include "movegen/emit.h"
#include "movegen/exchange.h"

using namespace movegen;

namespace {

constexpr int QUIET_SCORE = -30000;
constexpr int EN_PASSANT_SCORE = -9500;

// Captures of the checker on c by every own piece of one kind that reaches it, then its moves
// onto the block squares. Interpositions score below the quiet moves by the piece's value.
template <Colour Us, PieceKind Kind>
inline ScoredMove* pieceEvasions(const Position& p, ScoredMove* out, int c, Bitboard block) {
    constexpr int Code = pieceOf(Us, Kind);
    constexpr bool isKnight = Kind == KNIGHT;
    const Bitboard own = p.pieces[Code];

    const int captureScore = pieceValue[p.board[c]] - pieceValue[Code] - 9500;
    if (isKnight || (raysOf<Kind>(c) & own))
        for (Bitboard capturers = attacksFrom<Kind>(p, c) & own; capturers;)
            out = emit(out, captureScore, encodeMove(CAPTURE, popSquare(capturers), c));
    if (block) {
        constexpr int blockScore = QUIET_SCORE - pieceValue[Code];
        for (Bitboard pieces = own; pieces;) {
            const int from = popSquare(pieces);
            if (!isKnight && !(raysOf<Kind>(from) & block)) continue;
            for (Bitboard targets = attacksFrom<Kind>(p, from) & block; targets;)
                out = emit(out, blockScore, encodeMove(QUIET, from, popSquare(targets)));
        }
    }
    return out;
}

}  // namespace

template <Colour Us>
ScoredMove* generateEvasions(const Position& p, ScoredMove* out, PlyFrame& frame) {
    constexpr const ColourRules& S = COLOUR_RULES[Us];
    constexpr int ownPawn = pieceOf(Us, PAWN), ownKing = pieceOf(Us, KING);
    const int king = p.kingSquare[Us];
    const Bitboard checkers = frame.checkers;
    Bitboard block = 0;

    if (!(checkers & (checkers - 1))) {
        const int c = lowestSquare(checkers);
        const int checker = p.board[c];
        // A distant slider can be blocked on the squares between it and the king.
        if (checker >= WBISHOP && !(kingAttacks[king] & squareMask[c]))
            block = frame.kingRookRays ? rookAttacksFrom(p, c) & frame.kingRookRays
                                       : bishopAttacksFrom(p, c) & frame.kingBishopRays;

        // The checker is the pawn that has just moved two squares: take it en passant.
        const int ep = p.epSquare;
        if (ep && c == ep - S.forward) {
            const int fromASide = ep - S.captureTowardsH, fromHSide = ep - S.captureTowardsA;
            if (columnOf(ep) != 0 && p.board[fromASide] == ownPawn)
                out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, fromASide, ep));
            if (columnOf(ep) != 7 && p.board[fromHSide] == ownPawn)
                out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, fromHSide, ep));
        }

        if (pawnAttackOrigins(Us, c) & p.pieces[ownPawn]) {
            const int gain = pieceValue[checker];
            const bool promotes = squareMask[c] & S.promotionRank;
            const int origins[2] = {columnOf(c) != 0 ? c - S.captureTowardsH : -1,
                                    columnOf(c) != 7 ? c - S.captureTowardsA : -1};
            for (int from : origins) {
                if (from < 0 || p.board[from] != ownPawn) continue;
                if (promotes)
                    out = emitPromotions(out, CAPTURE_PROMOTE_Q, from, c, gain);
                else
                    out = emit(out, gain - 9600, encodeMove(CAPTURE, from, c));
            }
        }

        out = pieceEvasions<Us, KNIGHT>(p, out, c, block);
        out = pieceEvasions<Us, BISHOP>(p, out, c, block);
        out = pieceEvasions<Us, ROOK>(p, out, c, block);
        out = pieceEvasions<Us, QUEEN>(p, out, c, block);

        if (block) {
            const Bitboard empty = ~p.occupiedAll;
            const Bitboard pushes = shifted(p.pieces[ownPawn], S.forward) & empty;
            for (Bitboard doubles = shifted(pushes & S.doublePushStop, S.forward) & empty & block; doubles;) {
                const int to = popSquare(doubles);
                out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - 2 * S.forward, to));
            }
            for (Bitboard promotions = pushes & block & S.promotionRank; promotions;) {
                const int to = popSquare(promotions);
                out = emitPromotions(out, PROMOTE_Q, to - S.forward, to, 0);
            }
            for (Bitboard singles = pushes & block & ~S.promotionRank; singles;) {
                const int to = popSquare(singles);
                out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - S.forward, to));
            }
        }
    }

    // King steps, off the block squares (they stay on the checking line) and away from the
    // enemy king. Captures of pieces worth less than a king go through the exchange evaluation.
    const Bitboard targets = kingAttacks[king] & ~kingAttacks[p.kingSquare[opposite(Us)]] & ~p.occupied[Us] & ~block;
    const Bitboard rookSliders = p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    const Bitboard bishopSliders = p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    for (Bitboard captures = targets & p.occupied[opposite(Us)]; captures;) {
        const int to = popSquare(captures);
        const int victimValue = pieceValue[p.board[to]];
        const int score = victimValue >= pieceValue[ownKing] - 50
                              ? victimValue - pieceValue[ownKing] - 9500
                              : staticExchange(p, ownKing, king, to, rookSliders, bishopSliders);
        out = emit(out, score, encodeMove(CAPTURE, king, to));
    }
    for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, king, popSquare(quiet)));
    return out;
}

template ScoredMove* generateEvasions<WHITE>(const Position&, ScoredMove*, PlyFrame&);
template ScoredMove* generateEvasions<BLACK>(const Position&, ScoredMove*, PlyFrame&);
