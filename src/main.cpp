#include "protocol/commandloop.h"

int main() { return runCommandLoop(); }
