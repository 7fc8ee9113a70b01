// Move-path enumeration: counts the positions DEPTH plies below a position, walking the tree
// with the engine's own generators, make/unmake and legality test (at the last ply only for the
// moves that could uncover the king).
//
//   tarnek-perft DEPTH [FEN]             the count
//   tarnek-perft --divide DEPTH [FEN]    one line per legal root move first ("e2e4 20")
//   tarnek-perft --960 ...               the FEN is a Chess960 game's (rights as "KQkq" or as rook
//                                        files, "HAha"); castling is listed as the king taking its rook
//
// The last line is always "nodes <N> ms <T> nps <R>". Without FEN the initial position is used.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "arguments.h"
#include "board/attacks.h"
#include "board/notation.h"
#include "eval/tables.h"
#include "frames/frames.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "movegen/perft.h"

namespace {

const char* const USAGE = "usage: tarnek-perft [--960] [--divide] DEPTH [FEN]   (DEPTH 0 to 71, with --divide 1 to 71)";
const char* const HELP =
    "Counts the positions DEPTH plies below FEN (default: the initial position); --divide lists\n"
    "each legal root move's count first. The last line is \"nodes <N> ms <T> nps <R>\".\n"
    "--960: FEN is a Chess960 position (castling rights KQkq or rook files such as HAha), and\n"
    "castling is written as the king taking its own rook (e1h1).\n";

static_assert(MAX_PERFT_DEPTH == 71, "the usage line names the deepest count");

}  // namespace

int main(int argc, char** argv) {
    int arg = 1;
    if (arg < argc && answeredHelp(argv[arg], USAGE, HELP)) return 0;
    const Variant variant = readVariantOption(argc, argv, arg);
    bool divide = false;
    if (arg < argc && std::strcmp(argv[arg], "--divide") == 0) {
        divide = true;
        ++arg;
    }
    long depth = 0;
    if (arg >= argc || !readCount(argv[arg], divide ? 1 : 0, MAX_PERFT_DEPTH, depth)) return refuseArguments(USAGE);
    ++arg;
    // The position may come as one argument or as several words.
    std::string text;
    for (; arg < argc; ++arg) {
        if (!text.empty()) text += ' ';
        text += argv[arg];
    }
    if (text.empty()) text = INITIAL_POSITION_TEXT;

    initBoardTables();
    initEvalTables();
    if (!setPosition(text.c_str(), false, nullptr, 0, variant)) {
        std::fprintf(stderr, "tarnek-perft: position refused: %s\n", text.c_str());
        return 2;
    }
    static SearchFrames frames;

    const auto start = std::chrono::steady_clock::now();
    uint64_t nodes = 0;
    if (divide) {
        static DivideEntry entries[MAX_LIST_MOVES];
        const int count = perftDivide(game, frames.plies, int(depth), frames.moves, entries);
        for (int i = 0; i < count; ++i) {
            char move[MOVE_TEXT_SIZE];
            moveToText(move, entries[i].move);
            std::printf("%s %llu\n", move, (unsigned long long)entries[i].nodes);
            nodes += entries[i].nodes;
        }
    } else {
        nodes = perft(game, frames.plies, int(depth), frames.moves);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long long us = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
    const long long ms = us / 1000;
    const long long nps = (long long)(double(nodes) * 1e6 / double(us > 0 ? us : 1));
    std::printf("nodes %llu ms %lld nps %lld\n", (unsigned long long)nodes, ms, nps);
    return 0;
}
