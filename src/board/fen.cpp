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

// The castling rights in the text that the placement can honour: king and rook at home.
uint16_t honouredRights(uint16_t rights, const Position& p) {
    for (const Castling& c : CASTLINGS)
        if (p.board[c.kingFrom] != pieceOf(c.colour, KING) || p.board[c.rookFrom] != pieceOf(c.colour, ROOK))
            rights &= ~c.right;
    return rights;
}

// The right a letter of the FEN castling field names, or 0.
uint16_t rightOfLetter(char letter) {
    for (const Castling& c : CASTLINGS)
        if (letter == c.letter) return c.right;
    return 0;
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
bool parseText(Position& p, const char* text, char* epdMove) {
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

    skipBlanks(cursor);
    uint16_t rights = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = *cursor;
        const uint16_t right = rightOfLetter(c);
        rights |= right;
        if (c) ++cursor;
        if (!right) break;
    }
    p.castleFlags = honouredRights(rights, p);

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

bool readPosition(Position& p, const char* text, char* epdMove) {
    const Position previous = p;
    epdMove[0] = 0;
    if (!parseText(p, text, epdMove) || !playable(p)) {
        p = previous;
        epdMove[0] = 0;
        return false;
    }
    return true;
}
