// What the GUI sees of a search: an info line for each line of each completed iteration, a line
// of progress every second, and the answer. With UCI_ShowWDL every info line with a score carries
// the side to move's chances after it (and after its bound): "wdl W D L" in permille.
#pragma once

#include <cstdint>

#include "ground/types.h"
#include "game/enginethread.h"

// Write a score as UCI shows it: "cp <centipawns>", or for a mate (isMateScore) "mate <moves>",
// negative when the side to move is the one mated.
void scoreText(char* buffer, int bufferSize, int score);

// The search's report after each line of a completed iteration (engine thread): depth, selective
// depth, the line's number when several are shown, score, counts, table fill and its principal
// variation.
void reportIteration(const IterationLine& line);

// A line on the search under way: the depth, the root move being searched and its number,
// counts and table fill.
void reportProgress();

// After the search, with the engine thread idle: the final info line, which gives the answer's
// depth, selective depth, score (with the bound it is, when the search was stopped inside an iteration), counts
// and principal variation, then "bestmove", with the move expected in reply when Ponder is on and
// the line has one. A position already drawn by rule is answered with `fallback`, scored 0.
void answerSearch(Move fallback);

// The answer of a side to move without a legal move: mated or stalemated, then "bestmove (none)".
void answerNoMove(bool mated);

// The answer from the book: a scored info line (a runner reads its score from one), the info
// string that names it a book move, and "bestmove".
void answerBookMove(Move move);
