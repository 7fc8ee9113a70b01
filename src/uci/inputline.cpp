#include "uci/inputline.h"

#include <cstdio>
#include <cstring>

#include "ground/console.h"
#include "ground/decimal.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

LineRead readLine(char* line) {
    int length = 0;
    bool tooLong = false;
    int c;
    while ((c = std::getc(commandInput)) != EOF && c != '\n') {
        if (length == LINE_SIZE - 1) {
            tooLong = true;
            continue;
        }
        // A carriage return, a tab or a stray zero byte separates words like a blank.
        line[length++] = c >= 0 && c < ' ' ? ' ' : char(c);
    }
    line[length] = 0;
    if (tooLong) return LINE_TOO_LONG;
    if (c == EOF && length == 0) return INPUT_ENDED;
    return LINE_READ;
}

int splitWords(const char* line, Word* words, int maxWords) {
    int count = 0;
    const char* cursor = line;
    while (count < maxWords) {
        while (isBlank(*cursor)) ++cursor;
        if (!*cursor) break;
        const char* start = cursor;
        while (*cursor && !isBlank(*cursor)) ++cursor;
        words[count++] = Word{start, int(cursor - start)};
    }
    return count;
}

bool wordIs(const Word& word, const char* text) {
    return int(std::strlen(text)) == word.length && std::memcmp(word.text, text, size_t(word.length)) == 0;
}

bool wordIsAnyCase(const Word& word, const char* text) {
    if (int(std::strlen(text)) != word.length) return false;
    for (int i = 0; i < word.length; ++i)
        if (lowerCase(word.text[i]) != lowerCase(text[i])) return false;
    return true;
}

bool readNumber(const Word& word, int64_t& value) { return readInteger(word.text, word.length, value); }
