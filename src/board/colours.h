// Everything that differs between White and Black, in one table: the way their pawns go, the
// ranks that matter to them and the tables seen from their side (their castlings are in
// board/castling.h). Code that knows the colour at compile time takes it as a template parameter (template <Colour Us>) and reads
// COLOUR_RULES[Us].
#pragma once

#include "board/attacks.h"

struct ColourRules {
    int forward;                   // a pawn's push goes from s to s + forward
    int captureTowardsA;           // its capture towards the a-file goes from s to s + this
    int captureTowardsH;           // ... towards the h-file
    Bitboard promotionRank;
    Bitboard doublePushStop;       // the rank a double push crosses
    const Bitboard* pawnAttacks;   // squares a pawn of the colour on s attacks
    const Bitboard* passedMask;    // own and adjacent files ahead of s
    const Bitboard* frontFile;     // own file ahead of s
};

// Indexed by colour. Steps are differences of square numbers (a8 = 0, h1 = 63).
inline constexpr ColourRules COLOUR_RULES[2] = {
    {8, 7, 9, rankBits(1), rankBits(6), blackPawnAttacks, blackPassedMask, blackFrontFile},
    {-8, -9, -7, rankBits(8), rankBits(3), whitePawnAttacks, whitePassedMask, whiteFrontFile},
};

// Every square of b moved by `step` (squares that leave the board are lost; a step sideways must
// first drop the file it would wrap from).
constexpr Bitboard shifted(Bitboard b, int step) { return step < 0 ? b << -step : b >> step; }

// A square, and its rank, seen from the side of `colour`: tables written from White's side are
// read for Black at the square turned round (a1 is h8).
constexpr int relativeSquare(Colour colour, int s) { return colour == WHITE ? s : 63 - s; }
constexpr int relativeRank(Colour colour, int s) { return rankOf(relativeSquare(colour, s)); }

// The squares from which a pawn of `by` attacks s: where a pawn of the other colour on s attacks.
inline Bitboard pawnAttackOrigins(Colour by, int s) { return COLOUR_RULES[opposite(by)].pawnAttacks[s]; }
