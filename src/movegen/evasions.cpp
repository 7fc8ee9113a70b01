#include "movegen/evasions.h"

#include "frames/frames.h"
#include "movegen/colourtraits.h"
#include "movegen/exchange.h"

using namespace movegen;

namespace {

constexpr int QUIET_SCORE = -30000;
constexpr int EN_PASSANT_SCORE = -9500;

// Captures of the checker on c by every own piece of one code that reaches it, then its moves
// onto the block squares. Interpositions score below the quiet moves by the piece's value.
template <int Us, int Code>
inline ScoredMove* pieceEvasions(ScoredMove* out, int c, Bitboard block) {
    const Position& p = position;
    const Bitboard own = p.pieces[Code];
    constexpr bool isKnight = Code == KNIGHT<Us>;
    constexpr bool isBishop = Code == BISHOP<Us>;
    constexpr bool isRook = Code == ROOK<Us>;
    auto lines = [](int s) { return isBishop ? bishopRays[s] : isRook ? rookRays[s] : queenRays[s]; };
    auto attacks = [](int s) {
        if constexpr (isKnight) return knightAttacks[s];
        else if constexpr (isBishop) return bishopAttacksFrom(s);
        else if constexpr (isRook) return rookAttacksFrom(s);
        else return queenAttacksFrom(s);
    };

    const int captureScore = pieceValue[p.board[c]] - pieceValue[Code] - 9500;
    if (isKnight || (lines(c) & own))
        for (Bitboard capturers = attacks(c) & own; capturers;)
            out = emit(out, captureScore, encodeMove(CAPTURE, popSquare(capturers), c));
    if (block) {
        constexpr int blockScore = QUIET_SCORE - pieceValue[Code];
        for (Bitboard pieces = own; pieces;) {
            const int from = popSquare(pieces);
            if (!isKnight && !(lines(from) & block)) continue;
            for (Bitboard targets = attacks(from) & block; targets;)
                out = emit(out, blockScore, encodeMove(QUIET, from, popSquare(targets)));
        }
    }
    return out;
}

}  // namespace

template <int Us>
ScoredMove* generateEvasions(ScoredMove* out, PlyFrame& frame) {
    using S = Side<Us>;
    const Position& p = position;
    const int king = p.kingSquare[Us];
    const Bitboard checkers = frame.checkers;
    Bitboard block = 0;

    if (!(checkers & (checkers - 1))) {
        const int c = lowestSquare(checkers);
        const int checker = p.board[c];
        // A distant slider can be blocked on the squares between it and the king.
        if (checker >= WBISHOP && !(kingAttacks[king] & squareMask[c]))
            block = frame.kingRookRays ? rookAttacksFrom(c) & frame.kingRookRays
                                       : bishopAttacksFrom(c) & frame.kingBishopRays;

        // The checker is the pawn that has just moved two squares: take it en passant.
        const int ep = p.epSquare;
        if (ep && c == ep - S::FORWARD) {
            const int fromASide = ep - S::CAPTURE_TOWARDS_H, fromHSide = ep - S::CAPTURE_TOWARDS_A;
            if (columnOf(ep) != 0 && p.board[fromASide] == PAWN<Us>)
                out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, fromASide, ep));
            if (columnOf(ep) != 7 && p.board[fromHSide] == PAWN<Us>)
                out = emit(out, EN_PASSANT_SCORE, encodeMove(EN_PASSANT, fromHSide, ep));
        }

        if (S::pawnsHitting(c) & p.pieces[PAWN<Us>]) {
            const int gain = pieceValue[checker];
            const bool promotes = squareMask[c] & S::PROMOTION_RANK;
            const int origins[2] = {columnOf(c) != 0 ? c - S::CAPTURE_TOWARDS_H : -1,
                                    columnOf(c) != 7 ? c - S::CAPTURE_TOWARDS_A : -1};
            for (int from : origins) {
                if (from < 0 || p.board[from] != PAWN<Us>) continue;
                if (promotes)
                    out = emitPromotions(out, CAPTURE_PROMOTE_Q, from, c, gain);
                else
                    out = emit(out, gain - 9600, encodeMove(CAPTURE, from, c));
            }
        }

        out = pieceEvasions<Us, KNIGHT<Us>>(out, c, block);
        out = pieceEvasions<Us, BISHOP<Us>>(out, c, block);
        out = pieceEvasions<Us, ROOK<Us>>(out, c, block);
        out = pieceEvasions<Us, QUEEN<Us>>(out, c, block);

        if (block) {
            const Bitboard empty = ~p.occupiedAll;
            const Bitboard pushes = S::pushed(p.pieces[PAWN<Us>]) & empty;
            for (Bitboard doubles = S::pushed(pushes & S::DOUBLE_PUSH_STOP) & empty & block; doubles;) {
                const int to = popSquare(doubles);
                out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - 2 * S::FORWARD, to));
            }
            for (Bitboard promotions = pushes & block & S::PROMOTION_RANK; promotions;) {
                const int to = popSquare(promotions);
                out = emitPromotions(out, PROMOTE_Q, to - S::FORWARD, to, 0);
            }
            for (Bitboard singles = pushes & block & ~S::PROMOTION_RANK; singles;) {
                const int to = popSquare(singles);
                out = emit(out, QUIET_SCORE, encodeMove(QUIET, to - S::FORWARD, to));
            }
        }
    }

    // King steps, off the block squares (they stay on the checking line) and away from the
    // enemy king. Captures of pieces worth less than a king go through the exchange evaluation.
    const Bitboard targets = kingAttacks[king] & ~kingAttacks[p.kingSquare[Us ^ 1]] & ~p.occupied[Us] & ~block;
    const Bitboard rookSliders = p.pieces[WROOK] | p.pieces[BROOK] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    const Bitboard bishopSliders = p.pieces[WBISHOP] | p.pieces[BBISHOP] | p.pieces[WQUEEN] | p.pieces[BQUEEN];
    for (Bitboard captures = targets & p.occupied[Us ^ 1]; captures;) {
        const int to = popSquare(captures);
        const int victimValue = pieceValue[p.board[to]];
        const int score = victimValue >= pieceValue[KING<Us>] - 50
                              ? victimValue - pieceValue[KING<Us>] - 9500
                              : staticExchange(KING<Us>, king, to, rookSliders, bishopSliders);
        out = emit(out, score, encodeMove(CAPTURE, king, to));
    }
    for (Bitboard quiet = targets & ~p.occupiedAll; quiet;)
        out = emit(out, QUIET_SCORE, encodeMove(QUIET, king, popSquare(quiet)));
    return out;
}

template ScoredMove* generateEvasions<WHITE>(ScoredMove*, PlyFrame&);
template ScoredMove* generateEvasions<BLACK>(ScoredMove*, PlyFrame&);
