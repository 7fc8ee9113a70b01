#include "frames/frames.h"

#include <cstring>

void forgetKillers(SearchFrames& frames) {
    for (PlyFrame& frame : frames.plies) frame.killer1 = frame.killer2 = 0;
}

void forgetCutoffCounters(SearchFrames& frames) { std::memset(frames.cutoffCounters, 0, sizeof frames.cutoffCounters); }
