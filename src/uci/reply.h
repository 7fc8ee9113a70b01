// Lines to the GUI. The command loop, the supervisor of a search and the engine thread's
// iteration reports all write through one lock, so that no line is ever cut into by another.
#pragma once

// The longest line sent: an info line with a principal variation of 63 moves fits easily.
constexpr int REPLY_SIZE = 1024;

// Send `line` and a line end, whole, and flush.
void sendLine(const char* line);

// Send a line formatted as printf does; cut at REPLY_SIZE - 1 characters.
void sendFormatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
