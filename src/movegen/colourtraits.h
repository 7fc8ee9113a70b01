// What differs between White and Black when moves are generated: direction, ranks, squares, codes.
// Shared by the generators of the movegen directory; not a public interface.
#pragma once

#include "board/attacks.h"

namespace movegen {

constexpr Bitboard FILE_A = 0x8080808080808080ULL;
constexpr Bitboard FILE_H = 0x0101010101010101ULL;
constexpr Bitboard RANK_8 = 0xFF00000000000000ULL;
constexpr Bitboard RANK_7 = 0x00FF000000000000ULL;
constexpr Bitboard RANK_6 = 0x0000FF0000000000ULL;
constexpr Bitboard RANK_3 = 0x0000000000FF0000ULL;
constexpr Bitboard RANK_2 = 0x000000000000FF00ULL;
constexpr Bitboard RANK_1 = 0x00000000000000FFULL;

template <int Us>
struct Side;

template <>
struct Side<WHITE> {
    static constexpr int FORWARD = -8;             // a push goes from s to s - 8
    static constexpr int CAPTURE_TOWARDS_A = -9;
    static constexpr int CAPTURE_TOWARDS_H = -7;
    static constexpr Bitboard PROMOTION_RANK = RANK_8;
    static constexpr Bitboard LAST_BUT_ONE_RANK = RANK_7;
    static constexpr Bitboard DOUBLE_PUSH_STOP = RANK_3;   // a pawn that reaches it may go on
    // Bitboards run from h1 (bit 0) upwards, so a step towards rank 8 is a left shift.
    static constexpr Bitboard pushed(Bitboard b) { return b << 8; }
    static constexpr Bitboard capturedTowardsA(Bitboard b) { return (b & ~FILE_A) << 9; }
    static constexpr Bitboard capturedTowardsH(Bitboard b) { return (b & ~FILE_H) << 7; }
    // Own pawns that attack a square: where an enemy pawn on that square would hit.
    static Bitboard pawnsHitting(int s) { return blackPawnAttacks[s]; }
};

template <>
struct Side<BLACK> {
    static constexpr int FORWARD = 8;
    static constexpr int CAPTURE_TOWARDS_A = 7;
    static constexpr int CAPTURE_TOWARDS_H = 9;
    static constexpr Bitboard PROMOTION_RANK = RANK_1;
    static constexpr Bitboard LAST_BUT_ONE_RANK = RANK_2;
    static constexpr Bitboard DOUBLE_PUSH_STOP = RANK_6;
    static constexpr Bitboard pushed(Bitboard b) { return b >> 8; }
    static constexpr Bitboard capturedTowardsA(Bitboard b) { return (b & ~FILE_A) >> 7; }
    static constexpr Bitboard capturedTowardsH(Bitboard b) { return (b & ~FILE_H) >> 9; }
    static Bitboard pawnsHitting(int s) { return whitePawnAttacks[s]; }
};

// Piece codes of a colour.
template <int Us> constexpr int PAWN = BPAWN - Us;
template <int Us> constexpr int KNIGHT = BKNIGHT - Us;
template <int Us> constexpr int BISHOP = BBISHOP - Us;
template <int Us> constexpr int ROOK = BROOK - Us;
template <int Us> constexpr int QUEEN = BQUEEN - Us;
template <int Us> constexpr int KING = BKING - Us;

inline ScoredMove* emit(ScoredMove* out, int score, Move move) {
    out->score = int16_t(score);
    out->move = move;
    return out + 1;
}

// Four promotion entries in the order queen, knight, rook, bishop. `base` is PROMOTE_Q or
// CAPTURE_PROMOTE_Q; `gain` the victim's exchange value (0 for a push).
inline ScoredMove* emitPromotions(ScoredMove* out, int base, int from, int to, int gain) {
    out = emit(out, gain - 9401, encodeMove(base, from, to));
    out = emit(out, gain - 30005, encodeMove(base + 1, from, to));
    out = emit(out, gain - 30025, encodeMove(base + 2, from, to));
    return emit(out, gain - 30050, encodeMove(base + 3, from, to));
}

}  // namespace movegen
