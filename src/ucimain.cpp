#include "uci/uciloop.h"

int main(int argc, char** argv) { return runUciLoop(argc, argv); }
