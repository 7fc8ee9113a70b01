#include "uci/options.h"

#include <cstring>
#include <thread>

#include "game/enginethread.h"
#include "game/level.h"
#include "ground/log.h"
#include "uci/reply.h"

constexpr UciOptions DEFAULT_OPTIONS{DEFAULT_HASH_MB, 1, false, true, false, WEAKEST_LEVEL_ELO,
                                     NORMAL_CHESS, DEFAULT_MOVE_OVERHEAD_MS, false, false};

UciOptions uciOptions = DEFAULT_OPTIONS;
OptionCeilings optionCeilings{MAX_HASH_MB, MAX_SEARCH_THREADS, true};

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

// A check option's value: true or false.
void readCheck(const char* name, const Word* value, int count, bool& setting) {
    if (count == 1 && wordIsAnyCase(value[0], "true")) setting = true;
    else if (count == 1 && wordIsAnyCase(value[0], "false")) setting = false;
    else sendFormatted("info string %s takes true or false: unchanged", name);
}

// A spin option's value: a whole number within [low, high]. False, changing nothing, otherwise.
bool readSpin(const char* name, const Word* value, int count, int low, int high, int& setting) {
    int64_t number;
    if (count != 1 || !readNumber(value[0], number) || number < low || number > high) {
        sendFormatted("info string %s takes a whole number from %d to %d: unchanged", name, low, high);
        return false;
    }
    setting = int(number);
    return true;
}

void setHash(const Word* value, int count) {
    int megabytes = uciOptions.hashMb;
    if (!readSpin("Hash", value, count, 1, MAX_HASH_MB, megabytes)) return;
    if (megabytes > optionCeilings.hashMb) megabytes = optionCeilings.hashMb;
    if (!resizeTable(megabytes)) {
        sendFormatted("info string Hash: %d MB cannot be had; the table keeps its %d MB", megabytes, uciOptions.hashMb);
        return;
    }
    uciOptions.hashMb = megabytes;
}

void setThreads(const Word* value, int count) {
    int threads = 0;
    if (!readSpin("Threads", value, count, 1, maxThreads(), threads)) return;
    setSearchThreads(threads < optionCeilings.threads ? threads : optionCeilings.threads);
}

// The value runs from its first word to the end of its last, blanks inside kept. Empty, or
// "<empty>" as GUIs write an empty string, closes the log.
void setLogFile(const Word* value, int count) {
    const char* start = count ? value[0].text : "";
    const long length = count ? long(value[count - 1].text + value[count - 1].length - start) : 0;
    if (length == 0 || (count == 1 && wordIs(value[0], "<empty>")) || !optionCeilings.logFiles) {
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

// The next "position" sets its game up anew as a game of the variant chosen.
void setVariant(const Word* value, int count) {
    bool chess960 = uciOptions.variant == CHESS960;
    readCheck("UCI_Chess960", value, count, chess960);
    uciOptions.variant = chess960 ? CHESS960 : NORMAL_CHESS;
}

}  // namespace

void resetOptions() {
    const int hashMb = uciOptions.hashMb;
    uciOptions = DEFAULT_OPTIONS;
    if (hashMb != DEFAULT_HASH_MB && !resizeTable(DEFAULT_HASH_MB)) uciOptions.hashMb = hashMb;
    closeEngineLog();
}

int maxThreads() {
    const int hardware = int(std::thread::hardware_concurrency());
    const int most = hardware * 4 > 64 ? hardware * 4 : 64;
    return most < MAX_SEARCH_THREADS ? most : MAX_SEARCH_THREADS;
}

void sendOptionLines() {
    sendFormatted("option name Hash type spin default %d min 1 max %d", DEFAULT_HASH_MB, MAX_HASH_MB);
    sendLine("option name Clear Hash type button");
    sendFormatted("option name Threads type spin default 1 min 1 max %d", maxThreads());
    sendFormatted("option name MultiPV type spin default 1 min 1 max %d", MAX_LINES);
    sendLine("option name Ponder type check default false");
    sendLine("option name OwnBook type check default true");
    sendLine("option name UCI_Chess960 type check default false");
    sendLine("option name UCI_LimitStrength type check default false");
    sendFormatted("option name UCI_Elo type spin default %d min %d max %d", WEAKEST_LEVEL_ELO, WEAKEST_LEVEL_ELO,
                  STRONGEST_LEVEL_ELO);
    sendLine("option name Debug Log File type string default <empty>");
    sendFormatted("option name Move Overhead type spin default %d min 0 max %d", DEFAULT_MOVE_OVERHEAD_MS,
                  MAX_MOVE_OVERHEAD_MS);
    sendLine("option name UCI_ShowWDL type check default false");
    sendLine("option name UCI_AnalyseMode type check default false");
}

void setOption(const Word* words, int count) {
    int at = 0;
    while (at < count && !wordIs(words[at], "name")) ++at;
    ++at;
    char name[NAME_SIZE];
    if (at > count || !readName(words, count, at, name)) {
        sendLine("info string setoption needs: name <option> [value <value>]");
        return;
    }
    const Word* value = at < count ? words + at + 1 : words + count;
    const int valueCount = at < count ? count - at - 1 : 0;
    const Word nameWord{name, int(std::strlen(name))};
    if (wordIsAnyCase(nameWord, "Hash"))
        setHash(value, valueCount);
    else if (wordIsAnyCase(nameWord, "Clear Hash"))
        clearTable();
    else if (wordIsAnyCase(nameWord, "Threads"))
        setThreads(value, valueCount);
    else if (wordIsAnyCase(nameWord, "MultiPV"))
        readSpin("MultiPV", value, valueCount, 1, MAX_LINES, uciOptions.multiPv);
    else if (wordIsAnyCase(nameWord, "Ponder"))
        readCheck("Ponder", value, valueCount, uciOptions.ponder);
    else if (wordIsAnyCase(nameWord, "OwnBook"))
        readCheck("OwnBook", value, valueCount, uciOptions.ownBook);
    else if (wordIsAnyCase(nameWord, "UCI_Chess960"))
        setVariant(value, valueCount);
    else if (wordIsAnyCase(nameWord, "UCI_LimitStrength"))
        readCheck("UCI_LimitStrength", value, valueCount, uciOptions.limitStrength);
    else if (wordIsAnyCase(nameWord, "UCI_Elo"))
        readSpin("UCI_Elo", value, valueCount, WEAKEST_LEVEL_ELO, STRONGEST_LEVEL_ELO, uciOptions.elo);
    else if (wordIsAnyCase(nameWord, "Debug Log File"))
        setLogFile(value, valueCount);
    else if (wordIsAnyCase(nameWord, "Move Overhead"))
        readSpin("Move Overhead", value, valueCount, 0, MAX_MOVE_OVERHEAD_MS, uciOptions.moveOverheadMs);
    else if (wordIsAnyCase(nameWord, "UCI_ShowWDL"))
        readCheck("UCI_ShowWDL", value, valueCount, uciOptions.showWdl);
    else if (wordIsAnyCase(nameWord, "UCI_AnalyseMode"))
        readCheck("UCI_AnalyseMode", value, valueCount, uciOptions.analyseMode);
    else
        sendFormatted("info string No such option: %s", name);
}
