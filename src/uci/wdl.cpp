#include "uci/wdl.h"

#include <cmath>

namespace {

// The model: win = 1 / (1 + exp(-(score - a) / b)), and loss the same of -score; the rest is the
// draw. Both a (the score at which a win becomes as likely as not) and b (how fast it becomes so)
// follow the material on the board, m = Position::material / 78, as a0 + a1 m + a2 m^2.
constexpr double A[3] = {301.0, -661.7, 442.5};
constexpr double B[3] = {117.7, 42.8, 61.2};
// The model was fitted on material up to the initial position's, and scores up to 20 pawns.
constexpr int FULL_MATERIAL = 78;
constexpr int SCORE_BOUND = 2000;
// The width b never falls below this, whatever the material.
constexpr double NARROWEST = 1.0;

double winChance(double score, double a, double b) { return 1 / (1 + std::exp(-(score - a) / b)); }

int permille(double chance) { return int(std::lround(1000 * chance)); }

}  // namespace

WinDrawLoss winDrawLoss(const Position& p, int centipawns) {
    const double m = (p.material < FULL_MATERIAL ? p.material : FULL_MATERIAL) / double(FULL_MATERIAL);
    const double a = A[0] + (A[1] + A[2] * m) * m;
    const double b = B[0] + (B[1] + B[2] * m) * m;
    const double score = centipawns < -SCORE_BOUND ? -SCORE_BOUND : centipawns > SCORE_BOUND ? SCORE_BOUND : centipawns;
    const int win = permille(winChance(score, a, b > NARROWEST ? b : NARROWEST));
    const int loss = permille(winChance(-score, a, b > NARROWEST ? b : NARROWEST));
    // A model whose two curves overlap (a below 0) leaves no draw: the rounding's excess goes.
    if (win + loss > 1000) return win >= loss ? WinDrawLoss{1000 - loss, 0, loss} : WinDrawLoss{win, 0, 1000 - win};
    return WinDrawLoss{win, 1000 - win - loss, loss};
}
