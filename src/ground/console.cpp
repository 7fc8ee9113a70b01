#include "ground/console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

// A harness may hand the command loop other streams (a text in memory, a sink) before it runs.
std::FILE* commandInput = stdin;
std::FILE* commandOutput = stdout;

void useBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}
