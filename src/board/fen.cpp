#include "board/fen.h"

#include <cstring>

#include "board/attacks.h"
#include "board/castling.h"
#include "board/checks.h"
#include "board/colours.h"

namespace {

int pieceCode(char c) {
    const char* letters = "PpNnBbRrQqKk";
    const char* found = c ? std::strchr(letters, c) : nullptr;
    return found ? int(found - letters) + 1 : EMPTY;
}

void skipBlanks(const char*& cursor) {
    while (*cursor == ' ') ++cursor;
}

// Normal chess: the castling rights in the text that the placement can honour, king and rook at
// home.
uint16_t honouredRights(uint16_t rights, const Position& p) {
    for (const Castling& c : NORMAL_CASTLING_RULES.castlings)
        if (p.board[c.kingFrom] != c.king || p.board[c.rookFrom] != c.rook) rights &= ~c.right;
    return rights;
}

// The right a letter of the FEN castling field names in normal chess, or 0.
uint16_t rightOfLetter(char letter) {
    for (const Castling& c : NORMAL_CASTLING_RULES.castlings)
        if (letter == c.letter) return c.right;
    return 0;
}

// A letter of a Chess960 castling field: K, Q, k, q, or a rook's file (capitals for White).
bool chess960Letter(char letter) {
    const char lower = char(letter | 0x20);
    return letter && (lower == 'k' || lower == 'q' || (lower >= 'a' && lower <= 'h'));
}

// Chess960: the rights of the castling field's letters that the placement honours, the game's
// castlings derived from them into p.castling. K and Q (k and q) name the outermost rook on that
// side of the king, a file letter the rook on that file, whose side of the king is then its
// castling's; the king must stand on its back rank. A field of file letters alone is written back
// so ("HAha"), any other with K and Q where they suffice ("KQkq").
uint16_t chess960Rights(Position& p, const char* letters, int count) {
    CastlingStart start = NORMAL_START;
    uint16_t rights = 0;
    bool sideLetters = false, fileLetters = false;
    for (int i = 0; i < count; ++i) {
        const Colour colour = letters[i] >= 'a' ? BLACK : WHITE;
        const char lower = char(letters[i] | 0x20);
        const int king = p.kingSquare[colour];
        if (rowOf(king) != (colour == WHITE ? 7 : 0)) continue;
        int rook;
        if (lower == 'k' || lower == 'q') {
            rook = outermostRook(p, colour, lower == 'k' ? SHORT_SIDE : LONG_SIDE);
            sideLetters = true;
        } else {
            rook = king - columnOf(king) + (lower - 'a');
            fileLetters = true;
            if (p.board[rook] != pieceOf(colour, ROOK)) continue;
        }
        if (rook < 0 || rook == king) continue;
        const CastlingSide side = columnOf(rook) > columnOf(king) ? SHORT_SIDE : LONG_SIDE;
        start.kingFile[colour] = columnOf(king);
        start.rookFile[2 * side + colour] = columnOf(rook);
        rights |= castlingRight(colour, side);
    }
    p.castling = castlingRules(start, CHESS960, fileLetters && !sideLetters);
    return rights;
}

// An en-passant square counts only where the side not to move could just have double-pushed
// a pawn across it: empty square and origin, the pawn standing beyond it.
bool plausibleEpSquare(int square, const Position& p) {
    const Colour them = opposite(p.sideToMove);
    const ColourRules& t = COLOUR_RULES[them];
    return (squareMask[square] & t.doublePushStop) && p.board[square] == EMPTY &&
           p.board[square - t.forward] == EMPTY && p.board[square + t.forward] == pieceOf(them, PAWN);
}

// Material a game can reach: at most 8 pawns a side, and every extra piece beyond the
// starting set paid for by one missing pawn.
bool reachableMaterial(const Position& p, Colour colour) {
    auto count = [&](PieceKind kind) { return __builtin_popcountll(p.pieces[pieceOf(colour, kind)]); };
    int pawns = count(PAWN);
    auto extra = [](int have, int start) { return have > start ? have - start : 0; };
    int promoted = extra(count(QUEEN), 1) + extra(count(ROOK), 2) + extra(count(BISHOP), 2) + extra(count(KNIGHT), 2);
    return pawns <= 8 && pawns + promoted <= 8;
}

// Read the text into `p` (board, side, rights, en passant, keys, material) and the EPD operand,
// if any, into `epdMove`.
bool parseText(Position& p, const char* text, char* epdMove, Variant variant) {
    std::memset(&p, 0, sizeof p);
    p.kingSquare[WHITE] = p.kingSquare[BLACK] = 100;
    p.sideToMove = WHITE;
    int kings[2] = {0, 0};

    const char* cursor = text;
    skipBlanks(cursor);
    for (int square = 0; square < 64;) {
        char c = *cursor++;
        if (c >= '1' && c <= '8') {
            square += c - '0';
        } else if (c == '/') {
            continue;
        } else if (int code = pieceCode(c)) {
            if (code >= WKING) {
                p.kingSquare[pieceColour(code)] = uint8_t(square);
                ++kings[pieceColour(code)];
            } else {
                p.pieces[code] |= squareMask[square];
                p.material = uint8_t(p.material + CAPTURE_VALUE[code]);
            }
            if (isPawn(code) && (rowOf(square) == 0 || rowOf(square) == 7)) return false;
            p.board[square] = uint8_t(code);
            p.hashKey ^= zobrist[code][square];
            if (isPawn(code)) p.pawnKey ^= uint32_t(zobrist[code][square]);
            ++square;
        } else {
            return false;
        }
    }
    if (kings[WHITE] != 1 || kings[BLACK] != 1) return false;

    skipBlanks(cursor);
    switch (*cursor) {
        case 'w': case 'W': p.sideToMove = WHITE; break;
        case 'b': case 'B': p.sideToMove = BLACK; break;
        default: return false;
    }
    ++cursor;

    // Up to four letters; the first character that is none (a "-", a blank) ends the field with it.
    skipBlanks(cursor);
    char letters[4];
    int count = 0;
    while (count < 4) {
        const char c = *cursor;
        if (c) ++cursor;
        if (variant == CHESS960 ? !chess960Letter(c) : !rightOfLetter(c)) break;
        letters[count++] = c;
    }
    if (variant == CHESS960) {
        p.castleFlags = chess960Rights(p, letters, count);
    } else {
        uint16_t rights = 0;
        for (int i = 0; i < count; ++i) rights |= rightOfLetter(letters[i]);
        p.castleFlags = honouredRights(rights, p);
        p.castling = NORMAL_CASTLING_RULES;
    }

    skipBlanks(cursor);
    if (*cursor != '-' && *cursor) {
        char file = cursor[0], rank = cursor[1];
        cursor += rank ? 2 : 1;
        if (file >= 'a' && file <= 'h' && rank >= '1' && rank <= '8') {
            int square = 8 * (8 - (rank - '0')) + (file - 'a');
            if (plausibleEpSquare(square, p)) {
                p.epSquare = uint8_t(square);
                p.hashKey ^= zobrist[0][square];
                p.pawnKey ^= uint32_t(zobrist[0][square]);
            }
        }
    }

    // Halfmove clock and move number are not read; an EPD operation may follow.
    while (*cursor && *cursor != 'a' && *cursor != 'b') ++cursor;
    if ((cursor[0] == 'a' || cursor[0] == 'b') && cursor[1] == 'm' && cursor[2] == ' ' && cursor[3]) {
        const char* operand = cursor + 3;
        int length = 0;
        while (length < EPD_MOVE_SIZE - 1 && operand[length] && operand[length] != ';' && operand[length] != ' ')
            ++length;
        if (operand[length] == ';' || operand[length] == ' ') {
            std::memcpy(epdMove, operand, length);
            epdMove[length] = 0;
        }
    }

    for (Colour colour : {WHITE, BLACK}) {
        p.occupied[colour] = squareMask[p.kingSquare[colour]];
        for (PieceKind kind : {PAWN, KNIGHT, BISHOP, ROOK, QUEEN})
            p.occupied[colour] |= p.pieces[pieceOf(colour, kind)];
    }
    p.occupiedAll = p.occupied[BLACK] | p.occupied[WHITE];
    p.occupied90 = rotate90(p.occupiedAll);
    p.occupiedA1H8 = rotateA1H8(p.occupiedAll);
    p.occupiedA8H1 = rotateA8H1(p.occupiedAll);
    return true;
}

// Positions the board code cannot play from: unreachable material, or a side not to move
// whose king stands attacked (its capture cannot be made or taken back).
bool playable(const Position& p) {
    const Colour them = opposite(p.sideToMove);
    if (!reachableMaterial(p, WHITE) || !reachableMaterial(p, BLACK)) return false;
    if (kingAttacks[p.kingSquare[WHITE]] & squareMask[p.kingSquare[BLACK]]) return false;
    return !attackedByNonKing(p, p.kingSquare[them], p.sideToMove);
}

}  // namespace

int outermostRook(const Position& p, Colour colour, CastlingSide side) {
    const int king = p.kingSquare[colour], step = side == SHORT_SIDE ? -1 : 1;
    const int edge = king - columnOf(king) + (side == SHORT_SIDE ? 7 : 0);
    for (int square = edge; square != king; square += step)
        if (p.board[square] == pieceOf(colour, ROOK)) return square;
    return -1;
}

bool readPosition(Position& p, const char* text, char* epdMove, Variant variant) {
    const Position previous = p;
    epdMove[0] = 0;
    if (!parseText(p, text, epdMove, variant) || !playable(p)) {
        p = previous;
        epdMove[0] = 0;
        return false;
    }
    return true;
}
