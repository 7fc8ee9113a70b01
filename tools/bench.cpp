// Searches a fixed set of positions (or one given position) to a fixed depth and prints, per
// position, the result and the nodes, and in the end the total: the engine's signature.
//
//   tarnek-bench [--960] [DEPTH [FEN]]     (--960: FEN is a Chess960 position)
#include <cstdio>
#include <string>

#include "arguments.h"
#include "board/attacks.h"
#include "eval/tables.h"
#include "game/bench.h"
#include "game/enginethread.h"

namespace {

const char* const USAGE = "usage: tarnek-bench [--960] [DEPTH [FEN]]   (DEPTH 2 to 63, default 7)";
const char* const HELP =
    "Searches 30 built-in positions, or the one FEN, to DEPTH plies and prints each position's\n"
    "best move, score and nodes, then the total: the engine's bench signature. --960: FEN is a\n"
    "Chess960 position (castling rights KQkq or rook files such as HAha).\n";

void printLine(const char* line) { std::printf("%s\n", line); }

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && answeredHelp(argv[1], USAGE, HELP)) return 0;
    int arg = 1;
    const Variant variant = readVariantOption(argc, argv, arg);
    long depth = DEFAULT_BENCH_DEPTH;
    if (arg < argc && !readCount(argv[arg], FIRST_ITERATION, DEEPEST_ITERATION, depth)) return refuseArguments(USAGE);
    ++arg;
    initBoardTables();
    initEvalTables();
    launchEngine();

    std::string fen;
    for (int i = arg; i < argc; ++i) {
        if (i > arg) fen += ' ';
        fen += argv[i];
    }
    const char* const given = fen.c_str();
    const BenchTotal total = arg < argc
                                 ? benchPositions(&given, 1, unsigned(depth), printLine, variant)
                                 : benchPositions(BENCH_POSITIONS, BENCH_POSITION_COUNT, unsigned(depth), printLine, variant);
    quitEngine();
    std::printf("bench nodes %llu ms %.0f nps %.0f\n", static_cast<unsigned long long>(total.nodes), total.ms, total.nps());
    return total.accepted ? 0 : 1;
}
