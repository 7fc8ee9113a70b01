// The xboard command loop: handshake, then one input word at a time until quit.
#pragma once

// Run the whole session on standard input and output; returns the process exit status.
int runCommandLoop();
