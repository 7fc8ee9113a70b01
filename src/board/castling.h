// Castling, written once: the rights kept in castleFlags, and what a castling is for any start of
// king and rook on the back rank. A game's four castlings are derived from this one description
// when the game is set up (castlingRules): at compile time for normal chess, from the FEN's rights
// for Chess960. Every square set, key square, move code and occupancy word that make, unmake, the
// legality test, the generators, set-up and notation use comes from there.
#pragma once

#include "board/squares.h"
#include "ground/types.h"

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

// The short castling goes towards the h-file, the long one towards the a-file.
enum CastlingSide : int { SHORT_SIDE = 0, LONG_SIDE = 1 };

// Normal chess: king on e, rooks in the corners, a castling written as the king's step (e1g1).
// Chess960: king and rooks anywhere on the back rank, the king between them, a castling written as
// the king taking its own rook (e1h1, b1a1), which names it even where the king does not move.
enum Variant : uint8_t { NORMAL_CHESS = 0, CHESS960 = 1 };

// One castling of a game. King and rook start on their back rank, the rook on the side the
// castling goes to; they land where they land in normal chess, the king on g or c, the rook on f
// or d. Every square either crosses or lands on is empty but for the two of them; the king may
// not start on, cross or land on an attacked square.
struct Castling {
    Colour colour;
    CastlingSide side;
    uint8_t kingFrom, kingTo;
    uint8_t rookFrom, rookTo;
    uint8_t king, rook;             // their piece codes
    uint16_t right;                 // the right it needs (and spends)
    uint16_t castledSide;           // the marker it leaves until taken back
    uint16_t otherRight;            // the colour's other right, given up by castling
    uint8_t otherRightKey;          // the square of that right's key in zobrist row 0
    char letter;                    // its right in a FEN text where its rook is the outermost one
    Move move;                      // its code: the castling's type, the king's square, and where
                                    // the king lands (normal chess) or the rook's square (Chess960)
    Bitboard mustBeEmpty;           // the squares king and rook cross or land on, but their own
    Bitboard kingPath;              // the squares the king crosses and lands on
    Bitboard kingUnattacked;        // its start and the squares it crosses: not attacked before
                                    // the move (where it lands: not attacked after it)
    Bitboard occupancy;             // the squares it empties or fills, in each order
    Bitboard occupancy90, occupancyA1H8, occupancyA8H1;
    Bitboard rookSquares;           // the rook's start and landing square (none where it stays)
    bool operator==(const Castling&) const = default;
};

// A rook's start and the right that goes when it leaves or is taken there.
struct RookHome {
    uint8_t right;
    uint8_t keySquare;              // the square of the right's key in zobrist row 0
    bool operator==(const RookHome&) const = default;
};

// The castlings of one game, derived once when it is set up.
struct CastlingRules {
    uint64_t homeSquares;           // bit s: a castling's rook starts on square s (asked by most
                                    // moves, so first, beside the position's busiest fields)
    Castling castlings[4];          // by move type - CASTLE_BLACK_SHORT, which is 2 * side + colour
    RookHome homes[64];             // by square, for the squares of homeSquares
    Variant variant;
    bool fileLetters;               // Chess960 rights written as rook files ("HAha"), not as "KQkq"
    bool operator==(const CastlingRules&) const = default;
};

namespace castlingDetail {

constexpr int backRankSquare(Colour colour, int file) { return colour == WHITE ? 56 + file : file; }

// The squares strictly between two squares of one rank.
constexpr Bitboard squaresBetween(int a, int b) {
    Bitboard between = 0;
    for (int s = (a < b ? a : b) + 1; s < (a < b ? b : a); ++s) between |= squareBit(s);
    return between;
}

// The squares a castling empties or fills, in the order that `bit` gives (squareBit, or one of
// the rotated orders): king and rook leave two squares and take two, some of them the same.
constexpr Bitboard changedSquares(int kingFrom, int kingTo, int rookFrom, int rookTo, Bitboard (*bit)(int)) {
    return (bit(kingFrom) | bit(rookFrom)) ^ (bit(kingTo) | bit(rookTo));
}

constexpr uint16_t RIGHTS[2][2] = {{BLACK_SHORT, BLACK_LONG}, {WHITE_SHORT, WHITE_LONG}};   // [colour][side]
constexpr uint16_t CASTLED_SIDES[2][2] = {{BLACK_CASTLED_SHORT, BLACK_CASTLED_LONG},
                                          {WHITE_CASTLED_SHORT, WHITE_CASTLED_LONG}};
constexpr char LETTERS[2][2] = {{'k', 'q'}, {'K', 'Q'}};
constexpr int KING_LANDS[2] = {6, 2};   // files g and c, by side
constexpr int ROOK_LANDS[2] = {5, 3};   // files f and d

}  // namespace castlingDetail

// The right a castling needs.
constexpr uint16_t castlingRight(Colour colour, CastlingSide side) { return castlingDetail::RIGHTS[colour][side]; }

// The square of a right's key in zobrist row 0: where the king of its castling lands.
constexpr int rightKeySquare(Colour colour, CastlingSide side) {
    return castlingDetail::backRankSquare(colour, castlingDetail::KING_LANDS[side]);
}

// The castling of `colour` on `side` whose king starts on file `kingFile` and rook on `rookFile`.
constexpr Castling castlingFrom(Colour colour, CastlingSide side, int kingFile, int rookFile, Variant variant) {
    using namespace castlingDetail;
    const CastlingSide other = CastlingSide(1 - side);
    Castling c{};
    c.colour = colour;
    c.side = side;
    c.kingFrom = uint8_t(backRankSquare(colour, kingFile));
    c.kingTo = uint8_t(backRankSquare(colour, KING_LANDS[side]));
    c.rookFrom = uint8_t(backRankSquare(colour, rookFile));
    c.rookTo = uint8_t(backRankSquare(colour, ROOK_LANDS[side]));
    c.king = uint8_t(pieceOf(colour, KING));
    c.rook = uint8_t(pieceOf(colour, ROOK));
    c.right = RIGHTS[colour][side];
    c.castledSide = CASTLED_SIDES[colour][side];
    c.otherRight = RIGHTS[colour][other];
    c.otherRightKey = uint8_t(rightKeySquare(colour, other));
    c.letter = LETTERS[colour][side];
    c.move = encodeMove(CASTLE_BLACK_SHORT + 2 * side + colour, c.kingFrom, variant == CHESS960 ? c.rookFrom : c.kingTo);
    const Bitboard kingAndRook = squareBit(c.kingFrom) | squareBit(c.rookFrom);
    c.kingPath = squaresBetween(c.kingFrom, c.kingTo) | squareBit(c.kingTo);
    c.mustBeEmpty = (c.kingPath | squaresBetween(c.rookFrom, c.rookTo) | squareBit(c.rookTo)) & ~kingAndRook;
    c.kingUnattacked = squaresBetween(c.kingFrom, c.kingTo) | squareBit(c.kingFrom);
    c.occupancy = changedSquares(c.kingFrom, c.kingTo, c.rookFrom, c.rookTo, squareBit);
    c.occupancy90 = changedSquares(c.kingFrom, c.kingTo, c.rookFrom, c.rookTo, squareBit90);
    c.occupancyA1H8 = changedSquares(c.kingFrom, c.kingTo, c.rookFrom, c.rookTo, squareBitA1H8);
    c.occupancyA8H1 = changedSquares(c.kingFrom, c.kingTo, c.rookFrom, c.rookTo, squareBitA8H1);
    c.rookSquares = squareBit(c.rookFrom) ^ squareBit(c.rookTo);
    return c;
}

// Where a game's kings and castling rooks start, by file: kingFile[colour], rookFile[2 * side +
// colour]. A castling without its right may take any files (those of normal chess, say).
struct CastlingStart {
    int kingFile[2];
    int rookFile[4];
};
inline constexpr CastlingStart NORMAL_START = {{4, 4}, {7, 7, 0, 0}};

// A game's four castlings and its rooks' homes, from where its kings and rooks start.
constexpr CastlingRules castlingRules(const CastlingStart& start, Variant variant, bool fileLetters) {
    CastlingRules rules{};
    for (int i = 0; i < 4; ++i) {
        const Colour colour = Colour(i & 1);
        Castling& c = rules.castlings[i];
        c = castlingFrom(colour, CastlingSide(i >> 1), start.kingFile[colour], start.rookFile[i], variant);
        rules.homeSquares |= uint64_t(1) << c.rookFrom;
        rules.homes[c.rookFrom] = {uint8_t(c.right), c.kingTo};
    }
    rules.variant = variant;
    rules.fileLetters = fileLetters;
    return rules;
}

// Normal chess's castlings.
inline constexpr CastlingRules NORMAL_CASTLING_RULES = castlingRules(NORMAL_START, NORMAL_CHESS, false);

// A castling of a game, by colour and side or by its move.
constexpr const Castling& castlingOf(const CastlingRules& rules, Colour colour, CastlingSide side) {
    return rules.castlings[2 * side + colour];
}
constexpr const Castling& castlingOf(const CastlingRules& rules, Move castling) {
    return rules.castlings[moveType(castling) - CASTLE_BLACK_SHORT];
}

// The castling of the game whose move goes from `from` to `to` (as written in its notation) while
// its right in `flags` stands, or 0.
constexpr Move castlingByText(const CastlingRules& rules, int from, int to, uint16_t flags) {
    for (const Castling& c : rules.castlings)
        if (from == moveFrom(c.move) && to == moveTo(c.move) && (flags & c.right)) return c.move;
    return 0;
}

// Normal chess's castling moves.
inline constexpr Move WHITE_SHORT_CASTLING = castlingOf(NORMAL_CASTLING_RULES, WHITE, SHORT_SIDE).move;
inline constexpr Move WHITE_LONG_CASTLING = castlingOf(NORMAL_CASTLING_RULES, WHITE, LONG_SIDE).move;
inline constexpr Move BLACK_SHORT_CASTLING = castlingOf(NORMAL_CASTLING_RULES, BLACK, SHORT_SIDE).move;
inline constexpr Move BLACK_LONG_CASTLING = castlingOf(NORMAL_CASTLING_RULES, BLACK, LONG_SIDE).move;
static_assert(WHITE_SHORT_CASTLING == 0xDF3E && BLACK_LONG_CASTLING == 0xE102);
