// Levels of play below full strength, for people: a rating on the scale of stockfish's UCI_Elo
// turned into a search of fewer nodes that weighs its best few root moves and plays one of them
// by chance, the better ones more often, as a person at that level might.
#pragma once

#include <cstdint>

#include "ground/types.h"

// The range of ratings a level can be asked for: the weakest level calibrated, and full strength
// as measured (at which a level plays as without one).
constexpr int WEAKEST_LEVEL_ELO = 1350;
constexpr int STRONGEST_LEVEL_ELO = 1850;

struct PlayingLevel {
    uint64_t nodes;       // moves the search may make (0: no level, full strength)
    int lines;            // the best root moves it searches to full depth and weighs
    int temperatureCp;    // a move `loss` centipawns below the best is drawn with weight
                          // exp(-loss / temperatureCp)
    int maxLossCp;        // no move worse than this below the best is drawn
};

// The level for a rating within [WEAKEST_LEVEL_ELO, STRONGEST_LEVEL_ELO] (clamped to it); at the
// strongest, no level at all.
PlayingLevel playingLevel(int elo);

// Which of `count` lines (their first moves and scores, best first) the level plays, drawn with
// `random`, a uniform 64-bit value. A mate the best line gives is never passed over.
int chooseLine(const PlayingLevel& level, const ScoredMove* lines, int count, uint64_t random);
