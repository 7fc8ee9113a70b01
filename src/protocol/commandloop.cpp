#include "protocol/commandloop.h"

int runCommandLoop() { return 0; }
