// The GUI's input, one line at a time, cut into words. UCI is line based: a command and all its
// arguments come on one line, and unknown words are skipped.
#pragma once

#include <cstdint>

// Room for one line: a "position ... moves" line of a game of over ten thousand plies.
constexpr int LINE_SIZE = 1 << 16;

// A word of a line: where it starts and how long it is (not zero-terminated).
struct Word {
    const char* text;
    int length;
};

// A line holds at most this many words (each takes a character and a blank).
constexpr int MAX_WORDS = LINE_SIZE / 2 + 1;

enum LineRead { LINE_READ, LINE_TOO_LONG, INPUT_ENDED };

// Read the next line of commandInput into `line` (LINE_SIZE characters), zero-terminated, its
// line end removed and control characters made blanks. A longer line is read to its end and
// dropped (LINE_TOO_LONG); INPUT_ENDED when nothing more comes.
LineRead readLine(char* line);

// Cut `line` into its words; returns how many (at most `maxWords`).
int splitWords(const char* line, Word* words, int maxWords);

// Whether the word is exactly `text`; the same without regard to letter case.
bool wordIs(const Word& word, const char* text);
bool wordIsAnyCase(const Word& word, const char* text);

// The word as a decimal integer with an optional sign, saturated to the range of int64_t;
// false when it is anything else.
bool readNumber(const Word& word, int64_t& value);
