// The UCI command loop: one input line at a time until "quit" or the end of input, answered
// while the engine searches.
#pragma once

// Run the whole session on standard input and output; returns the process exit status. With the
// arguments "bench [DEPTH]", run the built-in bench instead and print its node count and speed.
int runUciLoop(int argc, char** argv);
