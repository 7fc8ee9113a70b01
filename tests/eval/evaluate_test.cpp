#include "eval/evaluate.h"

#include <string>

#include "board/makemove.h"
#include "support.h"

namespace {

// Table value of a white piece of `kind` on `square` at the current material.
int table(int kind, const char* square) {
    return pieceSquareSets[materialIndex(game.position.material)]->byKind[kind][squareOf(square)];
}

// The position turned through half a circle with the colours exchanged: the same game seen
// from the other side, so the side to move must get the same value.
std::string reflected(const std::string& fen) {
    std::string board = fen.substr(0, fen.find(' '));
    std::string rest = fen.substr(fen.find(' ') + 1);
    std::string turned(board.rbegin(), board.rend());
    for (char& c : turned)
        if (std::isalpha(static_cast<unsigned char>(c))) c = std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : char(std::toupper(c));
    const char side = rest[0] == 'w' ? 'b' : 'w';
    return turned + " " + side + " - -";
}

}  // namespace

TEST(Evaluate, InitialPositionIsLevelForEitherSide) {
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(evaluate(game.position), 0);
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -");
    EXPECT_EQ(evaluate(game.position), 0);
}

TEST(Evaluate, MaterialThatCannotMateIsZeroButAPawnCounts) {
    for (const char* fen : {"8/8/4k3/8/8/3NK3/8/8 w - -", "8/8/4k3/8/8/3bK3/8/8 b - -", "8/8/4k3/8/8/4K3/8/8 w - -"}) {
        setUpPosition(fen);
        EXPECT_EQ(evaluate(game.position), 0) << fen;
    }
    setUpPosition("8/8/4k3/8/8/2NNK3/8/8 w - -");   // two knights: material 6, evaluated
    EXPECT_GT(evaluate(game.position), 600);
    setUpPosition("8/8/4k3/8/8/4K3/4P3/8 w - -");
    EXPECT_GT(evaluate(game.position), 50);
}

TEST(Evaluate, PassedIsolatedPawnOnTheSeventh) {
    setUpPosition("4k3/4P3/8/8/8/8/8/4K3 w - -");
    // Kings stand symmetrically; the pawn: material, table, isolated, passed on rank 7.
    const int expected = 100 + table(PAWN, "e7") - 20 + 48;
    EXPECT_EQ(evaluate(game.position), expected);
    setUpPosition("4k3/4P3/8/8/8/8/8/4K3 b - -");
    EXPECT_EQ(evaluate(game.position), -expected);
}

TEST(Evaluate, DoubledPawnsOnlyTheFrontOneCanBePassed) {
    setUpPosition("4k3/8/8/8/4P3/8/4P3/4K3 w - -");
    const int front = 100 + table(PAWN, "e4") - 20 - 8 + 8 * 3;
    const int rear = 100 + table(PAWN, "e2") - 20 - 8;
    EXPECT_EQ(evaluate(game.position), front + rear);
    // A black pawn on d5 stops the front pawn from being passed, and is not passed itself.
    setUpPosition("4k3/8/8/3p4/4P3/8/4P3/4K3 w - -");
    const int blackPawn = 100 + table(PAWN, "e4") - 20;   // d5 seen from Black is e4
    EXPECT_EQ(evaluate(game.position), front - 24 + rear - blackPawn);
}

// Shelter: the same position with the white king on g1 and on e1 differs by the king tables
// and by the shelter alone. Knights, a queen and rooks keep the material above 35.
TEST(Evaluate, KingShelterNeedsPawnsNoRookAndMaterial) {
    struct Case {
        const char* onWing;   // white king g1
        const char* inCentre; // white king e1, everything else equal
        int shelter;
    };
    const Case cases[] = {
        {"rqn1k3/ppp5/8/8/8/8/5PPP/RQN3K1 w - -", "rqn1k3/ppp5/8/8/8/8/5PPP/RQN1K3 w - -", 17},
        {"rqn1k3/ppp5/8/8/8/8/5P2/RQN3K1 w - -", "rqn1k3/ppp5/8/8/8/8/5P2/RQN1K3 w - -", 5},
        {"rqn1k3/ppp5/8/8/8/8/7P/RQN3K1 w - -", "rqn1k3/ppp5/8/8/8/8/7P/RQN1K3 w - -", 7},
        // A rook beside the king on the wing: no shelter.
        {"rqn1k3/ppp5/8/8/8/8/5PPP/1QN3KR w - -", "rqn1k3/ppp5/8/8/8/8/5PPP/1QN1K2R w - -", 0},
        // Too little material left: no shelter.
        {"4k3/ppp5/8/8/8/8/5PPP/6K1 w - -", "4k3/ppp5/8/8/8/8/5PPP/4K3 w - -", 0},
    };
    for (const Case& c : cases) {
        setUpPosition(c.onWing);
        const int onWing = evaluate(game.position) - table(KING, "g1");
        setUpPosition(c.inCentre);
        const int inCentre = evaluate(game.position) - table(KING, "e1");
        EXPECT_EQ(onWing - inCentre, c.shelter) << c.onWing;
    }
}

TEST(Evaluate, SameValueForTheSameGameSeenFromTheOtherSide) {
    const char* fens[] = {
        "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ -",
        "2r3k1/5ppp/p3p3/1p1pP3/3P4/P4N2/1P3PPP/2R3K1 b - -",
        "r4rk1/1b3ppp/p7/1p6/8/1B6/PP3PPP/R4RK1 w - -",
        "8/5k2/3p4/2pP4/2P3P1/8/5K2/8 w - -",
        "6k1/1R6/8/8/8/2b5/5PPP/6K1 b - -",
        "rnbqkb1r/pp3ppp/4pn2/2pp4/3P4/2P1PN2/PP1N1PPP/R1BQKB1R b KQkq -",
        "2kr3r/ppp2ppp/8/8/8/8/PPP2PPP/2KR3R w - -",
    };
    for (const char* fen : fens) {
        setUpPosition(fen);
        const int value = evaluate(game.position);
        const std::string other = reflected(fen);
        setUpPosition(other.c_str());
        EXPECT_EQ(evaluate(game.position), value) << fen << " / " << other;
    }
}

TEST(Evaluate, CachedPawnScoreOutlivesAChangeOfMaterialBand) {
    // Material 72 (the top band); Nxf3 takes a rook, brings it to 67, the next band down, and
    // leaves the pawns as they were.
    setUpPosition("rnbqkbn1/pp6/8/8/3PP3/5r2/PPP2PPP/RNBQKBNR w - -");
    ASSERT_EQ(game.position.material, 72);
    evaluate(game.position);
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(CAPTURE, squareOf("g1"), squareOf("f3")), handFrame->undo);
    ASSERT_EQ(game.position.material, 67);
    const int cached = evaluate(game.position);
    clearPawnHashTable();
    const int fresh = evaluate(game.position);
    // The cached pawn terms come from the top band's pawn table, the fresh ones from the next.
    const int16_t* before = pieceSquareSets[72]->byKind[PAWN];
    const int16_t* after = pieceSquareSets[67]->byKind[PAWN];
    int shift = 0;
    for (int s = 0; s < 64; ++s) {
        if (game.position.board[s] == WPAWN) shift += before[s] - after[s];
        if (game.position.board[s] == BPAWN) shift -= before[63 - s] - after[63 - s];
    }
    ASSERT_NE(shift, 0);
    EXPECT_EQ(cached - fresh, -shift);   // Black is to move
    EXPECT_EQ(evaluate(game.position), fresh);
}

TEST(Evaluate, AHeapOfQueensStaysBelowMateScores) {
    setUpPosition("QQQQQQQQ/Q7/8/8/8/8/8/K6k b - -");
    EXPECT_EQ(evaluate(game.position), -EVAL_LIMIT);
}

// The set in force changes exactly where a material band begins; the king wants shelter while
// there is much material and the centre in the endgame.
TEST(EvaluationTables, SetsChangeAtTheBandLimits) {
    initTablesOnce();
    for (int m = 1; m <= MAX_MATERIAL_INDEX; ++m) {
        const bool bandStarts = m == 15 || m == 47 || m == 63 || m == 71;
        EXPECT_EQ(pieceSquareSets[m] != pieceSquareSets[m - 1], bandStarts) << "material " << m;
    }
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_GT(table(KING, "g1"), table(KING, "e4"));
    setUpPosition("4k3/8/8/8/8/8/4P3/4K3 w - -");
    EXPECT_LT(table(KING, "g1"), table(KING, "e4"));
}

// Two positions that differ only in where one piece stands differ by that piece's table values
// and by the term under test. (Set up before the tables are read: they depend on the material.)
int differenceOf(const char* with, const char* without) {
    setUpPosition(with);
    const int value = evaluate(game.position);
    setUpPosition(without);
    return value - evaluate(game.position);
}

TEST(Evaluate, BishopsOnBothColoursEarnThePair) {
    // f1 is a light square, e3 a dark one like c1.
    int difference = differenceOf("4k3/pp6/8/8/8/8/PP6/2B1KB2 w - -", "4k3/pp6/8/8/8/4B3/PP6/2B1K3 w - -");
    EXPECT_EQ(difference, 25 + table(BISHOP, "f1") - table(BISHOP, "e3"));
    // Black's pair (c8 light, f8 dark; e6 light) counts against White. Black's pieces read the
    // table at their square turned through half a circle: f8 at c1, e6 at d3.
    difference = differenceOf("2b1kb2/pp6/8/8/8/8/PP6/4K3 w - -", "2b1k3/pp6/4b3/8/8/8/PP6/4K3 w - -");
    EXPECT_EQ(difference, -25 - table(BISHOP, "c1") + table(BISHOP, "d3"));
}

TEST(Evaluate, RooksGainOnHalfOpenAndOpenFiles) {
    // Pawns on d2 (White's) and e7 (Black's): the d-file is closed to the rook, the e-file
    // half-open, the f-file open.
    const char* closed = "4k3/4p3/8/8/8/8/3P4/3R3K w - -";
    int difference = differenceOf("4k3/4p3/8/8/8/8/3P4/4R2K w - -", closed);
    EXPECT_EQ(difference, 8 + table(ROOK, "e1") - table(ROOK, "d1"));
    difference = differenceOf("4k3/4p3/8/8/8/8/3P4/5R1K w - -", closed);
    EXPECT_EQ(difference, 16 + table(ROOK, "f1") - table(ROOK, "d1"));
    // A black rook behind its own pawn on d7, and on the e-file, half-open with White's pawn on
    // e2 (d8 reads the table at e1, e8 at d1).
    difference = differenceOf("3r3k/3p4/8/8/8/8/4P3/4K3 w - -", "4r2k/3p4/8/8/8/8/4P3/4K3 w - -");
    EXPECT_EQ(difference, 8 + table(ROOK, "d1") - table(ROOK, "e1"));
}
