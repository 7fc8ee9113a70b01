#include "search/control.h"

std::atomic<uint8_t> stopFlag{0};
std::atomic<uint8_t> lastIterationFlag{0};
std::atomic<uint8_t> failLowFlag{1};
unsigned iterationDepth = 0;
std::atomic<uint64_t> searchNodes{0};
uint64_t nodeLimit = NO_NODE_LIMIT;

void resetSearchControl(uint64_t limit) {
    stopFlag = 0;
    lastIterationFlag = 0;
    searchNodes = 0;
    nodeLimit = limit;
}
