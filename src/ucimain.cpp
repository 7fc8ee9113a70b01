#include "uci/uciloop.h"

int main() { return runUciLoop(); }
