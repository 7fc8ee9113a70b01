// The engine thread: a dispatcher on EngineState that waits idle or runs one search.
#pragma once

#include "ground/event.h"

extern Event startSignal;     // automatic: the command loop asks the engine thread to go on
extern Event startedSignal;   // automatic: the engine thread has left its idle wait
extern Event stoppedSignal;   // manual: set exactly while the engine thread waits idle

// Deepest iteration any search may run: 63, the design's limit. A harness that must not wait
// for long searches (the "test" command searches on an endless clock) lowers it.
extern unsigned depthCeiling;

// Create the events and start the engine thread; it settles in its idle wait.
void launchEngineThread();

// Wake the engine thread for the state just written (Think, AwaitOpponent after a search, or
// Quit), with the depth limit `depth` (at most 63, or the ceiling). Returns once the thread has
// left its idle wait: searching for Think, settled in the idle wait again when released after
// a search.
void startEngine(unsigned depth);

// Make the state Idle, abort any search, and return once the engine thread waits idle.
void stopEngine();

// Wait for the engine thread's end (after Quit has been sent with startEngine).
void joinEngineThread();
