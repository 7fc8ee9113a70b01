#include "frames/frames.h"

#include <cstring>

PlyFrame plyFrames[MAX_FRAMES];
PlyFrame* currentUndo = plyFrames;
ScoredMove moveStack[MOVE_STACK_SIZE];
uint32_t historyTable[2][4096];

void clearSearchMemory() {
    std::memset(historyTable, 0, sizeof historyTable);
    for (PlyFrame& frame : plyFrames) frame.killer1 = frame.killer2 = 0;
}
