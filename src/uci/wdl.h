// What a score says of the game's result (UCI_ShowWDL): the chances of the side to move to win,
// draw and lose, by a model fitted on Tarnek's own games (tools/wdl-model).
#pragma once

#include "board/position.h"

// Permille, summing to 1000.
struct WinDrawLoss {
    int win, draw, loss;
};

// The chances of the side to move in `p` when the search scores it `centipawns` (no mate score).
WinDrawLoss winDrawLoss(const Position& p, int centipawns);
