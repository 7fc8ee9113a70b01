#include "uci/gamesetup.h"

#include <cstring>

#include "board/fen.h"
#include "board/notation.h"
#include "board/position.h"
#include "book/book.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "ground/types.h"
#include "uci/options.h"
#include "uci/reply.h"

namespace {

// Room for the four FEN fields passed to set-up (board, side, castling, en passant).
constexpr int FEN_SIZE = 128;
// How much of a refused text an info string repeats.
constexpr int SHOWN_TEXT = 200;

// The start of the game a "position" command describes.
struct GameStart {
    char text[FEN_SIZE];      // the FEN fields that set-up reads
    int halfmoveClock;        // reversible plies before the position
    Position position;        // as set-up reads the text
    bool bookStart;           // the initial position: the one the book starts from
};

void setUpGame(const char* text, int halfmoveClock) {
    SetupNotes notes;
    setPosition(text, uciOptions.ownBook, &notes, halfmoveClock, uciOptions.variant);
    if (notes.bookError)
        sendFormatted("info string Book %s missing or unreadable: playing without it", BOOK_FILE_NAME);
}

// The FEN fields before "moves": board, side, castling and en passant joined by one blank, then
// halfmove clock and move number when given (whole numbers). False for more fields, a field of
// another kind or a text too long.
bool readFenFields(const Word* words, int count, GameStart& start) {
    if (count < 1 || count > 6) return false;
    int length = 0;
    for (int i = 0; i < count && i < 4; ++i) {
        if (length + words[i].length + 1 >= FEN_SIZE) return false;
        if (i) start.text[length++] = ' ';
        std::memcpy(start.text + length, words[i].text, size_t(words[i].length));
        length += words[i].length;
    }
    start.text[length] = 0;
    int64_t counter[2] = {0, 1};
    for (int i = 4; i < count; ++i)
        if (!readNumber(words[i], counter[i - 4]) || counter[i - 4] < 0) return false;
    start.halfmoveClock = counter[0] < 1000 ? int(counter[0]) : 1000;
    return true;
}

// Read the start's text as set-up would, leaving the position the engine holds as it was.
bool readStart(GameStart& start) {
    char epdMove[EPD_MOVE_SIZE];
    if (!readPosition(start.position, start.text, epdMove, uciOptions.variant)) return false;
    start.bookStart = atBookStart(start.position);
    return epdMove[0] == 0;
}

bool samePlacement(const Position& a, const Position& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 && a.sideToMove == b.sideToMove &&
           a.castleFlags == b.castleFlags && a.epSquare == b.epSquare && a.hashKey == b.hashKey &&
           a.castling == b.castling;
}

// Whether the command's game is the one held, perhaps with more moves: the same start, set up
// the same way (book or not), and the held moves first in its list.
bool continuesHeldGame(const GameStart& start, const Word* moves, int count) {
    const Board& held = gameRecord.start;
    const int reversible = start.halfmoveClock < 100 ? start.halfmoveClock : 100;
    if (!samePlacement(start.position, held.position)) return false;
    if (held.top->fiftyCounter != reversible) return false;
    if (gameRecord.bookAtStart != (uciOptions.ownBook && start.bookStart)) return false;
    if (gameRecord.length > count) return false;
    for (int i = 0; i < gameRecord.length; ++i) {
        const Move entry = gameRecord.entries[i];
        if (entry == HAND_OVER) return false;
        char text[MOVE_TEXT_SIZE];
        moveToText(text, entry);
        if (!wordIs(moves[i], text)) return false;
    }
    return true;
}

}  // namespace

Move legalMoveOf(const Word& word) {
    if (word.length != 4 && word.length != 5) return 0;
    char text[MOVE_TEXT_SIZE];
    std::memcpy(text, word.text, size_t(word.length));
    text[word.length] = 0;
    if (word.length == 5) {
        if (text[4] >= 'A' && text[4] <= 'Z') text[4] = char(text[4] - 'A' + 'a');
        if (!std::strchr("qrbn", text[4])) return 0;
    }
    const Move move = textToMove(game.position, text);
    return move && isLegalGameMove(move) ? move : 0;
}

void newGame() { setUpGame(INITIAL_POSITION_TEXT, 0); }

void setGamePosition(const Word* words, int count) {
    int movesAt = 0;
    while (movesAt < count && !wordIs(words[movesAt], "moves")) ++movesAt;
    const Word* moves = words + movesAt + (movesAt < count);
    const int moveCount = movesAt < count ? count - movesAt - 1 : 0;

    GameStart start;
    if (count > 0 && wordIs(words[0], "startpos")) {
        std::strcpy(start.text, INITIAL_POSITION_TEXT);
        start.halfmoveClock = 0;
    } else if (count > 0 && wordIs(words[0], "fen")) {
        if (!readFenFields(words + 1, movesAt - 1, start)) start.text[0] = 0;
    } else {
        sendLine("info string position needs startpos or fen: position kept");
        return;
    }
    if (!start.text[0] || !readStart(start)) {
        const char* text = movesAt > 1 ? words[1].text : "";
        const int length = movesAt > 1 ? int(words[movesAt - 1].text + words[movesAt - 1].length - text) : 0;
        sendFormatted("info string Refused FEN: %.*s%s: position kept", length < SHOWN_TEXT ? length : SHOWN_TEXT, text,
                      length > SHOWN_TEXT ? "..." : "");
        return;
    }

    int played = 0;
    if (continuesHeldGame(start, moves, moveCount))
        played = gameRecord.length;
    else
        setUpGame(start.text, start.halfmoveClock);
    for (; played < moveCount; ++played) {
        const Move move = legalMoveOf(moves[played]);
        if (!move) {
            sendFormatted("info string Illegal move %.*s (move %d of the list): position before it kept",
                          moves[played].length < 16 ? moves[played].length : 16, moves[played].text, played + 1);
            return;
        }
        playGameMove(move);
    }
}
