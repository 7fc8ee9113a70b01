#include "movegen/perft.h"

#include "movegen_support.h"

namespace {

struct PerftCase {
    const char* fen;
    int depth;
    uint64_t nodes;
};

uint64_t perftOf(const char* fen, int depth, Variant variant = NORMAL_CHESS) {
    setUpPosition(fen, variant);
    SearchFrames& frames = threadOnGame().frames;
    return perft(game, frames.plies, depth, frames.moves);
}

}  // namespace

TEST(Perft, WellKnownPositionsAtShallowDepths) {
    const PerftCase cases[] = {
        {INITIAL_POSITION_TEXT, 4, 197281},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 3, 97862},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 5, 674624},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4, 422333},
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
        {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
    };
    for (const PerftCase& c : cases) EXPECT_EQ(perftOf(c.fen, c.depth), c.nodes) << c.fen;
}

TEST(Perft, EnPassantPinsCastlingNextToTheKingAndPromotions) {
    const PerftCase cases[] = {
        {"8/8/8/K2pP2r/8/8/8/7k w - d6", 5, 55203},            // en passant would uncover the king
        {"8/8/8/8/k2Pp2Q/8/8/3K4 b - d3", 5, 117741},
        {"4k3/8/8/2pP4/1K6/8/8/8 w - c6", 5, 14989},           // en passant answers a pawn check
        {"8/8/8/8/8/8/6k1/R3K2R w KQ -", 4, 6213},             // castling short lands beside the king
        {"r3k2r/1K6/8/8/8/8/8/8 b kq -", 4, 10696},
        {"4r1k1/8/8/8/8/5n2/3B4/R3K2R w KQ -", 4, 42661},      // double check
        {"n1n2k2/PPPP4/8/8/8/8/pppp4/N1N2K2 w - -", 4, 291523},
    };
    for (const PerftCase& c : cases) EXPECT_EQ(perftOf(c.fen, c.depth), c.nodes) << c.fen;
}

// The last ply counts most moves without making them: only a piece between its king and an
// enemy slider of the line's kind, the king itself and en passant are made and tested.
TEST(Perft, LastPlyKeepsPinnedPiecesToTheirLines) {
    const PerftCase cases[] = {
        {"4k3/4r3/8/8/8/8/4R3/4K3 w - -", 1, 9},            // a rook pinned on its file moves along it
        {"4k3/8/8/1b6/8/3N4/8/5K2 w - -", 1, 5},            // a knight pinned on a diagonal stays
        {"8/8/8/8/q2P3K/8/8/k7 w - -", 1, 5},               // a pawn pinned on its rank cannot push
        {"4k3/8/8/8/8/2b5/3P4/4K3 w - -", 1, 5},            // ... but a pinned pawn takes its pinner
        {"4k3/8/8/8/b7/8/2NB4/3K4 w - -", 1, 12},           // two pieces on the line: neither pinned
        {"4k3/4q3/8/8/4n3/8/4R3/4K3 w - -", 1, 11},         // an enemy piece shields the pin
        {"k7/8/8/3q4/8/8/6B1/r3NK1R w - -", 1, 15},         // pins on a rank and a diagonal at once
        {"6b1/8/8/3pP3/8/8/K7/7k w - d6", 1, 6},            // en passant takes the king's only shield
        {"4k3/4r3/8/8/8/8/4R3/4K3 w - -", 3, 759},
        {"4k3/8/8/1b6/8/3N4/8/5K2 w - -", 3, 663},
        {"8/8/8/8/q2P3K/8/8/k7 w - -", 3, 632},
        {"4k3/8/8/8/8/2b5/3P4/4K3 w - -", 3, 504},
        {"4k3/8/8/8/b7/8/2NB4/3K4 w - -", 3, 1649},
        {"4k3/4q3/8/8/4n3/8/4R3/4K3 w - -", 3, 3639},
        {"k7/8/8/3q4/8/8/6B1/r3NK1R w - -", 3, 4023},
    };
    for (const PerftCase& c : cases) EXPECT_EQ(perftOf(c.fen, c.depth), c.nodes) << c.fen << " depth " << c.depth;
}

// Chess960, counts as stockfish gives them: start positions (the initial one among them, which
// counts as in normal chess), and castlings from every kind of start, both colours, in both
// notations of the rights.
TEST(Perft, Chess960StartsAndCastlingsFromAnyStart) {
    const PerftCase cases[] = {
        {"bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq -", 4, 201143},
        {"rkrnnqbb/pppppppp/8/8/8/8/PPPPPPPP/RKRNNQBB w KQkq -", 4, 201143},
        {INITIAL_POSITION_TEXT, 4, 197281},
        {"1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w GBgb -", 4, 318338},   // king and rook side by side
        {"rk4r1/8/8/8/8/8/8/RK4R1 w GAga -", 4, 218225},     // king on b; the rook on g stands where it lands
        {"rk4r1/8/8/8/8/8/8/RK4R1 b GAga -", 4, 218225},
        {"r5kr/8/8/8/8/8/8/R5KR w HAha -", 4, 242097},       // king on g: it stays when castling short
        {"r5kr/8/8/8/8/8/8/R5KR b HAha -", 4, 242097},
        {"rkr5/8/8/8/8/8/8/RKR5 w CAca -", 4, 138584},       // the long castling lands on the other rook
        {"2r2kr1/8/8/8/8/8/8/2R2KR1 w GCgc -", 4, 188606},   // the long rook on the king's landing square
        {"1rk4r/8/8/8/8/8/8/1RK4R w HBhb -", 4, 238938},     // king on c: it stays when castling long
        {"4k3/8/8/8/8/8/8/qR3K2 w B -", 4, 44823},           // the rook shields the king's landing square
        {"nrbnqbkr/ppppp1pp/5p2/8/1P6/8/P1PPPPPP/NRBNQBKR w HBhb -", 4, 331234},
        {"rk2rnbb/ppp1ppp1/2n5/3p3p/3P4/1qP1BPP1/PP2P2P/RKQNRN1B b EAea -", 4, 459229},
        {"b1rkn1rn/pp1pp3/4qpp1/2p4p/P1P1Q1PP/4P1b1/1P1P1P2/BBRKN1RN w GCgc -", 4, 1999284},
    };
    for (const PerftCase& c : cases) EXPECT_EQ(perftOf(c.fen, c.depth, CHESS960), c.nodes) << c.fen;
}

TEST(Perft, DivideListsEveryLegalRootMoveOnceAndRestoresThePosition) {
    setUpPosition("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");
    const Position before = game.position;
    DivideEntry entries[MAX_LIST_MOVES];
    SearchFrames& frames = threadOnGame().frames;
    const int count = perftDivide(game, frames.plies, 2, frames.moves, entries);
    EXPECT_EQ(count, 48);
    uint64_t total = 0;
    for (int i = 0; i < count; ++i) total += entries[i].nodes;
    EXPECT_EQ(total, 2039u);
    EXPECT_TRUE(samePosition(before, game.position));
}
