#include "game/enginethread.h"

#include "search/enginestate.h"
#include "search/search.h"

Event startSignal;
Event startedSignal;
Event stoppedSignal;
unsigned depthCeiling = 63;

namespace {

std::thread engineThreadHandle;

// Waiting states: tell the command loop that no search runs and wait for the next request.
void idleHandler() {
    setEvent(stoppedSignal);
    waitEvent(startSignal);
    resetEvent(stoppedSignal);
}

// One search, then the idle wait that ends when the command loop has taken the result.
void thinkHandler() {
    setEvent(startedSignal);
    searchPosition();
    idleHandler();
    setEvent(startedSignal);
}

void quitHandler() {}

// Indexed by EngineState. Ponder is never entered; should it be, the thread waits idle.
void (*const HANDLERS[5])() = {idleHandler, thinkHandler, idleHandler, idleHandler, quitHandler};

void engineThread() {
    do {
        HANDLERS[engineState.load()]();
    } while (engineState.load() != Quit);
    setEvent(startedSignal);
}

}  // namespace

void launchEngineThread() {
    initEvent(startSignal, false);
    engineState = AwaitOpponent;
    initEvent(stoppedSignal, true);
    initEvent(startedSignal, false);
    startThread(engineThreadHandle, engineThread);
}

void startEngine(unsigned depth) {
    // The thread must be back in its idle wait after the previous request, or the signal meant
    // for this one could end a later idle wait instead.
    waitEvent(stoppedSignal);
    const int request = engineState;
    const unsigned limit = depth & 0xFF;
    const unsigned ceiling = depthCeiling < 63 ? depthCeiling : 63;
    maxDepth = limit < ceiling ? limit : ceiling;
    stopFlag = 0;
    setEvent(startSignal);
    waitEvent(startedSignal);
    // Released from the end of a search, the thread reads the state once more on its way back
    // to the idle wait. Wait until it is there, so that the next state written (Think for the
    // opponent's next move) cannot start a search while the command loop still moves pieces.
    if (request == Idle || request == AwaitOpponent) waitEvent(stoppedSignal);
}

void stopEngine() {
    engineState = Idle;
    stopFlag = 1;
    waitEvent(stoppedSignal);
}

void joinEngineThread() { joinThread(engineThreadHandle); }
