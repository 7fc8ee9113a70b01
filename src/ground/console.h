// The GUI's two streams: where the commands come from and where the answers go.
#pragma once

#include <cstdio>

extern std::FILE* commandInput;    // the commands, read a character at a time; standard input
extern std::FILE* commandOutput;   // the answers and the user's messages; standard output

// Standard input and output as the GUI's pipes, byte for byte: on Windows no "\n" is written as
// "\r\n" and no Ctrl-Z read as the end of input. Each program calls it before its first word.
void useBinaryStreams();
