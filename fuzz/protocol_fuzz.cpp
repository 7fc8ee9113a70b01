// Arbitrary bytes as the GUI's input: the whole command loop runs on them in this process, with
// its engine thread, and must neither crash nor hang. Searches are kept shallow so that "test"
// and "go" on an endless clock end quickly; the answers go to a sink.
#include <cstdint>

#include "game/enginethread.h"
#include "protocol/commandloop.h"
#include "protocol/timecontrol.h"
#include "session.h"

namespace {

// Shallow enough for thousands of sessions a minute, deep enough to reach the interior search.
constexpr unsigned FUZZ_DEPTH = 2;
// Until the input sets the clock, every search may run to that depth: far more time than it
// needs, far less than the hang limit the fuzzer is run with.
constexpr uint32_t FUZZ_BUDGET_MS = 3000;

// Settings that one session leaves behind and the real engine never carries into another.
void resetClock() {
    xboardClock = UNSET_CLOCK;
    xboardClock.moveBudgetMs = FUZZ_BUDGET_MS;
}

}  // namespace

// Like the engine, every session writes "Tarnek.log" and reads "Tarnek.book" in the current
// folder: run the fuzzer where the book is (the build folder) to have "new" replay its lines.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sinkOutput();
    depthCeiling = FUZZ_DEPTH;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetClock();
    runOnInput(data, size, runCommandLoop);
    checkBoard();
    return 0;
}
