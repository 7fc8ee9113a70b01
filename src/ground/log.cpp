#include "ground/log.h"

#include "ground/places.h"

std::ofstream engineLog;
std::mutex engineLogMutex;

namespace {

constexpr const char* LOG_FILE_NAME = "Tarnek.log";

}  // namespace

// An engine started in a folder the user cannot write (the installed book's, say) still keeps
// its log, in a place of the user's own.
void openEngineLog() {
    if (openEngineLog(LOG_FILE_NAME)) return;
    char path[PLACE_SIZE];
    if (userStateFile(LOG_FILE_NAME, path, PLACE_SIZE)) openEngineLog(path);
}

bool openEngineLog(const char* path) {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    if (engineLog.is_open()) engineLog.close();
    engineLog.clear();
    // Binary: the same bytes on every system, no "\r" added before the line ends on Windows.
    engineLog.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    return engineLog.is_open();
}

void closeEngineLog() {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    if (engineLog.is_open()) engineLog.close();
    engineLog.clear();
}
