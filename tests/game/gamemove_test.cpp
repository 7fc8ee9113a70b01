#include "game/gamemove.h"

#include "board/notation.h"
#include "search/draw.h"
#include "support.h"

namespace {

void playWords(std::initializer_list<const char*> words) {
    for (const char* word : words) {
        const Move move = textToMove(game.position, word);
        ASSERT_TRUE(isLegalGameMove(move)) << word;
        playGameMove(move);
    }
}

// Knights out and back: the position repeats every four plies.
void shuffleKnights() { playWords({"g1f3", "g8f6", "f3g1", "f6g8"}); }

// A game far longer than the history stack: it must stay inside it and still see repetitions,
// also across the moment it drops its oldest positions.
TEST(LongGame, HistoryStaysInBoundsAndRepetitionsAreStillSeen) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const auto top = [] { return game.top - game.history; };
    int highest = 0;
    for (int round = 0; round < HISTORY_SIZE / 4 + 100; ++round) {
        shuffleKnights();
        if (top() > highest) highest = int(top());
        ASSERT_LT(top(), HISTORY_SIZE - MAX_FRAMES);
    }
    EXPECT_GT(highest, HISTORY_SIZE / 2) << "positions are dropped only when room runs short";
    EXPECT_TRUE(drawByRule(game, 2));

    // A pawn move a few plies before the stack runs short, then the shuffle across that point.
    while (top() < highest - 6) shuffleKnights();
    playWords({"e2e3", "e7e6"});
    EXPECT_FALSE(drawByRule(game, 2));
    shuffleKnights();
    EXPECT_TRUE(drawByRule(game, 1)) << "second occurrence";
    EXPECT_FALSE(drawByRule(game, 2));
    shuffleKnights();
    EXPECT_LT(top(), highest) << "the oldest positions were dropped meanwhile";
    EXPECT_TRUE(drawByRule(game, 2)) << "third occurrence";
}

// The GUI's "white" and "black" hand over the move in the position as it stands.
TEST(SideToMove, HandingOverDropsTheEnPassantSquare) {
    setUpPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    const uint64_t keyWithoutSquare = game.position.hashKey ^ zobrist[0][squareOf("e3")];
    ASSERT_TRUE(setSideToMove(WHITE));
    EXPECT_EQ(game.position.sideToMove, WHITE);
    // Else d2 or f2 could "take en passant" on e3 and remove a pawn that is not there.
    EXPECT_EQ(game.position.epSquare, 0);
    EXPECT_EQ(game.position.hashKey, keyWithoutSquare);
    EXPECT_EQ(game.top->key, game.position.hashKey);
    EXPECT_TRUE(setSideToMove(WHITE)) << "the side already to move";
}

TEST(SideToMove, RefusedWhenTheWaitingKingWouldStandInCheck) {
    setUpPosition("4k3/8/8/8/8/8/4r3/4K3 w - -");
    const Position before = game.position;
    EXPECT_FALSE(setSideToMove(BLACK)) << "Black could take the king";
    EXPECT_TRUE(samePosition(game.position, before));

    setUpPosition("4k3/8/8/8/8/8/5r2/4K3 w - -");
    EXPECT_TRUE(setSideToMove(BLACK));
    EXPECT_EQ(game.position.sideToMove, BLACK);
}

}  // namespace
