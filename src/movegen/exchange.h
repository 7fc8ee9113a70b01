// Static exchange evaluation: what a move wins or loses on its square, as an ordering score.
#pragma once

#include "board/position.h"

// Exchange value by piece code: pawn 100, knight 310, bishop 315, rook 500, queen 940, king 2000.
inline constexpr int16_t pieceValue[13] = {0, 100, 100, 310, 310, 315, 315, 500, 500, 940, 940, 2000, 2000};

// Score, in position `p`, of the side to move's piece `code` going from `from` to `to` when both sides then keep
// capturing there, cheapest piece first. The sliders are the rooks and queens, and the bishops and
// queens, of both colours. Gains above -50 land at -9500 + gain, an even trade just above the quiet
// moves (-29985), losses below them (-30000 + loss); a king taking a defended piece gets -32767.
int16_t staticExchange(const Position& p, int code, int from, int to, Bitboard rookSliders, Bitboard bishopSliders);
