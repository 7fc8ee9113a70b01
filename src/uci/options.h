// The engine's options as the GUI sets them with "setoption": each declared in the answer to
// "uci" with its type, default and range, and acting at once (between searches).
#pragma once

#include <cstdint>

#include "board/castling.h"
#include "uci/inputline.h"

// Hash: megabytes of the transposition table. The default is the xboard program's table, so that
// a search after "ucinewgame" equals the bench's.
constexpr int DEFAULT_HASH_MB = 12;
constexpr int MAX_HASH_MB = 65536;
// MultiPV: the most lines one search may show.
constexpr int MAX_LINES = 256;
// Move Overhead: milliseconds of the GUI's lag kept back from every move's time, by default and at most.
constexpr int DEFAULT_MOVE_OVERHEAD_MS = 10;
constexpr int MAX_MOVE_OVERHEAD_MS = 5000;

// The options as the GUI has set them: the UCI front end's own, changed only between searches.
// What a search needs of them goes into its request.
struct UciOptions {
    int hashMb;      // Hash, as last set: the table may be smaller, the largest power of two that fits
    int multiPv;     // MultiPV: the best root moves each iteration searches to full depth and shows
    bool ponder;     // Ponder: "bestmove" names the move the engine expects in reply
    bool ownBook;    // OwnBook: play from "Tarnek.book" in the working folder (set up with every new
                     // game from the initial position); otherwise the engine never plays a book move
    bool limitStrength;   // UCI_LimitStrength: play at the level of elo
    int elo;              // UCI_Elo: the rating the level plays at (WEAKEST_LEVEL_ELO and up)
    Variant variant;      // UCI_Chess960: the games the GUI sends are Chess960 games (castling rights
                          // as rook files or as KQkq, a castling as the king taking its own rook),
                          // played without the book
    int moveOverheadMs;   // Move Overhead: kept back from every timed search
    bool showWdl;         // UCI_ShowWDL: info lines with a score carry "wdl W D L" (permille)
    bool analyseMode;     // UCI_AnalyseMode: every go is analysis: no book move, a search of its own
};
extern UciOptions uciOptions;

// Threads: the most searching threads, the hardware's threads four times over but at least 64.
int maxThreads();

// What a harness may narrow (a fuzzer feeds arbitrary settings): the largest table Hash sets, the
// most threads Threads starts, and whether Debug Log File may name a file at all.
struct OptionCeilings {
    int hashMb;
    int threads;
    bool logFiles;
};
extern OptionCeilings optionCeilings;

// Every option back to its default (a harness starting a fresh session in the same process).
void resetOptions();

// Send one "option" line per option, as the answer to "uci" lists them.
void sendOptionLines();

// "setoption" with the words after it: name <id> [value <x>]. The name is read without regard
// to letter case. An unknown name, or a value of the wrong kind or out of range, changes nothing
// and is answered with an info string.
void setOption(const Word* words, int count);

