// Arbitrary bytes as a UCI GUI's input: the whole session runs on them in this process, with its
// engine thread and its supervisor, and must neither crash nor hang, whatever it is told. Searches
// are kept shallow and the table small, and no log file is written; the answers go to a sink.
#include <cstdint>

#include "board/attacks.h"
#include "board/fen.h"
#include "eval/tables.h"
#include "game/enginethread.h"
#include "game/setup.h"
#include "search/transposition.h"
#include "session.h"
#include "uci/options.h"
#include "uci/uciloop.h"

namespace {

// Shallow enough for thousands of sessions a minute, deep enough to reach the interior search.
constexpr unsigned FUZZ_DEPTH = 2;
// Tables a session may ask for: enough to resize, little enough for thousands of sessions.
constexpr int FUZZ_HASH_MB = 4;
// Threads a session may start: enough for searches side by side.
constexpr int FUZZ_THREADS = 4;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    initBoardTables();
    initEvalTables();
    sinkOutput();
    depthCeiling = FUZZ_DEPTH;
    optionCeilings = OptionCeilings{FUZZ_HASH_MB, FUZZ_THREADS, false};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetOptions();
    // A small table, as the sessions set up positions by the thousand; the initial position, as a
    // session may end before it sets one up.
    resizeTable(1);
    setPosition(INITIAL_POSITION_TEXT, false);
    runOnInput(data, size, [] {
        char program[] = "tarnek-uci";
        char* arguments[] = {program, nullptr};
        runUciLoop(1, arguments);
    });
    checkBoard();
    return 0;
}
