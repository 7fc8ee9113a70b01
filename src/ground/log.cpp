#include "ground/log.h"

std::ofstream engineLog;
std::mutex engineLogMutex;

void openEngineLog() { openEngineLog("Tarnek.log"); }

bool openEngineLog(const char* path) {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    if (engineLog.is_open()) engineLog.close();
    engineLog.clear();
    engineLog.open(path, std::ios::out | std::ios::trunc);
    return engineLog.is_open();
}

void closeEngineLog() {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    if (engineLog.is_open()) engineLog.close();
    engineLog.clear();
}
