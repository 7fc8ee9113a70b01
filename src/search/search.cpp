#include "search/search.h"

#include "search/frames.h"

std::atomic<uint8_t> stopFlag{0};
std::atomic<uint8_t> failLowFlag{1};
unsigned maxDepth = 63;
unsigned iterationDepth = 0;
uint64_t searchNodes = 0;

// Stand-in until the search lands: no move found.
Move searchPosition() {
    rootMoves[0] = ScoredMove{0, 0};
    return 0;
}
