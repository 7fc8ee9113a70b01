#include "book/san.h"

#include "board/castling.h"
#include "board/colours.h"

namespace {

constexpr int SAN_TEXT_LIMIT = 9;            // characters of the text that are read
constexpr const char* IGNORED = "x+#!?=";    // captures, checks, comments, promotion sign

bool isFile(char c) { return c >= 'a' && c <= 'h'; }
bool isRank(char c) { return c >= '1' && c <= '8'; }
bool isSquare(const char* text) { return isFile(text[0]) && isRank(text[1]); }

constexpr Bitboard fileMask(int column) { return FILE_A >> column; }

constexpr Bitboard ALL_SQUARES = ~Bitboard(0);

// Promotion type of a push for a piece letter, either case; 0 when it names no promotion.
int promotionType(char c) {
    switch (c) {
        case 'Q': case 'q': return PROMOTE_Q;
        case 'N': case 'n': return PROMOTE_N;
        case 'R': case 'r': return PROMOTE_R;
        case 'B': case 'b': return PROMOTE_B;
        default: return 0;
    }
}

// The square one rank nearer the mover's own side, or -1 off the board.
int squareBehind(const Position& p, int square) {
    const int behind = square - COLOUR_RULES[p.sideToMove].forward;
    return behind >= 0 && behind < 64 ? behind : -1;
}

bool same(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

// The side to move's castling, when its right is still there.
Move ownCastling(const Position& p, CastlingSide side) {
    const Castling& c = castlingOf(p.castling, p.sideToMove, side);
    return (p.castleFlags & c.right) ? c.move : 0;
}

// "e4": the pawn behind the square, or the one two squares behind for a double push.
Move pawnPush(const Position& p, const char* text) {
    if (!isSquare(text)) return 0;
    const int to = squareNamed(text);
    int from = squareBehind(p, to);
    if (from < 0) return 0;
    if (!isPawn(p.board[from])) from = squareBehind(p, from);
    return from < 0 ? 0 : encodeMove(QUIET, from, to);
}

// "e8Q": a promotion by a push.
Move pushPromotion(const Position& p, const char* text) {
    const int to = squareNamed(text);
    const int from = squareBehind(p, to);
    return from < 0 ? 0 : encodeMove(promotionType(text[2]), from, to);
}

// "ed8Q": a promotion by a capture from the file of the first letter.
Move capturePromotion(const Position& p, const char* text) {
    const int to = squareNamed(text + 1);
    const int behind = squareBehind(p, to);
    if (behind < 0) return 0;
    const int from = behind - columnOf(behind) + (text[0] - 'a');
    const int type = promotionType(text[3]) + (p.board[to] != EMPTY ? 4 : 0);
    return encodeMove(type, from, to);
}

// "Nbd2", "R1e2": a piece move whose origin file or rank is named.
Move restrictedPieceMove(const Position& p, const char* text) {
    if (!isSquare(text + 2)) return 0;
    Bitboard restriction;
    if (isFile(text[1])) restriction = fileMask(text[1] - 'a');
    else if (isRank(text[1])) restriction = rankBits(text[1] - '0');
    else return 0;
    const char piece[2] = {text[0], 0};
    return resolvePieceMove(p, piece, squareNamed(text + 2), restriction);
}

}  // namespace

Move coordinateToMove(const Position& p, const char* text) {
    if (!isSquare(text) || !isSquare(text + 2)) return 0;
    const int from = squareNamed(text);
    const int to = squareNamed(text + 2);

    // The king's step of a castling (the king taking its rook in Chess960) while its right stands.
    if (Move castling = castlingByText(p.castling, from, to, p.castleFlags)) return castling;

    const bool occupied = p.board[to] != EMPTY;
    if (p.board[from] == EMPTY || isPawn(p.board[from])) {
        if (text[4] == 0) {
            if (p.epSquare != 0 && p.epSquare == to) return encodeMove(EN_PASSANT, from, to);
        } else {
            const int type = text[4] == 'q' || text[4] == 'n' || text[4] == 'r' || text[4] == 'b'
                                 ? promotionType(text[4])
                                 : 0;
            if (type) return encodeMove(occupied ? type + 4 : type, from, to);
            return encodeMove(QUIET, from, to);
        }
    }
    return encodeMove(occupied ? CAPTURE : QUIET, from, to);
}

Move resolvePieceMove(const Position& p, const char* text, int destination, Bitboard restriction) {
    const Colour us = p.sideToMove;
    Bitboard candidates;
    switch (text[0]) {
        case 'N': candidates = knightAttacks[destination] & p.pieces[pieceOf(us, KNIGHT)]; break;
        case 'B': candidates = bishopAttacksFrom(p, destination) & p.pieces[pieceOf(us, BISHOP)]; break;
        case 'R': candidates = rookAttacksFrom(p, destination) & p.pieces[pieceOf(us, ROOK)]; break;
        case 'Q': candidates = queenAttacksFrom(p, destination) & p.pieces[pieceOf(us, QUEEN)]; break;
        case 'K': candidates = squareBit(p.kingSquare[us]); restriction = ALL_SQUARES; break;
        default:
            if (!isFile(text[0])) return 0;
            // A pawn capture: the own pawn on the named file that hits the destination diagonally.
            candidates = pawnAttackOrigins(us, destination) & p.pieces[pieceOf(us, PAWN)] & fileMask(text[0] - 'a');
            restriction = ALL_SQUARES;
            break;
    }
    candidates &= restriction;
    if (candidates == 0 || (candidates & (candidates - 1)) != 0) return 0;
    const int from = lowestSquare(candidates);
    return encodeMove(p.board[destination] != EMPTY ? CAPTURE : QUIET, from, destination);
}

Move parseSan(const Position& p, const char* text) {
    char move[SAN_TEXT_LIMIT + 1];
    int length = 0;
    for (int i = 0; i < SAN_TEXT_LIMIT && text[i]; ++i) {
        bool ignored = false;
        for (const char* c = IGNORED; *c; ++c) ignored |= text[i] == *c;
        if (!ignored) move[length++] = text[i];
    }
    move[length] = 0;

    switch (length) {
        case 2:
            return pawnPush(p, move);
        case 3:
            if (same(move, "O-O") || same(move, "0-0")) return ownCastling(p, SHORT_SIDE);
            if (isSquare(move) && promotionType(move[2])) return pushPromotion(p, move);
            if (!isSquare(move + 1)) return 0;
            return resolvePieceMove(p, move, squareNamed(move + 1), ALL_SQUARES);
        case 4:
            if (isFile(move[0]) && isSquare(move + 1) && promotionType(move[3])) return capturePromotion(p, move);
            if (Move coordinate = coordinateToMove(p, move)) return coordinate;
            return restrictedPieceMove(p, move);
        case 5:
            if (same(move, "O-O-O") || same(move, "0-0-0")) return ownCastling(p, LONG_SIDE);
            if (Move coordinate = coordinateToMove(p, move + 1)) return coordinate;
            return coordinateToMove(p, move);
        default:
            return 0;
    }
}
