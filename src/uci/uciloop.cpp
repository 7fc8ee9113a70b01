#include "uci/uciloop.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "board/attacks.h"
#include "board/fen.h"
#include "eval/tables.h"
#include "game/bench.h"
#include "game/enginethread.h"
#include "game/setup.h"
#include "ground/console.h"
#include "ground/log.h"
#include "uci/gamesetup.h"
#include "uci/go.h"
#include "uci/inputline.h"
#include "uci/options.h"
#include "uci/reply.h"
#include "uci/report.h"
#include "uci/supervisor.h"

#ifndef TARNEK_VERSION
#define TARNEK_VERSION "unknown"
#endif

namespace {

char line[LINE_SIZE];
Word words[MAX_WORDS];
bool gameReady = false;

void start() {
    initBoardTables();
    initEvalTables();
    launchEngine();
    launchSupervisor();
}

// Until the GUI sends a position, searches work on the initial position. Its set-up clears the
// tables, whose first touch is the slowest step of the start: it waits for the first command
// that needs the game, or for "isready", so that "uciok" comes at once.
void prepareGame() {
    if (gameReady) return;
    setPosition(INITIAL_POSITION_TEXT, false);
    gameReady = true;
}

void shutdown() {
    stopSupervisedSearch();
    endSupervisor();
    quitEngine();
}

// The built-in bench to `depth`: a line per position (as an info string inside a session), then
// "<nodes> nodes <nps> nps". The game is a new one afterwards.
void showBenchLine(const char* line) { sendFormatted("%s", line); }
void showBenchInfo(const char* line) { sendFormatted("info string %s", line); }

void runBench(unsigned depth, bool inSession) {
    const BenchTotal total =
        benchPositions(BENCH_POSITIONS, BENCH_POSITION_COUNT, depth, inSession ? showBenchInfo : showBenchLine);
    sendFormatted("%llu nodes %.0f nps", static_cast<unsigned long long>(total.nodes), total.nps());
    gameReady = false;
}

// The depth after "bench": the default without one; 0 when it is no depth a search can have.
unsigned benchDepth(const Word* words, int count) {
    int64_t depth = DEFAULT_BENCH_DEPTH;
    if (count > 0 && !readNumber(words[0], depth)) return 0;
    return depth >= FIRST_ITERATION && depth <= DEEPEST_ITERATION && count <= 1 ? unsigned(depth) : 0;
}

void identify() {
    sendLine("id name Tarnek " TARNEK_VERSION);
    sendLine("id author the Tarnek developers");
    sendOptionLines();
    sendLine("uciok");
}

void benchCommand(const Word* rest, int count) {
    if (const unsigned depth = benchDepth(rest, count))
        runBench(depth, true);
    else
        sendFormatted("info string bench takes a depth from %u to %u", FIRST_ITERATION, DEEPEST_ITERATION);
}

// One command with the words after it; false for "quit".
bool dispatch(const Word& command, const Word* rest, int count) {
    if (wordIs(command, "isready")) {
        prepareGame();
        sendLine("readyok");
    } else if (wordIs(command, "stop")) {
        stopSupervisedSearch();
    } else if (wordIs(command, "ponderhit")) {
        ponderHit();
    } else if (wordIs(command, "quit")) {
        return false;
    } else if (wordIs(command, "uci")) {
        identify();
    } else {
        // Whatever changes the position or the options waits for the search to end: it
        // should not come during one, and if it does the search stops and answers first.
        stopSupervisedSearch();
        prepareGame();
        if (wordIs(command, "position")) setGamePosition(rest, count);
        else if (wordIs(command, "go")) startThinking(rest, count);
        else if (wordIs(command, "ucinewgame")) newGame();
        else if (wordIs(command, "setoption")) setOption(rest, count);
        else if (wordIs(command, "bench")) benchCommand(rest, count);
    }
    return true;
}

bool isCommand(const Word& word) {
    for (const char* name : {"uci", "isready", "setoption", "ucinewgame", "position", "go", "stop", "ponderhit", "quit", "bench"})
        if (wordIs(word, name)) return true;
    return false;
}

// "tarnek-uci bench [DEPTH]": the bench alone, as test frameworks run it.
int runFromCommandLine(int argc, char** argv) {
    Word words[2];
    const int count = splitWords(argc > 2 ? argv[2] : "", words, 2);
    const unsigned depth = argc <= 3 && std::strcmp(argv[1], "bench") == 0 ? benchDepth(words, count) : 0;
    if (!depth) {
        std::fprintf(stderr, "usage: tarnek-uci [bench [DEPTH]]   (DEPTH %u to %u, default %u)\n", FIRST_ITERATION,
                     DEEPEST_ITERATION, DEFAULT_BENCH_DEPTH);
        return 2;
    }
    initBoardTables();
    initEvalTables();
    launchEngine();
    runBench(depth, false);
    quitEngine();
    return 0;
}

}  // namespace

int runUciLoop(int argc, char** argv) {
    useBinaryStreams();
    if (argc > 1) return runFromCommandLine(argc, argv);
    // The GUI may interrupt its engines; this one keeps going. A GUI gone away is no reason to
    // die on a write either: the end of its input follows.
    std::signal(SIGINT, SIG_IGN);
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    gameReady = false;
    start();
    for (;;) {
        const LineRead read = readLine(line);
        if (read == INPUT_ENDED) break;
        if (read == LINE_TOO_LONG) {
            sendFormatted("info string Input line longer than %d characters ignored", LINE_SIZE - 1);
            logLine("::cmd:: (a line too long, ignored)");
            continue;
        }
        logLine("::cmd:: ", line);
        const int count = splitWords(line, words, MAX_WORDS);
        // Unknown words before a command are skipped, as the protocol asks.
        int at = 0;
        while (at < count && !isCommand(words[at])) ++at;
        if (at < count && !dispatch(words[at], words + at + 1, count - at - 1)) break;
    }
    shutdown();
    return 0;
}
