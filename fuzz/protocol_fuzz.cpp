// Arbitrary bytes as the GUI's input: the whole command loop runs on them in this process, with
// its engine thread, and must neither crash nor hang. Searches are kept shallow so that "test"
// and "go" on an endless clock end quickly; the answers go to a sink.
#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "protocol/commandloop.h"
#include "protocol/console.h"
#include "protocol/enginethread.h"
#include "protocol/timecontrol.h"

namespace {

// Shallow enough for thousands of sessions a minute, deep enough to reach the interior search.
constexpr unsigned FUZZ_DEPTH = 2;

std::vector<char> inputCopy;

// Settings that one session leaves behind and the real engine never carries into another.
void resetClock() {
    movesPerControl = 40;
    incrementMs = 0;
    moveBudgetMs = 0;
    moveLimitMs = std::numeric_limits<uint64_t>::max();
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

    std::fclose(commandInput);
    commandInput = stdin;
    return 0;
}
