#include "game/budgetstop.h"

#include "game/enginethread.h"
#include "ground/log.h"
#include "search/enginestate.h"
#include "search/search.h"

void endSearchAfterBudget(std::chrono::steady_clock::time_point searchStart, ExtraTimeRule rule) {
    // The search finishes the iteration under way but starts no new one.
    engineState = Idle;
    if (failLowFlag) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - searchStart).count();
        const uint32_t elapsedMs = elapsed <= 0 ? 0 : elapsed < UINT32_MAX ? uint32_t(elapsed) : UINT32_MAX;
        uint32_t extraMs = 0;
        if (rule(elapsedMs, extraMs)) {
            logLine("-M: FL - Extra time");
            waitEvent(stoppedSignal, extraMs);
        }
    }
    stopFlag = 1;
    waitEvent(stoppedSignal);
}
