#include "board/notation.h"

#include "board/castling.h"
#include "board/fen.h"

namespace {

// Letter of the promoted piece by move type & 3: queen, knight, rook, bishop.
constexpr char PROMOTION_LETTERS[] = "qnrb";

bool isFile(char c) { return c >= 'a' && c <= 'h'; }
bool isRank(char c) { return c >= '1' && c <= '8'; }

void writeSquare(char* out, int square) {
    out[0] = char('a' + columnOf(square));
    out[1] = char('0' + rankOf(square));
}

// A castling's right in the FEN castling field: K, Q, k or q, or in Chess960 its rook's file
// (capitals for White) where the game writes files or another rook stands farther out.
char rightLetter(const Position& p, const Castling& c) {
    const bool byFile = p.castling.variant == CHESS960 &&
                        (p.castling.fileLetters || outermostRook(p, c.colour, c.side) != c.rookFrom);
    return byFile ? char((c.colour == WHITE ? 'A' : 'a') + columnOf(c.rookFrom)) : c.letter;
}

}  // namespace

void moveToText(char* buffer, Move move) {
    const int type = moveType(move);
    writeSquare(buffer, moveFrom(move));
    writeSquare(buffer + 2, moveTo(move));
    int length = 4;
    if (isPromotion(move)) buffer[length++] = PROMOTION_LETTERS[type & 3];
    buffer[length] = 0;
}

Move textToMove(const Position& p, const char* word) {
    // Stop at the terminator: a short word must not be read past its end.
    if (!isFile(word[0]) || !isRank(word[1]) || !isFile(word[2]) || !isRank(word[3])) return 0;
    const int from = squareNamed(word);
    const int to = squareNamed(word + 2);

    if (Move castling = castlingByText(p.castling, from, to, p.castleFlags)) return castling;

    const bool targetOccupied = p.board[to] != EMPTY;
    if (p.board[from] == EMPTY || isPawn(p.board[from])) {
        switch (word[4]) {
            case 0:
                if (p.epSquare != 0 && p.epSquare == to) return encodeMove(EN_PASSANT, from, to);
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

void positionToText(char* buffer, const Position& p) {
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
    *out++ = p.sideToMove == WHITE ? 'w' : 'b';
    *out++ = ' ';

    const char* rightsStart = out;
    for (Colour colour : {WHITE, BLACK})
        for (CastlingSide side : {SHORT_SIDE, LONG_SIDE})
            if (p.castleFlags & castlingRight(colour, side)) *out++ = rightLetter(p, castlingOf(p.castling, colour, side));
    // A field is never left empty.
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
