#include "movegen/exchange.h"

#include "board/colours.h"
#include "eval/tables.h"

namespace {

constexpr int16_t KING_INTO_DEFENDED = -32767;
constexpr int EVEN_TRADE = -29985;
constexpr int GAIN_BASE = -9500;
constexpr int LOSS_BASE = -30000;

// Scores are 16-bit and wrap like the values they stand for.
inline int16_t asScore(int value) { return int16_t(uint16_t(value)); }

// A slider that stood behind a piece leaving `from` now sees `to`: add those the lines through
// both squares lead to. Returns what was added.
inline Bitboard uncoverDiagonal(const Position& p, int from, int to, Bitboard& sliders, Bitboard& attackers) {
    const Bitboard candidates = bishopRays[from] & bishopRays[to] & sliders;
    if (!candidates) return 0;
    const Bitboard added = candidates & bishopAttacksFrom(p, from);
    attackers |= added;
    return added;
}

inline Bitboard uncoverStraight(const Position& p, int from, int to, Bitboard& sliders, Bitboard& attackers) {
    const Bitboard candidates = rookRays[from] & rookRays[to] & sliders;
    if (!candidates) return 0;
    const Bitboard added = candidates & rookAttacksFrom(p, from);
    attackers |= added;
    return added;
}

// A piece of `kind` leaves `from` to capture on `to`: the slider it stood in front of, on the line
// through both squares, joins the attackers and leaves the sliders still to uncover. Returns the
// kind of line (ROOK or BISHOP) the one uncovered stands on, KING for none.
inline PieceKind uncoverBehind(const Position& p, PieceKind kind, int from, int to, Bitboard& rookSliders,
                               Bitboard& bishopSliders, Bitboard& attackers) {
    switch (kind) {
        case PAWN:
        case BISHOP:
            if (const Bitboard added = uncoverDiagonal(p, from, to, bishopSliders, attackers)) {
                bishopSliders &= ~added;
                return BISHOP;
            }
            return KING;
        case ROOK:
            if (const Bitboard added = uncoverStraight(p, from, to, rookSliders, attackers)) {
                rookSliders &= ~added;
                return ROOK;
            }
            return KING;
        case QUEEN:
            if (const Bitboard added = uncoverStraight(p, from, to, rookSliders, attackers)) {
                rookSliders &= ~added;
                return ROOK;
            }
            if (const Bitboard added = uncoverDiagonal(p, from, to, bishopSliders, attackers)) {
                bishopSliders &= ~added;
                return BISHOP;
            }
            return KING;
        default:
            return KING;
    }
}

}  // namespace

int16_t staticExchange(const Position& p, int code, int from, int to, Bitboard rookSliders, Bitboard bishopSliders) {
    const Colour mover = p.sideToMove;
    const Colour opponent = opposite(mover);
    const int victim = p.board[to];
    // Both colours read a kind's table at the square as given. (Looking the set up again for
    // each read is cheaper than keeping it at hand through the exchange.)
    auto pst = [&p](int code, int square) { return pieceSquareValue(p, code, square); };
    int16_t swapList[32];
    swapList[0] = pieceValue[victim];
    int pstDelta = -pst(code, from);

    Bitboard attackers = (bishopAttacksFrom(p, to) & bishopSliders) | (rookAttacksFrom(p, to) & rookSliders) |
                         (kingAttacks[to] & (squareMask[p.kingSquare[WHITE]] | squareMask[p.kingSquare[BLACK]])) |
                         (knightAttacks[to] & (p.pieces[WKNIGHT] | p.pieces[BKNIGHT]));
    const Bitboard pawns =
        ((pawnAttackOrigins(BLACK, to) & p.pieces[BPAWN]) | (pawnAttackOrigins(WHITE, to) & p.pieces[WPAWN])) &
        ~squareMask[from];
    attackers |= pawns;
    // Each side's search for its cheapest capturer starts at this code and only rises, but for a
    // slider uncovered behind a queen (lookAgainFrom).
    int nextAttacker[2];
    for (Colour c : {BLACK, WHITE}) nextAttacker[c] = pieceOf(c, pawns ? PAWN : KNIGHT);
    auto lookAgainFrom = [&nextAttacker](PieceKind kind) {
        for (Colour c : {BLACK, WHITE})
            if (nextAttacker[c] > pieceOf(c, kind)) nextAttacker[c] = pieceOf(c, kind);
    };
    attackers &= ~squareMask[from];

    if (kindOf(code) == KING) {
        if (attackers & p.occupied[opponent]) return KING_INTO_DEFENDED;
    } else {
        const PieceKind moving = kindOf(code);
        if (moving == PAWN && (squareMask[to] & COLOUR_RULES[pieceColour(code)].promotionRank)) {
            swapList[0] = int16_t(swapList[0] + 800);
            code = pieceOf(mover, QUEEN);
        }
        // The mover leaves its line for good.
        rookSliders &= ~squareMask[from];
        bishopSliders &= ~squareMask[from];
        uncoverBehind(p, moving, from, to, rookSliders, bishopSliders, attackers);
    }
    pstDelta += pst(code, to);

    // Nothing of the opponent answers: the move keeps what it takes.
    if (!(attackers & p.occupied[opponent])) {
        if (swapList[0] == 0) return asScore(EVEN_TRADE + pstDelta);
        if (victim) pstDelta += pst(victim, to);
        return asScore(swapList[0] + GAIN_BASE + pstDelta);
    }

    // Pieces that already attack can no longer be uncovered.
    rookSliders &= ~attackers;
    bishopSliders &= ~attackers;
    int n = 1;
    Colour side = opponent;
    int onSquare = code;

    while (attackers) {
        // The side's cheapest capturer, resuming where its last search stopped.
        int capturer = 0, square = 0;
        for (int c = nextAttacker[side]; c <= pieceOf(side, QUEEN); c += 2) {
            const Bitboard found = p.pieces[c] & attackers;
            if (found) {
                capturer = c;
                square = lowestSquare(found);
                attackers &= ~squareMask[square];
                break;
            }
        }
        if (!capturer) {
            // Only the king is left; it may take only where nothing else attacks.
            square = p.kingSquare[side];
            if (!(kingAttacks[to] & squareMask[square])) break;
            attackers &= ~squareMask[square];
            if (attackers) break;
            capturer = pieceOf(side, KING);
        }
        nextAttacker[side] = capturer;
        swapList[n] = int16_t(pieceValue[onSquare] - swapList[n - 1]);

        // A capture that wins more than 50 even if the capturer is lost decides the exchange.
        if (swapList[n] - pieceValue[capturer] > 50) {
            if (side == mover) {
                if (swapList[0] == 0) return asScore(EVEN_TRADE + pstDelta);
                if (victim) pstDelta += pst(victim, to);
                return asScore(swapList[n - 2] + GAIN_BASE + pstDelta);
            }
            return asScore((pieceValue[capturer] >> 1) - swapList[n] + LOSS_BASE + pstDelta);
        }

        // A slider uncovered behind a queen may be cheaper than the queen: look again from its kind.
        const PieceKind capturing = kindOf(capturer);
        const PieceKind line = uncoverBehind(p, capturing, square, to, rookSliders, bishopSliders, attackers);
        if (capturing == QUEEN && line != KING) lookAgainFrom(line);

        onSquare = capturer;
        side = opposite(side);
        ++n;
        if (!(attackers & p.occupied[side])) break;
    }

    // Each side may stop capturing when going on would lose.
    for (int k = n - 1; k >= 1; --k)
        if (swapList[k - 1] > -swapList[k]) swapList[k - 1] = int16_t(-swapList[k]);
    const int gain = swapList[0];
    if (gain == 0) return asScore(EVEN_TRADE + pstDelta);
    if (gain > -50) {
        if (victim) pstDelta += pst(victim, to);
        return asScore(gain + GAIN_BASE + pstDelta);
    }
    return asScore(gain + LOSS_BASE + pstDelta);
}
