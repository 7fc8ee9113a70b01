// Command-line arguments of the built tools: each answers --help with its usage on standard
// output and status 0, and a bad argument with its one usage line on standard error and status 2.
#pragma once

#include <cstdio>
#include <cstring>

#include "board/castling.h"

constexpr int USAGE_STATUS = 2;

inline bool isHelpOption(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

// When `argument` asks for help: the usage line and the `help` text on standard output, and true
// (the tool then ends with status 0).
inline bool answeredHelp(const char* argument, const char* usage, const char* help) {
    if (!isHelpOption(argument)) return false;
    std::printf("%s\n%s", usage, help);
    return true;
}

// The usage line alone, on standard error: the answer to an argument that cannot be used.
inline int refuseArguments(const char* usage) {
    std::fprintf(stderr, "%s\n", usage);
    return USAGE_STATUS;
}

// A count written in decimal digits only (no sign, blank or suffix), within [low, high].
inline bool readCount(const char* text, long low, long high, long& value) {
    if (!*text) return false;
    long number = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        number = number * 10 + (*c - '0');
        if (number > high) return false;
    }
    if (number < low) return false;
    value = number;
    return true;
}

// "--960" at argv[arg], which it then steps over: the position given is a Chess960 game's.
inline Variant readVariantOption(int argc, char** argv, int& arg) {
    if (arg >= argc || std::strcmp(argv[arg], "--960") != 0) return NORMAL_CHESS;
    ++arg;
    return CHESS960;
}
