#include "ground/log.h"

std::ofstream engineLog;
std::mutex engineLogMutex;

void openEngineLog() {
    std::lock_guard<std::mutex> lock(engineLogMutex);
    if (engineLog.is_open()) engineLog.close();
    engineLog.open("Tarnek.log", std::ios::out | std::ios::trunc);
}
