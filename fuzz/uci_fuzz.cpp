// Arbitrary bytes as a UCI GUI's input: the whole session runs on them in this process, with its
// engine thread and its supervisor, and must neither crash nor hang, whatever it is told. Searches
// are kept shallow and the table small, and no log file is written; the answers go to a sink.
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "board/attacks.h"
#include "board/consistency.h"
#include "board/fen.h"
#include "board/position.h"
#include "frames/frames.h"
#include "eval/tables.h"
#include "game/enginethread.h"
#include "game/setup.h"
#include "ground/console.h"
#include "search/transposition.h"
#include "uci/options.h"
#include "uci/uciloop.h"

namespace {

// Shallow enough for thousands of sessions a minute, deep enough to reach the interior search.
constexpr unsigned FUZZ_DEPTH = 2;
// Tables a session may ask for: enough to resize, little enough for thousands of sessions.
constexpr int FUZZ_HASH_MB = 4;

std::vector<char> inputCopy;

[[noreturn]] void corrupted(const char* what) {
    std::fprintf(stderr, "tarnek-uci-fuzz: board state corrupted after the session: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    initBoardTables();
    initEvalTables();
    commandOutput = std::fopen("/dev/null", "w");
    if (!commandOutput) std::abort();
    depthCeiling = FUZZ_DEPTH;
    hashCeilingMb = FUZZ_HASH_MB;
    logFilesAllowed = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // fmemopen refuses an empty buffer: keep one spare byte and read only `size` of them.
    inputCopy.assign(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
    inputCopy.push_back(0);
    commandInput = size ? fmemopen(inputCopy.data(), size, "r") : std::fopen("/dev/null", "r");
    if (!commandInput) std::abort();
    resetOptions();
    // A small table, as the sessions set up positions by the thousand; the initial position, as a
    // session may end before it sets one up.
    resizeHashTable(hashBucketsFor(1));
    currentUndo = plyFrames;
    setPosition(INITIAL_POSITION_TEXT, false);

    // The loop ignores interrupts for good; the fuzzer's own handler must survive it.
    struct sigaction interrupt;
    sigaction(SIGINT, nullptr, &interrupt);
    char program[] = "tarnek-uci";
    char* arguments[] = {program, nullptr};
    runUciLoop(1, arguments);
    sigaction(SIGINT, &interrupt, nullptr);
    if (const char* fault = positionFault()) corrupted(fault);
    if (currentUndo != plyFrames) corrupted("frame pointer");
    if (historyTop < positionHistory || historyTop >= positionHistory + HISTORY_SIZE) corrupted("history");

    std::fclose(commandInput);
    commandInput = stdin;
    return 0;
}
