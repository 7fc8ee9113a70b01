// Searches a fixed set of positions (or one given position) to a fixed depth and prints, per
// position, the result and the nodes, and in the end the total: the engine's signature.
//
//   tarnek-bench [DEPTH [FEN]]
#include <cstdio>
#include <string>

#include "arguments.h"
#include "board/attacks.h"
#include "eval/tables.h"
#include "game/bench.h"
#include "game/enginethread.h"

namespace {

const char* const USAGE = "usage: tarnek-bench [DEPTH [FEN]]   (DEPTH 2 to 63, default 7)";
const char* const HELP =
    "Searches 30 built-in positions, or the one FEN, to DEPTH plies and prints each position's\n"
    "best move, score and nodes, then the total: the engine's bench signature.\n";

struct Outcome {
    uint64_t nodes;
    double ms;
};

// Search one position from a fresh set-up; prints its line. Returns false if the text is refused.
bool benchOne(const char* fen, unsigned depth, Outcome& total) {
    const BenchOutcome outcome = benchPosition(fen, depth);
    char line[512];
    benchLine(line, sizeof line, fen, outcome);
    std::printf("%s\n", line);
    total.nodes += outcome.nodes;
    total.ms += outcome.ms;
    return outcome.accepted;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && isHelpOption(argv[1])) {
        std::printf("%s\n%s", USAGE, HELP);
        return 0;
    }
    long depth = DEFAULT_BENCH_DEPTH;
    if (argc > 1 && !readCount(argv[1], FIRST_ITERATION, DEEPEST_ITERATION, depth)) return refuseArguments(USAGE);
    initBoardTables();
    initEvalTables();
    launchEngine();

    Outcome total{0, 0.0};
    bool allAccepted = true;
    if (argc > 2) {
        std::string fen;
        for (int i = 2; i < argc; ++i) {
            if (i > 2) fen += ' ';
            fen += argv[i];
        }
        allAccepted = benchOne(fen.c_str(), unsigned(depth), total);
    } else {
        for (const char* fen : BENCH_POSITIONS) allAccepted = benchOne(fen, unsigned(depth), total) && allAccepted;
    }
    quitEngine();
    const double nps = total.ms > 0 ? double(total.nodes) * 1000.0 / total.ms : 0.0;
    std::printf("bench nodes %llu ms %.0f nps %.0f\n", static_cast<unsigned long long>(total.nodes), total.ms, nps);
    return allAccepted ? 0 : 1;
}
