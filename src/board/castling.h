// Castling, written once: the rights kept in castleFlags and the four castlings. Every square
// set, flag set, key square, move code and occupancy word that make, unmake, the legality test,
// the generators, set-up and notation use is derived from CASTLINGS at compile time.
#pragma once

#include "board/attacks.h"

// castleFlags bits: the rights that still stand, and the side a colour has castled on (set by
// the castling, kept until it is taken back).
enum CastleFlag : uint16_t {
    WHITE_SHORT = 0x01,
    WHITE_LONG = 0x02,
    BLACK_SHORT = 0x04,
    BLACK_LONG = 0x08,
    WHITE_CASTLED_SHORT = 0x10,
    WHITE_CASTLED_LONG = 0x20,
    BLACK_CASTLED_SHORT = 0x40,
    BLACK_CASTLED_LONG = 0x80,
};
constexpr uint16_t CASTLE_RIGHTS = WHITE_SHORT | WHITE_LONG | BLACK_SHORT | BLACK_LONG;

enum CastlingSide : int { SHORT_SIDE = 0, LONG_SIDE = 1 };

// One castling as the rules have it: king and rook on their home squares, every square between
// them empty; the king may not start on, cross or land on an attacked square.
struct Castling {
    Colour colour;
    CastlingSide side;
    uint8_t kingFrom, kingTo;
    uint8_t rookFrom, rookTo;
    uint16_t right;          // the right it needs (and spends)
    uint16_t castledSide;    // the marker it leaves until taken back
    char letter;             // its right in a FEN text
};

// By move type - CASTLE_BLACK_SHORT, which is 2 * side + colour.
inline constexpr Castling CASTLINGS[4] = {
    {BLACK, SHORT_SIDE, squareNamed("e8"), squareNamed("g8"), squareNamed("h8"), squareNamed("f8"),
     BLACK_SHORT, BLACK_CASTLED_SHORT, 'k'},
    {WHITE, SHORT_SIDE, squareNamed("e1"), squareNamed("g1"), squareNamed("h1"), squareNamed("f1"),
     WHITE_SHORT, WHITE_CASTLED_SHORT, 'K'},
    {BLACK, LONG_SIDE, squareNamed("e8"), squareNamed("c8"), squareNamed("a8"), squareNamed("d8"),
     BLACK_LONG, BLACK_CASTLED_LONG, 'q'},
    {WHITE, LONG_SIDE, squareNamed("e1"), squareNamed("c1"), squareNamed("a1"), squareNamed("d1"),
     WHITE_LONG, WHITE_CASTLED_LONG, 'Q'},
};

constexpr const Castling& castlingOf(Colour colour, CastlingSide side) { return CASTLINGS[2 * side + colour]; }
constexpr const Castling& castlingOf(Move castling) { return CASTLINGS[moveType(castling) - CASTLE_BLACK_SHORT]; }

// The castling of the same colour on the other side.
constexpr const Castling& otherCastling(const Castling& c) { return castlingOf(c.colour, CastlingSide(1 - c.side)); }

// The square of its right's key in zobrist row 0: where its king lands.
constexpr int rightKeySquare(const Castling& c) { return c.kingTo; }

// Its move code: the king's step, with the castling's move type.
constexpr Move castlingMove(const Castling& c) {
    return encodeMove(CASTLE_BLACK_SHORT + 2 * c.side + c.colour, c.kingFrom, c.kingTo);
}

// The squares strictly between two squares of one rank.
constexpr Bitboard squaresBetween(int a, int b) {
    Bitboard between = 0;
    for (int s = (a < b ? a : b) + 1; s < (a < b ? b : a); ++s) between |= squareBit(s);
    return between;
}

// The squares that must be empty: all between king and rook.
constexpr Bitboard emptyPath(const Castling& c) { return squaresBetween(c.kingFrom, c.rookFrom); }

// The square the king crosses, and with the one it lands on its whole path.
constexpr int kingCrossing(const Castling& c) { return (c.kingFrom + c.kingTo) / 2; }
constexpr Bitboard kingPath(const Castling& c) { return squaresBetween(c.kingFrom, c.kingTo) | squareBit(c.kingTo); }

// The four squares a castling empties or fills, as a bitboard in the order that `bit` gives
// (squareBit, or one of the rotated orders).
constexpr Bitboard castlingSquares(const Castling& c, Bitboard (*bit)(int)) {
    return bit(c.kingFrom) | bit(c.kingTo) | bit(c.rookFrom) | bit(c.rookTo);
}

// The castling that a king's step from `from` to `to` stands for while its right in `flags`
// stands, or 0.
constexpr Move castlingByKingStep(int from, int to, uint16_t flags) {
    for (const Castling& c : CASTLINGS)
        if (from == c.kingFrom && to == c.kingTo && (flags & c.right)) return castlingMove(c);
    return 0;
}

inline constexpr Move WHITE_SHORT_CASTLING = castlingMove(castlingOf(WHITE, SHORT_SIDE));
inline constexpr Move WHITE_LONG_CASTLING = castlingMove(castlingOf(WHITE, LONG_SIDE));
inline constexpr Move BLACK_SHORT_CASTLING = castlingMove(castlingOf(BLACK, SHORT_SIDE));
inline constexpr Move BLACK_LONG_CASTLING = castlingMove(castlingOf(BLACK, LONG_SIDE));
