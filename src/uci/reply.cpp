#include "uci/reply.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "ground/console.h"

namespace {

std::mutex replyMutex;

}  // namespace

void sendLine(const char* line) {
    std::lock_guard<std::mutex> lock(replyMutex);
    std::fputs(line, commandOutput);
    std::fputc('\n', commandOutput);
    std::fflush(commandOutput);
}

void sendFormatted(const char* format, ...) {
    char line[REPLY_SIZE];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    sendLine(line);
}
