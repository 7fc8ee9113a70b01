#include "movegen/generators.h"

#include "board/makemove.h"
#include "movegen_support.h"

TEST(Generators, InitialPositionListsKnightsThenDoubleThenSinglePushes) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const char* expected[] = {"g1h3", "g1f3", "b1c3", "b1a3", "h2h4", "g2g4", "f2f4", "e2e4", "d2d4", "c2c4",
                              "b2b4", "a2a4", "h2h3", "g2g3", "f2f3", "e2e3", "d2d3", "c2c3", "b2b3", "a2a3"};
    const auto list = generatedList(ALL_MOVES);
    ASSERT_EQ(list.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        const char from[3] = {expected[i][0], expected[i][1], 0}, to[3] = {expected[i][2], expected[i][3], 0};
        EXPECT_EQ(list[i].move, moveOf(QUIET, from, to)) << "entry " << i;
        EXPECT_EQ(list[i].score, -30000);
    }
    EXPECT_TRUE(generatedList(CAPTURES).empty());
}

TEST(Generators, EnPassantLeadsItsCaptureDirection) {
    setUpPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[0].move, moveOf(EN_PASSANT, "e5", "d6"));
    EXPECT_EQ(list[0].score, -9500);

    // From c5 the capture goes towards the h-file: after the a-file pass (here gxf5).
    setUpPosition("4k3/8/8/2Pp1p2/6P1/8/8/4K3 w - d6");
    list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[0].move, moveOf(CAPTURE, "g4", "f5"));
    EXPECT_EQ(list[0].score, 100 - 9600);
    EXPECT_EQ(list[1].move, moveOf(EN_PASSANT, "c5", "d6"));
    EXPECT_EQ(generatedList(CAPTURES)[1].move, moveOf(EN_PASSANT, "c5", "d6"));
}

TEST(Generators, PromotionsComeQueenKnightRookBishop) {
    setUpPosition("r3k3/1P6/8/8/8/8/8/4K3 w - -");
    const auto list = generatedList(ALL_MOVES);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list[i].move, moveOf(CAPTURE_PROMOTE_Q + i, "b7", "a8"));
        EXPECT_EQ(list[4 + i].move, moveOf(PROMOTE_Q + i, "b7", "b8"));
        EXPECT_GT(list[i].score, list[4 + i].score) << "taking a rook on the way counts";
    }
    // Queen promotions are chosen by score, with the captures; under-promotions wait among the
    // quiet moves (below -10000, ordered by cut-off counter), the knight first.
    EXPECT_GE(list[0].score, -10000);
    EXPECT_GE(list[4].score, -10000);
    for (int i = 1; i < 4; ++i) {
        EXPECT_LT(list[i].score, -10000);
        EXPECT_LT(list[4 + i].score, -10000);
        EXPECT_GT(list[i].score, i < 3 ? list[i + 1].score : -30000);
    }
    // The captures list keeps the four capture-promotions; the queen push is dropped because
    // the rook takes the new queen, and under-promotion pushes never enter it.
    const auto captures = generatedList(CAPTURES);
    ASSERT_EQ(captures.size(), 4u);
    setUpPosition("4k3/1P6/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(generatedList(CAPTURES).size(), 1u);
}

TEST(Generators, PieceCapturesAreScoredDirectlyOrByExchange) {
    // Nxd5 (knight for knight) at face value; Qxd5 takes an undefended knight, which at face
    // value (knight less queen) would look like a loss: the exchange finds the whole knight won.
    setUpPosition("4k3/8/8/3n4/8/4N3/8/3QK3 w - -");
    const auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(entryOf(list, moveOf(CAPTURE, "e3", "d5")).score, -9500);
    EXPECT_EQ(entryOf(list, moveOf(CAPTURE, "d1", "d5")).score,
              310 - 9500 + pst(WQUEEN, "d5") - pst(WQUEEN, "d1") + pst(BKNIGHT, "d5"));
}

TEST(Generators, CapturesListDropsLosingPieceCapturesButNotPawnCaptures) {
    // Bxd5 loses the bishop to the c6 pawn; exd5 takes a defended pawn and stays.
    setUpPosition("4k3/8/2p5/3p4/4P3/8/B7/4K3 w - -");
    const auto captures = generatedList(CAPTURES);
    EXPECT_FALSE(contains(captures, moveOf(CAPTURE, "a2", "d5")));
    EXPECT_TRUE(contains(captures, moveOf(CAPTURE, "e4", "d5")));
    EXPECT_TRUE(contains(generatedList(ALL_MOVES), moveOf(CAPTURE, "a2", "d5")));
}

// Piece by piece, the captures list holds exactly the piece captures of the full list that score
// -10000 or more, in the same order and with the same scores, however few enemies a slider sees.
TEST(Generators, CapturesListKeepsEveryGoodPieceCaptureOfTheFullList) {
    const char* positions[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
        "2r3k1/1q3ppp/p3p3/1pbpP1Q1/3P4/P1B2N1P/1P3PP1/2R1R1K1 b - -",
        "1q5k/8/8/2b5/R6B/8/8/K5Q1 w - -",
    };
    for (const char* text : positions) {
        setUpPosition(text);
        const auto all = generatedList(ALL_MOVES), captures = generatedList(CAPTURES);
        for (PieceKind kind : {KNIGHT, BISHOP, ROOK, QUEEN, KING}) {
            const int code = pieceOf(game.position.sideToMove, kind);
            auto pieceCaptures = [code](const std::vector<ScoredMove>& list, bool goodOnly) {
                std::vector<std::pair<Move, int>> kept;
                for (const ScoredMove& entry : list)
                    if (moveType(entry.move) == CAPTURE && game.position.board[moveFrom(entry.move)] == code &&
                        (!goodOnly || entry.score >= -10000))
                        kept.emplace_back(entry.move, entry.score);
                return kept;
            };
            EXPECT_EQ(pieceCaptures(captures, false), pieceCaptures(all, true)) << text << ", piece " << code;
        }
    }
}

TEST(Generators, KingNeverStepsNextToTheEnemyKing) {
    // d4 (a black knight) and e4 lie next to the black king: neither is a target.
    setUpPosition("8/8/8/3kp3/3n4/4K3/8/8 w - -");
    for (const ScoredMove& entry : generatedList(ALL_MOVES)) {
        const int to = moveTo(entry.move);
        EXPECT_FALSE(kingAttacks[squareOf("d5")] & squareMask[to]) << "king to " << to;
    }
}

TEST(Generators, CastlingIgnoresAttacksButNotTheEnemyKing) {
    // f1 is attacked: castling is still listed, and the legality test refuses it after the move.
    setUpPosition("r3k2r/8/8/8/2b5/8/8/R3K2R w KQkq -");
    auto list = generatedList(ALL_MOVES);
    EXPECT_EQ(list[list.size() - 2].move, WHITE_SHORT_CASTLING);
    EXPECT_EQ(list[list.size() - 2].score, -29000);
    EXPECT_EQ(list.back().move, WHITE_LONG_CASTLING);
    EXPECT_EQ(list.back().score, -29500);
    saveUndo(game.position, handFrame->undo);
    makeMove(game, WHITE_SHORT_CASTLING, handFrame->undo);
    EXPECT_TRUE(leavesKingAttacked(game.position, WHITE_SHORT_CASTLING, WHITE));
    unmakeMove(game, WHITE_SHORT_CASTLING, handFrame->undo);

    // A king on g2 covers f1 and g1, one on b7 covers c8: those castlings would end or pass
    // next to it, which the legality test would not notice.
    setUpPosition("8/8/8/8/8/8/6k1/R3K2R w KQ -");
    list = generatedList(ALL_MOVES);
    EXPECT_FALSE(contains(list, WHITE_SHORT_CASTLING));
    EXPECT_TRUE(contains(list, WHITE_LONG_CASTLING));
    setUpPosition("r3k2r/1K6/8/8/8/8/8/8 b kq -");
    list = generatedList(ALL_MOVES);
    EXPECT_TRUE(contains(list, BLACK_SHORT_CASTLING));
    EXPECT_FALSE(contains(list, BLACK_LONG_CASTLING));
}

// Generation reads the position and changes nothing, right after a castling and in check too.
TEST(Generators, GenerationLeavesThePositionAsItWas) {
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, WHITE_SHORT_CASTLING, handFrame->undo);
    const Position castled = game.position;
    for (GeneratorKind kind : {CAPTURES, ALL_MOVES}) {
        generatedList(kind);
        EXPECT_TRUE(samePosition(castled, game.position));
    }
    // Black's castling rights are its own and still produce both castlings.
    const auto list = generatedList(ALL_MOVES);
    EXPECT_TRUE(contains(list, BLACK_SHORT_CASTLING));
    EXPECT_TRUE(contains(list, BLACK_LONG_CASTLING));

    setUpPosition("r3k2r/8/8/8/8/8/8/R3K1r1 w Q -");
    const Position inCheck = game.position;
    EXPECT_FALSE(generatedList(ALL_MOVES).empty());
    EXPECT_TRUE(samePosition(inCheck, game.position));
}

// The kinds of the pieces whose moves fill the list, in order, each run of one kind once.
std::vector<PieceKind> kindsInOrder(const std::vector<ScoredMove>& list) {
    std::vector<PieceKind> kinds;
    for (const ScoredMove& entry : list) {
        const PieceKind kind = kindOf(game.position.board[moveFrom(entry.move)]);
        if (kinds.empty() || kinds.back() != kind) kinds.push_back(kind);
    }
    return kinds;
}

// Every piece has a free capture and a quiet move. The full list goes pawn captures, knights,
// queens, rooks, bishops, pawn pushes, king; the captures list pawns, knights, bishops, rooks,
// queens, king. Equal scores keep this order, so the search's choices depend on it.
TEST(Generators, PieceKindsComeInTheirOrder) {
    setUpPosition("4k3/8/8/3p3R/4P3/1BNQ4/5n2/4K3 w - -");
    EXPECT_EQ(kindsInOrder(generatedList(ALL_MOVES)),
              (std::vector<PieceKind>{PAWN, KNIGHT, QUEEN, ROOK, BISHOP, PAWN, KING}));
    EXPECT_EQ(kindsInOrder(generatedList(CAPTURES)), (std::vector<PieceKind>{PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING}));
}
