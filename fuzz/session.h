// What both fuzz targets share: the input bytes as the engine's standard input, its output to a
// sink, and a session run as the program runs it, its interrupt handling kept from the fuzzer's.
#pragma once

#include <signal.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "board/consistency.h"
#include "board/position.h"
#include "game/gamerecord.h"
#include "ground/console.h"

// The answers go nowhere.
inline void sinkOutput() {
    commandOutput = std::fopen("/dev/null", "w");
    if (!commandOutput) std::abort();
}

// Run `session` with `data` as its whole input. The loops ignore interrupts for good; the fuzzer's
// own handler must survive them.
template <typename Session>
void runOnInput(const uint8_t* data, size_t size, Session session) {
    static std::vector<char> inputCopy;
    // fmemopen refuses an empty buffer: keep one spare byte and read only `size` of them.
    inputCopy.assign(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
    inputCopy.push_back(0);
    commandInput = size ? fmemopen(inputCopy.data(), size, "r") : std::fopen("/dev/null", "r");
    if (!commandInput) std::abort();
    struct sigaction interrupt;
    sigaction(SIGINT, nullptr, &interrupt);
    session();
    sigaction(SIGINT, &interrupt, nullptr);
    std::fclose(commandInput);
    commandInput = stdin;
}

[[noreturn]] inline void corrupted(const char* what) {
    std::fprintf(stderr, "fuzz: board state corrupted after the session: %s\n", what);
    std::abort();
}

// Faults that leave the memory intact but the board inconsistent show here: once the session ends,
// the game's position keeps its invariants and its history stays within its stack.
inline void checkBoard() {
    if (const char* fault = positionFault(game)) corrupted(fault);
    if (game.top < game.history || game.top >= game.history + HISTORY_SIZE) corrupted("history");
}
