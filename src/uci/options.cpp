#include "uci/options.h"

#include <cstring>

#include "ground/log.h"
#include "uci/reply.h"

bool ownBook = true;

namespace {

constexpr int NAME_SIZE = 64;
constexpr int PATH_SIZE = 4096;

// The option's name: the words between "name" and "value", one blank between them.
bool readName(const Word* words, int count, int& at, char* name) {
    int length = 0;
    for (; at < count && !wordIs(words[at], "value"); ++at) {
        if (length + words[at].length + 1 >= NAME_SIZE) return false;
        if (length) name[length++] = ' ';
        std::memcpy(name + length, words[at].text, size_t(words[at].length));
        length += words[at].length;
    }
    name[length] = 0;
    return length > 0;
}

void setOwnBook(const Word* value, int count) {
    if (count == 1 && wordIsAnyCase(value[0], "true")) ownBook = true;
    else if (count == 1 && wordIsAnyCase(value[0], "false")) ownBook = false;
    else sendLine("info string OwnBook takes true or false: unchanged");
}

// The value runs from its first word to the end of its last, blanks inside kept. Empty, or
// "<empty>" as GUIs write an empty string, closes the log.
void setLogFile(const Word* value, int count) {
    const char* start = count ? value[0].text : "";
    const long length = count ? long(value[count - 1].text + value[count - 1].length - start) : 0;
    if (length == 0 || (count == 1 && wordIs(value[0], "<empty>"))) {
        closeEngineLog();
        return;
    }
    if (length >= PATH_SIZE) {
        sendLine("info string Debug Log File: the path is too long; no log is written");
        closeEngineLog();
        return;
    }
    char path[PATH_SIZE];
    std::memcpy(path, start, size_t(length));
    path[length] = 0;
    if (!openEngineLog(path)) sendFormatted("info string Debug Log File: cannot write %.900s; no log is written", path);
}

}  // namespace

void sendOptionLines() {
    sendLine("option name OwnBook type check default true");
    sendLine("option name Debug Log File type string default <empty>");
}

void setOption(const Word* words, int count) {
    int at = 0;
    while (at < count && !wordIs(words[at], "name")) ++at;
    ++at;
    char name[NAME_SIZE];
    if (at > count || !readName(words, count, at, name)) return;
    const Word* value = at < count ? words + at + 1 : words + count;
    const int valueCount = at < count ? count - at - 1 : 0;
    const Word nameWord{name, int(std::strlen(name))};
    if (wordIsAnyCase(nameWord, "OwnBook"))
        setOwnBook(value, valueCount);
    else if (wordIsAnyCase(nameWord, "Debug Log File"))
        setLogFile(value, valueCount);
}
