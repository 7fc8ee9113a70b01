#include "game/level.h"

#include <cmath>

#include "search/mate.h"

namespace {

// The search at full strength makes about this many moves in a move's time at 10 s + 0.1 s; each
// STEP of weakening halves it.
constexpr double TOP_NODES = 2.0e6;
constexpr double STEP = 60.0;
// The chance of a weaker move grows with the weakening: the temperature at the strongest level and
// its rise per unit; moves worse than MAX_LOSS_TEMPERATURES times it are never drawn.
constexpr double TOP_TEMPERATURE_CP = 10.0;
constexpr double TEMPERATURE_PER_STEP_UNIT = 0.15;
constexpr int MAX_LOSS_TEMPERATURES = 4;
constexpr int LEVEL_LINES = 4;

// The weakening for a level `below` rating points under the strongest. Measured against
// stockfish's levels, play loses strength faster than nodes near the top and slower further down:
// a level 50 points down needs little weakening, one 500 points down much.
double weakening(double below) { return 0.4 * below + 0.0004 * below * below; }

}  // namespace

PlayingLevel playingLevel(int elo) {
    if (elo >= STRONGEST_LEVEL_ELO) return PlayingLevel{0, 1, 0, 0};
    if (elo < WEAKEST_LEVEL_ELO) elo = WEAKEST_LEVEL_ELO;
    const double weaker = weakening(double(STRONGEST_LEVEL_ELO - elo));
    const uint64_t nodes = uint64_t(TOP_NODES * std::exp2(-weaker / STEP));
    const int temperature = int(TOP_TEMPERATURE_CP + TEMPERATURE_PER_STEP_UNIT * weaker);
    return PlayingLevel{nodes > 1000 ? nodes : 1000, LEVEL_LINES, temperature, MAX_LOSS_TEMPERATURES * temperature};
}

int chooseLine(const PlayingLevel& level, const ScoredMove* lines, int count, uint64_t random) {
    if (count <= 1 || level.temperatureCp <= 0 || (isMateScore(lines[0].score) && lines[0].score > 0)) return 0;
    double weights[16];
    double total = 0;
    int eligible = 0;
    for (int i = 0; i < count && i < 16; ++i) {
        const int loss = lines[0].score - lines[i].score;
        if (loss > level.maxLossCp) break;
        weights[i] = std::exp(-double(loss) / double(level.temperatureCp));
        total += weights[i];
        eligible = i + 1;
    }
    // A uniform draw in [0, total): the top 53 bits of `random` as a fraction.
    double draw = double(random >> 11) * 0x1.0p-53 * total;
    for (int i = 0; i < eligible; ++i) {
        if (draw < weights[i]) return i;
        draw -= weights[i];
    }
    return 0;
}
