// What the GUI sees of a search: an info line per completed iteration, the final info line and
// the best move.
#pragma once

#include <cstdint>

#include "ground/types.h"

// Write a score as UCI shows it: "cp <centipawns>", or for a mate (isMateScore) "mate <moves>",
// negative when the side to move is the one mated.
void scoreText(char* buffer, int bufferSize, int score);

// Start counting the iterations of a new search.
void startReports();

// The search's report after each completed iteration (engine thread): depth, score, nodes,
// nodes per second, time and the principal variation.
void reportIteration(unsigned depth, int score);

// After the search, with the engine thread idle: the final info line and "bestmove" for the
// search's result, or "bestmove (none)" when the side to move has no move. A result that is no
// move to play (a position drawn by rule before the search) is answered with the first legal
// move. Returns the move sent, or 0 for none.
Move answerSearch();

// The answer of a side to move without a legal move: mated or stalemated, then "bestmove (none)".
void answerNoMove();
