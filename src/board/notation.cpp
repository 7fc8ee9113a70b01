#include "board/notation.h"

#include "board/position.h"

namespace {

// Letter of the promoted piece by move type & 3: queen, knight, rook, bishop.
constexpr char PROMOTION_LETTERS[] = "qnrb";

bool isFile(char c) { return c >= 'a' && c <= 'h'; }
bool isRank(char c) { return c >= '1' && c <= '8'; }
int squareFromText(const char* text) { return 8 * ('8' - text[1]) + (text[0] - 'a'); }

void writeSquare(char* out, int square) {
    out[0] = char('a' + columnOf(square));
    out[1] = char('0' + rankOf(square));
}

// The castling a king move from its home square stands for, or 0 when none applies.
Move castlingOf(int from, int to, uint16_t flags) {
    if (from == 4 && (flags & (BLACK_SHORT | BLACK_LONG)) && !(flags & BLACK_CASTLED)) {
        if (to == 2 && (flags & BLACK_LONG)) return BLACK_LONG_CASTLING;
        if (to == 6 && (flags & BLACK_SHORT)) return BLACK_SHORT_CASTLING;
    }
    if (from == 60 && (flags & (WHITE_SHORT | WHITE_LONG)) && !(flags & WHITE_CASTLED)) {
        if (to == 58 && (flags & WHITE_LONG)) return WHITE_LONG_CASTLING;
        if (to == 62 && (flags & WHITE_SHORT)) return WHITE_SHORT_CASTLING;
    }
    return 0;
}

}  // namespace

void moveToText(char* buffer, Move move) {
    const int type = moveType(move);
    if (isCastling(move)) {
        static constexpr const char* CASTLING_TEXT[4] = {"e8g8", "e1g1", "e8c8", "e1c1"};
        const char* text = CASTLING_TEXT[type - CASTLE_BLACK_SHORT];
        for (int i = 0; i < 5; ++i) buffer[i] = text[i];
        return;
    }
    writeSquare(buffer, moveFrom(move));
    writeSquare(buffer + 2, moveTo(move));
    int length = 4;
    if (isPromotion(move)) buffer[length++] = PROMOTION_LETTERS[type & 3];
    buffer[length] = 0;
}

Move textToMove(const char* word) {
    // Stop at the terminator: a short word must not be read past its end.
    if (!isFile(word[0]) || !isRank(word[1]) || !isFile(word[2]) || !isRank(word[3])) return 0;
    const int from = squareFromText(word);
    const int to = squareFromText(word + 2);
    const GameBoard& g = gameBoard;

    if (g.castleFlags & CASTLE_RIGHTS)
        if (Move castling = castlingOf(from, to, g.castleFlags)) return castling;

    const bool targetOccupied = g.board[to] != EMPTY;
    if (g.board[from] == EMPTY || isPawn(g.board[from])) {
        switch (word[4]) {
            case 0:
                if (g.epSquare != 0 && g.epSquare == to) return encodeMove(EN_PASSANT, from, to);
                break;
            case 'q': return encodeMove(targetOccupied ? CAPTURE_PROMOTE_Q : PROMOTE_Q, from, to);
            case 'n': return encodeMove(targetOccupied ? CAPTURE_PROMOTE_N : PROMOTE_N, from, to);
            case 'r': return encodeMove(targetOccupied ? CAPTURE_PROMOTE_R : PROMOTE_R, from, to);
            case 'b': return encodeMove(targetOccupied ? CAPTURE_PROMOTE_B : PROMOTE_B, from, to);
            default: return encodeMove(QUIET, from, to);
        }
    }
    return encodeMove(targetOccupied ? CAPTURE : QUIET, from, to);
}

void positionToText(char* buffer) {
    const Position& p = position;
    char* out = buffer;
    int empty = 0;
    for (int square = 0; square < 64; ++square) {
        if (square > 0 && columnOf(square) == 0) {
            if (empty) *out++ = char('0' + empty);
            empty = 0;
            *out++ = '/';
        }
        char letter = 0;
        if (p.board[square] != EMPTY) letter = pieceLetter(p.board[square]);
        else if (square == p.kingSquare[BLACK]) letter = 'k';
        else if (square == p.kingSquare[WHITE]) letter = 'K';
        if (!letter) {
            ++empty;
            continue;
        }
        if (empty) *out++ = char('0' + empty);
        empty = 0;
        *out++ = letter;
    }
    if (empty) *out++ = char('0' + empty);

    *out++ = ' ';
    *out++ = gameBoard.sideToMove == WHITE ? 'w' : 'b';
    *out++ = ' ';

    const char* rightsStart = out;
    if (gameBoard.castleFlags & CASTLE_RIGHTS) {
        const uint16_t flags = p.castleFlags;
        if ((flags & WHITE_SHORT) && !(flags & WHITE_CASTLED)) *out++ = 'K';
        if ((flags & WHITE_LONG) && !(flags & WHITE_CASTLED)) *out++ = 'Q';
        if ((flags & BLACK_SHORT) && !(flags & BLACK_CASTLED)) *out++ = 'k';
        if ((flags & BLACK_LONG) && !(flags & BLACK_CASTLED)) *out++ = 'q';
    }
    // A field is never left empty, even while a castling is only half complete.
    if (out == rightsStart) *out++ = '-';

    *out++ = ' ';
    if (p.epSquare) {
        writeSquare(out, p.epSquare);
        out += 2;
    } else {
        *out++ = '-';
    }
    *out = 0;
}
