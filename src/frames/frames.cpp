#include "frames/frames.h"

#include <atomic>
#include <cstring>

thread_local constinit PlyFrame plyFrames[MAX_FRAMES]{};
thread_local constinit PlyFrame* currentFrame = nullptr;
thread_local constinit ScoredMove moveStack[MOVE_STACK_SIZE]{};
thread_local constinit uint32_t cutoffCounters[2][4096]{};

namespace {

// How often killers and counters, and counters alone, have been forgotten; and how often this
// thread has caught up with it.
std::atomic<uint32_t> memoryClears{0};
std::atomic<uint32_t> counterClears{0};
thread_local constinit uint32_t memoryClearsSeen = 0;
thread_local constinit uint32_t counterClearsSeen = 0;

void forgetCounters() { std::memset(cutoffCounters, 0, sizeof cutoffCounters); }

void forgetKillers() {
    for (PlyFrame& frame : plyFrames) frame.killer1 = frame.killer2 = 0;
}

}  // namespace

void clearSearchMemory() {
    forgetCounters();
    forgetKillers();
    memoryClearsSeen = ++memoryClears;
}

void clearCutoffCounters() {
    forgetCounters();
    counterClearsSeen = ++counterClears;
}

void refreshSearchMemory() {
    const uint32_t memory = memoryClears.load(), counters = counterClears.load();
    if (memory != memoryClearsSeen) forgetKillers();
    if (memory != memoryClearsSeen || counters != counterClearsSeen) forgetCounters();
    memoryClearsSeen = memory;
    counterClearsSeen = counters;
}
