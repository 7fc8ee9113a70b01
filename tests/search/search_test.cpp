#include "search/search.h"

#include <string>

#include "board/checks.h"
#include "game/gamemove.h"
#include "movegen/legality.h"
#include "search/transposition.h"
#include "searchsupport.h"

TEST(SearchPosition, MateInOneScores8099AndEndsTheIterations) {
    LogCapture log;
    const Move move = searchFen("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -", 10);
    const std::string text = log.text();
    EXPECT_EQ(move, moveOf(QUIET, "d1", "d8"));
    EXPECT_EQ(searchResult().best.move, move);
    EXPECT_EQ(searchResult().best.score, 8099);
    EXPECT_EQ(searchResult().depth, 2u);
    EXPECT_EQ(text,
              "-FEN:\t6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -\n"
              "-E: 2:\t8099\td1d8 # \n"
              "--- MATE: 8099\n"
              "-***HT: 8099\n");
}

TEST(SearchPosition, MateScoresCountThePliesFromTheRoot) {
    // White mates in two (the mated side is at ply 3): 8100 - 3.
    searchFen("k7/8/2K5/8/8/8/8/6R1 w - -", 6);
    EXPECT_EQ(searchResult().best.score, 8097);
    // Black's only move walks into mate at ply 2.
    EXPECT_EQ(searchFen("k7/8/1K6/8/8/8/8/7R b - -", 6), moveOf(QUIET, "a8", "b8"));
    EXPECT_EQ(searchResult().best.score, -8098);
}

// "Mate in n moves" asks for a true mate: an evaluation at its limit is none, however many moves
// are allowed, and no score tells a mate of more than DEEPEST_MATE_MOVES.
TEST(MateScores, MatesWithinAskForATrueMateNearEnough) {
    EXPECT_TRUE(matesWithin(-MATED_SCORE - 1, 1));
    EXPECT_TRUE(matesWithin(-MATED_SCORE - 3, 2));
    EXPECT_FALSE(matesWithin(-MATED_SCORE - 5, 2));
    EXPECT_FALSE(matesWithin(MATED_SCORE + 2, 2)) << "mated is no mate";
    EXPECT_FALSE(matesWithin(EVAL_LIMIT, 60)) << "a clamped evaluation";
    EXPECT_FALSE(matesWithin(-MATED_SCORE - 1, 0));
    EXPECT_TRUE(matesWithin(EVAL_LIMIT + 1, DEEPEST_MATE_MOVES));
    EXPECT_FALSE(isMateScore(EVAL_LIMIT));
}

// The same mate met again two plies later in the game, the tables kept: one move nearer, never
// as far or farther.
TEST(SearchPosition, MateFoundEarlierIsOneMoveNearerAfterTwoPlies) {
    searchFen("2k5/8/8/2K5/8/8/8/6R1 w - -", 9);
    ASSERT_EQ(searchResult().best.score, 8095) << "mate in three";
    const Line& line = searchResult().line;
    ASSERT_GE(line.length, 2);
    playGameMove(line.moves[0]);
    playGameMove(line.moves[1]);
    searchOnBoard(9);
    EXPECT_EQ(searchResult().best.score, 8097);
}

// Past the search's own line, a line shown with a mate follows the table only while each entry
// agrees with the mate's distance, and ends in that mate or short of it. Here the search takes
// the mate from the table's entry after 1.Kb6, and the entry after 1.Kb6 Kb8 holds another
// line's move, 2.Rg7, with a mate score: shown, it would claim a mate the line does not give.
TEST(SearchPosition, MatingLineFromTheTableEndsInTheMateOrShortOfIt) {
    setUpPosition("k7/8/2K5/8/8/8/8/6R1 w - -");
    const Move kb6 = moveOf(QUIET, "c6", "b6"), kb8 = moveOf(QUIET, "a8", "b8");
    saveUndo(game.position, handFrames[0].undo);
    makeMove(game, kb6, handFrames[0].undo);
    storeHash(game.position, 20, EXACT_BOUND, kb8, MATED_SCORE + 2);
    saveUndo(game.position, handFrames[1].undo);
    makeMove(game, kb8, handFrames[1].undo);
    storeHash(game.position, 20, EXACT_BOUND, moveOf(QUIET, "g1", "g7"), -MATED_SCORE - 1);
    unmakeMove(game, kb8, handFrames[1].undo);
    unmakeMove(game, kb6, handFrames[0].undo);
    EXPECT_EQ(searchOnBoard(4), kb6);
    EXPECT_EQ(searchResult().best.score, -MATED_SCORE - 3);
    const Line& line = searchResult().line;
    EXPECT_TRUE(lineHolds(line, searchResult().best.score)) << line.length;
}

// A deeper entry of an earlier search may hold only a bound on a mate: the answer is the mate as
// this search found it.
TEST(SearchPosition, MateIsAnsweredAsTheSearchFoundIt) {
    setUpPosition("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -");
    storeHash(game.position, 9, LOWER_BOUND, moveOf(QUIET, "d1", "e1"), 8097);
    LogCapture log;
    EXPECT_EQ(searchOnBoard(12), moveOf(QUIET, "d1", "d8"));
    EXPECT_EQ(searchResult().best.score, 8099);
    EXPECT_NE(log.text().find("-***HT: 8099\n"), std::string::npos);
}

TEST(SearchPosition, PositionsWithoutAMoveReturnTheirCodes) {
    EXPECT_EQ(searchFen("rnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq -", 5), MatedCode);
    EXPECT_EQ(searchResult().best.score, -8100);
    EXPECT_EQ(searchFen("7k/5Q2/6K1/8/8/8/8/8 b - -", 5), StalemateCode);
    EXPECT_EQ(searchResult().best.score, 0);
    // Drawn before searching: nothing is searched.
    EXPECT_EQ(searchFen("8/8/4k3/8/8/3BK3/8/8 w - -", 5), RepetitionCode);
    EXPECT_EQ(searchResult().best.score, 0);
    EXPECT_EQ(searchedNodes, 0u);
}

TEST(SearchPosition, ThirdOccurrenceAtTheRootIsADrawButASecondIsNot) {
    // Black, a queen down, may repeat: after seven knight moves ...Ng8 makes the third
    // occurrence of the starting placement, and the draw is its best result.
    const char* fen = "4k1n1/pppppppp/8/8/8/8/PPPPPPPP/3QK1N1 w - -";
    const Move nf3 = moveOf(QUIET, "g1", "f3"), nf6 = moveOf(QUIET, "g8", "f6");
    const Move ng1 = moveOf(QUIET, "f3", "g1"), ng8 = moveOf(QUIET, "f6", "g8");
    setUpPosition(fen);
    playLine({nf3, nf6, ng1, ng8, nf3, nf6, ng1});
    EXPECT_EQ(searchOnBoard(3), ng8);
    EXPECT_EQ(searchResult().best.score, 0);
    // Only a second occurrence: ...Ng8 is searched like any move and keeps Black lost.
    setUpPosition(fen);
    playLine({nf3, nf6, ng1});
    searchOnBoard(3);
    EXPECT_LT(searchResult().best.score, -500);
}

TEST(SearchPosition, SameSearchTwiceGivesTheSameMoveScoreAndNodes) {
    const char* fen = "r1bq1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P3/2NP1N2/PPP2PPP/R2QK2R w KQ -";
    const Move first = searchFen(fen, 4);
    const ScoredMove firstResult = searchResult().best;
    const uint64_t firstNodes = searchedNodes;
    EXPECT_EQ(searchFen(fen, 4), first);
    EXPECT_EQ(searchResult().best.score, firstResult.score);
    EXPECT_EQ(searchedNodes, firstNodes);
    EXPECT_GT(firstNodes, 1000u);
}

TEST(SearchPosition, DeepExactRootEntrySkipsTheShallowIterations) {
    const char* fen = "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -";
    const Move stored = moveOf(QUIET, "a7", "a6");
    setUpPosition(fen);
    storeHash(game.position, 7, EXACT_BOUND, stored, 12);
    LogCapture log;
    EXPECT_EQ(searchOnBoard(7), stored);   // first iteration would be 8: none runs
    EXPECT_EQ(searchResult().best.score, 12);
    EXPECT_EQ(searchedNodes, 0u);
    EXPECT_EQ(log.text(), "-FEN:\tr1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -\n"
                          "-***HT: 12\n");
}

TEST(SearchPosition, StoredMoveThatWouldRepeatRestartsFromTheFirstIteration) {
    const char* fen = "4k1n1/pppppppp/8/8/8/8/PPPPPPPP/3QK1N1 w - -";
    const Move nf3 = moveOf(QUIET, "g1", "f3"), nf6 = moveOf(QUIET, "g8", "f6");
    const Move ng1 = moveOf(QUIET, "f3", "g1"), ng8 = moveOf(QUIET, "f6", "g8");
    for (Move stored : {ng8, moveOf(QUIET, "e8", "d8")}) {
        setUpPosition(fen);
        playLine({nf3, nf6, ng1, ng8, nf3, nf6, ng1});
        storeHash(game.position, 9, EXACT_BOUND, stored, -900);
        LogCapture log;
        searchOnBoard(2);
        // Only the repeating move sends the search back to iteration 2 (window 0 to 30);
        // otherwise the first iteration would be 10, beyond the limit.
        EXPECT_EQ(log.text().find("-E: 2:\t") != std::string::npos, stored == ng8);
    }
}

TEST(SearchPosition, StopBeforeAnyResultStillGivesALegalMove) {
    // The knight on e2 is pinned; taking the queen is the first move tried and is illegal.
    setUpPosition("4r1k1/8/8/8/3q4/8/4N3/4K3 w - -");
    resetSearchControl();
    stopFlag = 1;
    LogCapture log;
    const ScoredMove result = searchPosition(threadOnGame(), SearchLimits{5, nullptr}).best;
    EXPECT_NE(result.move, moveOf(CAPTURE, "e2", "d4"));
    EXPECT_EQ(result.move, anyLegalMove(game)) << "the first legal move in generation order";
    EXPECT_EQ(moveFrom(result.move), squareOf("e1"));   // only the king can move legally
    EXPECT_EQ(result.score, NO_SCORE) << "not searched: no score";
    const std::string noEntryLine(117, '*');
    EXPECT_NE(log.text().find(noEntryLine + '\n'), std::string::npos);
    resetSearchControl();
}

// A root entry of another position (a hash-key collision) is never trusted: its move is looked
// for among the generated moves before it is made, and its code is checked against the board.
TEST(SearchPosition, ResultOfAnotherPositionIsReplacedWithoutBeingMade) {
    struct Case {
        const char* fen;
        Move stored;
        Move expected;   // 0: the first legal move
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", moveOf(QUIET, "d4", "d5"), 0},            // from an empty square
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", moveOf(CAPTURE, "e2", "e4"), 0},          // nothing to capture
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", moveOf(EN_PASSANT, "e2", "d3"), 0},       // no pawn passed
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", WHITE_SHORT_CASTLING, 0},                 // no rook, no right
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", MatedCode, 0},                            // moves there are
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", moveOf(QUIET, "e2", "e4"), moveOf(QUIET, "e2", "e4")},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", StalemateCode, MatedCode},              // mated, not stalemated
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", moveOf(QUIET, "h8", "g8"), StalemateCode},   // the king may not
    };
    for (const Case& c : cases) {
        setUpPosition(c.fen);
        storeHash(game.position, 63, EXACT_BOUND, c.stored, 55);
        const Position before = game.position;
        const PlyRecord* top = game.top;
        LogCapture log;
        const Move move = searchOnBoard(63);   // the entry's depth: no iteration runs
        log.text();
        EXPECT_EQ(move, c.expected ? c.expected : anyLegalMove(game)) << c.fen << " " << c.stored;
        EXPECT_EQ(searchResult().best.move, move);
        if (!c.expected) {
            EXPECT_EQ(searchResult().best.score, NO_SCORE);
        }
        EXPECT_TRUE(samePosition(game.position, before)) << c.fen << " " << c.stored;
        EXPECT_EQ(game.top, top);
    }
}

TEST(SearchPosition, EndsAfterTheCurrentIterationWhenToldItIsTheLast) {
    LogCapture log;
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    resetSearchControl();
    lastIterationFlag = 1;
    SearchThread& thread = threadOnGame();
    searchPosition(thread, SearchLimits{9, nullptr});
    resetSearchControl();
    EXPECT_EQ(thread.iterationDepth, 2u);
    EXPECT_NE(log.text().find("-E: Ended ply after extra time\n"), std::string::npos);
}

TEST(PrincipalVariationText, FollowsTheHashMovesToMateOrToAMissingEntry) {
    searchFen("k7/8/2K5/8/8/8/8/6R1 w - -", 4);
    char text[PV_TEXT_SIZE];
    principalVariationText(threadOnGame(), text, 4);
    EXPECT_EQ(std::string(text).substr(std::string(text).size() - 2), "# ");
    principalVariationText(threadOnGame(), text, 1);
    EXPECT_EQ(std::string(text).size(), 5u);   // one move and its blank
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    principalVariationText(threadOnGame(), text, 3);
    EXPECT_STREQ(text, "NOE ");
}

// A root entry whose score is far from the truth sets a window that the first iteration misses:
// the root is searched again with the window opened on the missed side, and the mate comes out
// with its exact score.
TEST(SearchPosition, MissedAspirationWindowIsSearchedAgain) {
    struct Case {
        const char* fen;
        int score;
    };
    const Case cases[] = {
        {"k7/8/2K5/8/8/8/8/6R1 w - -", 8097},    // White mates in two: the iteration fails high
        {"k7/8/1K6/8/8/8/8/7R b - -", -8098},    // Black is mated: it fails low
    };
    for (const Case& c : cases) {
        setUpPosition(c.fen);
        storeHash(game.position, 3, EXACT_BOUND, anyLegalMove(game), 0);   // "a level game at depth 3"
        LogCapture log;
        searchOnBoard(4);
        const std::string text = log.text();
        EXPECT_EQ(searchResult().best.score, c.score) << c.fen << "\n" << text;
        EXPECT_NE(text.find("-E: 4:\t" + std::to_string(c.score)), std::string::npos) << text;
    }
}

// Once a move has raised alpha, the others are first searched with a null window; one that
// beats it must be searched again with the whole window to get its true score and line.
TEST(SearchPosition, MoveThatBeatsTheNullWindowIsSearchedAgain) {
    struct Case {
        const char* fen;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        // The knight forks king and queen (a quiet move, tried after taking a pawn).
        {"q3k3/pp6/8/1N6/8/8/PP6/4K3 w - -", "b5", "c7"},
        {"4k3/pp6/8/8/1n6/8/PP6/Q3K3 b - -", "b4", "c2"},
    };
    for (const Case& c : cases) {
        const Move move = searchFen(c.fen, 4);
        EXPECT_EQ(move, moveOf(QUIET, c.from, c.to)) << c.fen;
        EXPECT_GT(searchResult().best.score, 200) << "a queen down, a knight up after the fork\n" << c.fen;
    }
}
