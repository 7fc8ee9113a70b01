#include "ground/console.h"

// A harness may hand the command loop other streams (a text in memory, a sink) before it runs.
std::FILE* commandInput = stdin;
std::FILE* commandOutput = stdout;
