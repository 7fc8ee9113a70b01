// The diagnostic log "Tarnek.log": one line per entry, flushed at once, safe from both threads.
#pragma once

#include <fstream>
#include <mutex>

extern std::ofstream engineLog;
extern std::mutex engineLogMutex;

// Open (truncate) "Tarnek.log" in the current directory, or in the user's state folder when the
// current directory will not take it. Until then entries go nowhere.
void openEngineLog();
// Open (truncate) the log at `path` instead, closing any open one; false when it cannot be written.
bool openEngineLog(const char* path);
// Close the log: entries go nowhere again.
void closeEngineLog();

// Write one entry: the pieces in order, then a line end; flushed before the lock is released.
template <typename... Pieces>
void logLine(const Pieces&... pieces) {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    (engineLog << ... << pieces) << '\n';
    engineLog.flush();
}
