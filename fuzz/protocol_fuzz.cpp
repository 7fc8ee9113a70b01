// Arbitrary bytes as the GUI's input: the whole command loop runs on them in this process, with
// its engine thread, and must neither crash nor hang. Searches are kept shallow so that "test"
// and "go" on an endless clock end quickly; the answers go to a sink.
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "board/consistency.h"
#include "board/position.h"
#include "frames/frames.h"
#include "game/enginethread.h"
#include "ground/console.h"
#include "protocol/commandloop.h"
#include "protocol/timecontrol.h"

namespace {

// Shallow enough for thousands of sessions a minute, deep enough to reach the interior search.
constexpr unsigned FUZZ_DEPTH = 2;
// Until the input sets the clock, every search may run to that depth: far more time than it
// needs, far less than the hang limit the fuzzer is run with.
constexpr uint32_t FUZZ_BUDGET_MS = 3000;

std::vector<char> inputCopy;

// Settings that one session leaves behind and the real engine never carries into another.
void resetClock() {
    movesPerControl = 40;
    incrementMs = 0;
    moveBudgetMs = FUZZ_BUDGET_MS;
    moveLimitMs = std::numeric_limits<uint64_t>::max();
}

[[noreturn]] void corrupted(const char* what) {
    std::fprintf(stderr, "tarnek-fuzz: board state corrupted after the session: %s\n", what);
    std::abort();
}

// Faults that leave the memory intact but the board inconsistent show here: the position must
// keep its invariants and the game's copy must agree with it once the session ends.
void checkBoardState() {
    const Position& p = position;
    if (const char* fault = positionFault()) corrupted(fault);
    if (std::memcmp(gameBoard.board, p.board, 64) != 0 || gameBoard.epSquare != p.epSquare ||
        gameBoard.castleFlags != p.castleFlags || gameBoard.sideToMove != p.sideToMove ||
        gameBoard.kingSquare[WHITE] != p.kingSquare[WHITE] || gameBoard.kingSquare[BLACK] != p.kingSquare[BLACK])
        corrupted("game board");
    if (currentUndo != plyFrames) corrupted("frame pointer");
    if (historyTop < positionHistory || historyTop >= positionHistory + HISTORY_SIZE) corrupted("history");
}

}  // namespace

// Like the engine, every session writes "Tarnek.log" and reads "Tarnek.book" in the current
// folder: run the fuzzer where the book is (the build folder) to have "new" replay its lines.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    commandOutput = std::fopen("/dev/null", "w");
    if (!commandOutput) std::abort();
    depthCeiling = FUZZ_DEPTH;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // fmemopen refuses an empty buffer: keep one spare byte and read only `size` of them.
    inputCopy.assign(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
    inputCopy.push_back(0);
    commandInput = size ? fmemopen(inputCopy.data(), size, "r") : std::fopen("/dev/null", "r");
    if (!commandInput) std::abort();
    resetClock();

    // The loop ignores interrupts for good; the fuzzer's own handler must survive it.
    struct sigaction interrupt;
    sigaction(SIGINT, nullptr, &interrupt);
    runCommandLoop();
    sigaction(SIGINT, &interrupt, nullptr);
    checkBoardState();

    std::fclose(commandInput);
    commandInput = stdin;
    return 0;
}
