#include "protocol/commandloop.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>

#include "board/attacks.h"
#include "board/notation.h"
#include "eval/tables.h"
#include "game/enginethread.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "ground/console.h"
#include "ground/decimal.h"
#include "ground/log.h"
#include "protocol/play.h"
#include "protocol/timecontrol.h"

namespace {

constexpr int COMMAND_SIZE = 256;        // one word: 255 characters and the terminator
constexpr int POSITION_LINE_SIZE = 254;  // what setboard uses of its line, line end included

// Input is read a character at a time from the unbuffered command stream, so that whatever the
// loop does not read stays in the stream.
int nextChar() { return std::getc(commandInput); }
void putBack(int c) {
    if (c != EOF) std::ungetc(c, commandInput);
}
bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int skipBlanks() {
    int c;
    do c = nextChar();
    while (c != EOF && isBlank(c));
    return c;
}

// A word read ahead that turned out to be the next command ("time" without "otim").
char pendingWord[COMMAND_SIZE];
bool wordPending = false;

// The next word; a longer one keeps its first 255 characters. The blank after it stays unread.
// False at the end of input.
bool readWord(char* word) {
    if (wordPending) {
        wordPending = false;
        std::memcpy(word, pendingWord, COMMAND_SIZE);
        return true;
    }
    int c = skipBlanks();
    if (c == EOF) return false;
    int length = 0;
    for (; c != EOF && !isBlank(c); c = nextChar())
        if (length < COMMAND_SIZE - 1) word[length++] = char(c);
    word[length] = 0;
    putBack(c);
    return true;
}

// The rest of the current line, line end included; only the first `limit` characters are
// kept, the others are read and dropped so that none of them is taken for a command.
void readRestOfLine(char* text, int limit) {
    int length = 0;
    for (int c = nextChar(); c != EOF; c = nextChar()) {
        if (length < limit) text[length++] = char(c);
        if (c == '\n') break;
    }
    text[length] = 0;
}

// A decimal integer, clamped to the range of int; false (nothing but blanks and a sign read)
// when none follows.
bool readNumber(int& value) {
    int c = skipBlanks();
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = nextChar();
    if (!isDecimalDigit(c)) {
        putBack(c);
        return false;
    }
    uint64_t magnitude = 0;
    for (; isDecimalDigit(c); c = nextChar()) magnitude = appendDigit(magnitude, c, std::numeric_limits<int>::max());
    putBack(c);
    value = negative ? -int(magnitude) : int(magnitude);
    return true;
}

bool startsWith(const char* word, const char* command) { return std::strncmp(word, command, std::strlen(command)) == 0; }

void send(const char* line) {
    std::fputs(line, commandOutput);
    std::fflush(commandOutput);
}

void handshake(char* command) {
    bookMovePlayed = false;
    awaitingOpponent = false;
    std::setvbuf(commandOutput, nullptr, _IONBF, 0);
    std::setvbuf(commandInput, nullptr, _IONBF, 0);
    std::fflush(nullptr);

    readWord(command);
    if (!startsWith(command, "xboard")) send("Engine works only with xboard protocol ver. 2\n");
    send("\n");
    send("feature done=0\n");
    send("feature setboard=1\n");

    launchEngine();
    initBoardTables();
    initEvalTables();
    send("feature done=1\n");
    // Until the GUI sets up a game, moves and searches work on the initial position rather
    // than on an empty board. The set-up also clears the transposition table; its first touch
    // of the table's memory is the slowest step of the start, so the GUI hears "done" first.
    setPosition(INITIAL_POSITION_TEXT, false);
}

// "time": our clock in centiseconds. The GUI's "otim" line with the opponent's clock normally
// follows, and is read with it (unused); any other word is left for the loop as a command.
void timeCommand(char* command) {
    int centiseconds;
    if (!readNumber(centiseconds)) return;
    setClock(centiseconds);
    if (!readWord(command)) return;
    if (std::strcmp(command, "otim") != 0) {
        std::memcpy(pendingWord, command, COMMAND_SIZE);
        wordPending = true;
        return;
    }
    int opponentClock;
    readNumber(opponentClock);
}

void moveCommand(const char* word, Move move) {
    if (!isLegalGameMove(move)) {
        std::fprintf(commandOutput, "Illegal move: %s\n", word);
        std::fflush(commandOutput);
        return;
    }
    playGameMove(move);
    if (awaitingOpponent) thinkAndMove();
}

// Set up a game from `text` with the book, and tell the user what the set-up found. False when
// the text was refused.
bool setUpGame(const char* text) {
    SetupNotes notes;
    const bool accepted = setPosition(text, true, &notes);
    if (notes.unreadableMove[0]) {
        std::fprintf(commandOutput, "Warning cannot recognize move: %s\r\n", notes.unreadableMove);
        std::fflush(commandOutput);
    }
    if (notes.bookError) {
        send("tellusererror BOOK ERROR!\n");
        logLine("-\ttellusererror BOOK ERROR!\n");
    }
    return accepted;
}

void newGame() {
    setUpGame(INITIAL_POSITION_TEXT);
    awaitingOpponent = true;
}

void setboardCommand(char* command) {
    awaitingOpponent = false;
    readRestOfLine(command, POSITION_LINE_SIZE);
    logLine("setboard ", command);
    if (!setUpGame(command)) logLine("-M: tellusererror Illegal position");
}

void sideCommand(int side) {
    awaitingOpponent = false;
    if (!setSideToMove(side)) logLine("-M: tellusererror Illegal position");
}

// "undo" takes back the last move, "remove" the last two (the user's and the engine's answer,
// the user being on move). The engine keeps the side it plays, or stays in force mode.
void takeBackCommand(int moves) { takeBackGameMoves(moves); }

void testCommand() {
    setUpGame(INITIAL_POSITION_TEXT);
    setTestClock();
    thinkAndMove();
}

}  // namespace

int runCommandLoop() {
    useBinaryStreams();
    openEngineLog();
    // The GUI may interrupt its engines; this one keeps going.
    std::signal(SIGINT, SIG_IGN);

    char command[COMMAND_SIZE] = {};
    wordPending = false;
    handshake(command);

    // The end of input ends the session as "quit" does.
    while (readWord(command)) {
        logLine("::cmd:: ", command);
        if (startsWith(command, "time")) {
            timeCommand(command);
        } else if (Move move = textToMove(game.position, command)) {
            moveCommand(command, move);
        } else if (startsWith(command, "go")) {
            thinkAndMove();
        } else if (startsWith(command, "new") || startsWith(command, "result")) {
            newGame();
        } else if (startsWith(command, "level")) {
            readRestOfLine(command, COMMAND_SIZE - 1);
            setLevel(command);
        } else if (startsWith(command, "force")) {
            awaitingOpponent = false;
        } else if (startsWith(command, "setboard")) {
            setboardCommand(command);
        } else if (startsWith(command, "quit")) {
            break;
        } else if (startsWith(command, "white")) {
            sideCommand(WHITE);
        } else if (startsWith(command, "black")) {
            sideCommand(BLACK);
        } else if (std::strcmp(command, "benchmark") == 0) {
            send("Define __STAT\n");
        } else if (std::strcmp(command, "test") == 0) {
            testCommand();
        } else if (std::strcmp(command, "undo") == 0) {
            takeBackCommand(1);
        } else if (std::strcmp(command, "remove") == 0) {
            takeBackCommand(2);
        }
    }
    quitEngine();
    return 0;
}
