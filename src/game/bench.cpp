#include "game/bench.h"

#include <cstdio>

#include "board/notation.h"
#include "game/enginethread.h"
#include "game/setup.h"

const char* const BENCH_POSITIONS[BENCH_POSITION_COUNT] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -",
    "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -",
    "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq -",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq -",
    "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq -",
    "r1bq1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P3/2NP1N2/PPP2PPP/R2QK2R w KQ -",
    "r1bqr1k1/ppp2ppp/2n2n2/3p4/1bPP4/2N1PN2/PP1B1PPP/R2QKB1R b KQ -",
    "r2q1rk1/1b1nbppp/pp1ppn2/8/2PNP3/1PN1B3/P3BPPP/R2Q1RK1 w - -",
    "2r2rk1/pp1bqppp/2n1pn2/3p4/3P4/2PBPN2/P1Q2PPP/R1B2RK1 w - -",
    "2kr3r/ppp1qppp/2np1n2/2b1p1B1/4P1b1/2NP1N2/PPP1QPPP/R3KB1R w KQ -",
    "r4rk1/1b3ppp/p7/1p6/8/1B6/PP3PPP/R4RK1 w - -",
    "2r3k1/5ppp/p3p3/1p1pP3/3P4/P4N1P/1P3PP1/2R3K1 b - -",
    "rnbqk1nr/pppp1ppp/8/4p3/1b1P4/8/PPP1PPPP/RNBQKBNR w KQkq -",
    "r1b1k2r/ppppqppp/2n2n2/4N3/1bB1P3/2N5/PPPP1PPP/R1BQK2R b KQkq -",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -",
    "3r2k1/5ppp/8/8/8/1Q6/5PPP/6K1 w - -",
    "8/5pk1/6p1/1p5p/1P1R3P/6P1/5PK1/2r5 b - -",
    "8/8/4k3/8/2p5/2K5/1R6/5r2 w - -",
    "8/8/8/3k4/8/3K4/3P4/8 w - -",
    "8/3k4/8/2n1p3/4P3/3K1B2/8/8 w - -",
    "1K1k4/1P6/8/8/8/8/r7/2R5 w - -",
    "4k3/8/8/3PK3/8/8/r7/7R b - -",
    "8/1P6/8/8/8/8/5kp1/K7 w - -",
    "r3k3/1P6/8/8/8/8/8/4K3 w q -",
    "8/6k1/8/8/3q4/8/5QPK/8 w - -",
    "rnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq -",
    "7k/5Q2/6K1/8/8/8/8/8 b - -",
    "8/8/4k3/8/8/3BK3/8/8 w - -",
};

BenchOutcome benchPosition(const char* fen, unsigned depth, Variant variant) {
    if (!setPosition(fen, false, nullptr, 0, variant)) return BenchOutcome{false, ScoredMove{0, 0}, 0, 0.0};
    startSearch(SearchRequest{SearchLimits{depth, nullptr}, UNLIMITED_TIME});
    waitForSearch();
    const SearchProgress progress = searchProgress();
    return BenchOutcome{true, searchResult().best, progress.nodes, double(progress.elapsedUs) / 1000.0};
}

void benchLine(char* buffer, int size, const char* fen, const BenchOutcome& outcome) {
    if (!outcome.accepted) {
        std::snprintf(buffer, size_t(size), "%s | refused", fen);
        return;
    }
    const Move move = outcome.best.move;
    char text[MOVE_TEXT_SIZE];
    const char* shown = text;
    if (move == MatedCode) shown = "mated";
    else if (move == StalemateCode) shown = "stalemate";
    else if (move == RepetitionCode) shown = "draw";
    else moveToText(text, move);
    std::snprintf(buffer, size_t(size), "%s | best %s score %d nodes %llu ms %.0f", fen, shown, int(outcome.best.score),
                  static_cast<unsigned long long>(outcome.nodes), outcome.ms);
}

BenchTotal benchPositions(const char* const* fens, int count, unsigned depth, void (*show)(const char* line),
                          Variant variant) {
    BenchTotal total{true, 0, 0.0};
    for (int i = 0; i < count; ++i) {
        const BenchOutcome outcome = benchPosition(fens[i], depth, variant);
        char line[512];
        benchLine(line, sizeof line, fens[i], outcome);
        show(line);
        total.accepted = total.accepted && outcome.accepted;
        total.nodes += outcome.nodes;
        total.ms += outcome.ms;
    }
    return total;
}
