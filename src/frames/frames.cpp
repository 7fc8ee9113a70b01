#include "frames/frames.h"

#include <atomic>
#include <cstring>

thread_local constinit PlyFrame plyFrames[MAX_FRAMES]{};
thread_local constinit PlyFrame* currentUndo = nullptr;
thread_local constinit ScoredMove moveStack[MOVE_STACK_SIZE]{};
thread_local constinit uint32_t historyTable[2][4096]{};

namespace {

// How often killers and history, and history alone, have been forgotten; and how often this
// thread has caught up with it.
std::atomic<uint32_t> memoryClears{0};
std::atomic<uint32_t> historyClears{0};
thread_local constinit uint32_t memoryClearsSeen = 0;
thread_local constinit uint32_t historyClearsSeen = 0;

void forgetHistory() { std::memset(historyTable, 0, sizeof historyTable); }

void forgetKillers() {
    for (PlyFrame& frame : plyFrames) frame.killer1 = frame.killer2 = 0;
}

}  // namespace

void clearSearchMemory() {
    forgetHistory();
    forgetKillers();
    memoryClearsSeen = ++memoryClears;
}

void clearHistoryTable() {
    forgetHistory();
    historyClearsSeen = ++historyClears;
}

void refreshSearchMemory() {
    const uint32_t memory = memoryClears.load(), history = historyClears.load();
    if (memory != memoryClearsSeen) {
        forgetKillers();
        forgetHistory();
        memoryClearsSeen = memory;
    }
    if (history != historyClearsSeen) {
        forgetHistory();
        historyClearsSeen = history;
    }
}
