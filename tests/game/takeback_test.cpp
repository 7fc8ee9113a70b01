// Taking moves back: the whole game state returns to what it was, the record follows, and the
// book of the set-up is found again.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/notation.h"
#include "book/book.h"
#include "game/gamemove.h"
#include "game/gamerecord.h"
#include "search/transposition.h"
#include "support.h"

namespace {

// Everything a take-back must restore.
struct GameState {
    Position position;
    std::vector<PlyRecord> history;
    int recordLength;
};

GameState currentState() {
    return {game.position, std::vector<PlyRecord>(game.history, game.top + 1), gameRecord.length};
}

::testing::AssertionResult sameState(const GameState& expected) {
    const GameState now = currentState();
    if (!samePosition(now.position, expected.position)) return ::testing::AssertionFailure() << "position";
    if (now.history.size() != expected.history.size()) return ::testing::AssertionFailure() << "history depth";
    for (size_t i = 0; i < now.history.size(); ++i)
        if (now.history[i].key != expected.history[i].key ||
            now.history[i].fiftyCounter != expected.history[i].fiftyCounter)
            return ::testing::AssertionFailure() << "history record " << i;
    if (now.recordLength != expected.recordLength) return ::testing::AssertionFailure() << "record length";
    return ::testing::AssertionSuccess();
}

// A word is a move in coordinate text, "white" or "black" a hand-over.
void play(const char* word) {
    if (std::strcmp(word, "white") == 0 || std::strcmp(word, "black") == 0) {
        ASSERT_TRUE(setSideToMove(word[0] == 'w' ? WHITE : BLACK)) << word;
        return;
    }
    const Move move = textToMove(game.position, word);
    ASSERT_TRUE(isLegalGameMove(move)) << word;
    playGameMove(move);
}

// A double push and its en-passant capture, a capture, castling on both sides, a capturing and a
// quiet promotion, a double push without a capturer, a hand-over and a king move after it.
const char* const START = "r3k2r/1PP4p/8/8/5p2/8/6PP/R3K2R w KQkq -";
const std::vector<const char*> GAME = {"g2g4", "f4g3", "h2g3", "e8g8", "b7a8q", "f8a8", "c7c8n",
                                       "a8a2", "e1c1", "h7h5", "black", "g8h7", "d1d7"};
// Which state each take-back of one more move returns to, counted in entries of GAME: the
// hand-over goes with the move before it.
const std::vector<size_t> TAKEN_BACK_TO = {12, 11, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};

// The state after each entry of GAME, the set-up's first.
std::vector<GameState> playGame() {
    setUpPosition(START);
    std::vector<GameState> states = {currentState()};
    for (const char* word : GAME) {
        play(word);
        states.push_back(currentState());
    }
    return states;
}

TEST(TakeBack, OneMoveAtATimeRestoresEveryStateDownToTheSetUp) {
    const std::vector<GameState> states = playGame();
    for (size_t entries : TAKEN_BACK_TO) {
        ASSERT_TRUE(takeBackGameMoves(1));
        EXPECT_TRUE(sameState(states[entries])) << entries << " entries left";
    }
    EXPECT_FALSE(takeBackGameMoves(1)) << "nothing before the set-up";
    EXPECT_TRUE(sameState(states[0]));
}

TEST(TakeBack, SeveralMovesAtOnceFromTheWholeGame) {
    const int moves = int(TAKEN_BACK_TO.size());
    for (int count = 1; count <= moves; ++count) {
        const std::vector<GameState> states = playGame();
        ASSERT_TRUE(takeBackGameMoves(count));
        EXPECT_TRUE(sameState(states[TAKEN_BACK_TO[count - 1]])) << count;
        // Play goes on from there as the first time.
        for (size_t entry = gameRecord.length; entry < GAME.size(); ++entry) play(GAME[entry]);
        EXPECT_TRUE(sameState(states.back())) << count;
    }
    // Beyond the set-up: refused, nothing changes.
    const std::vector<GameState> states = playGame();
    EXPECT_FALSE(takeBackGameMoves(moves + 1));
    EXPECT_FALSE(takeBackGameMoves(0));
    EXPECT_TRUE(sameState(states.back()));
}

// What a front end reads: the start as set up and the entries since, hand-overs included.
TEST(GameRecord, HoldsTheStartAndTheMovesSinceTheSetUp) {
    const std::vector<GameState> states = playGame();
    EXPECT_TRUE(samePosition(gameRecord.start.position, states[0].position));
    ASSERT_EQ(gameRecord.length, int(GAME.size()));
    EXPECT_EQ(gameRecord.entries[1], moveOf(EN_PASSANT, "f4", "g3"));
    EXPECT_EQ(gameRecord.entries[3], BLACK_SHORT_CASTLING);
    EXPECT_EQ(gameRecord.entries[10], HAND_OVER);
    EXPECT_TRUE(setSideToMove(BLACK)) << "already on move: no entry";
    EXPECT_EQ(gameRecord.length, int(GAME.size()));
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_EQ(gameRecord.length, 0);
}

// A GUI hands the move over and straight back around a clock update: nothing may change, not
// even the en-passant square the first hand-over had to drop.
TEST(GameRecord, MoveHandedStraightBackLeavesTheGameAsItWas) {
    setUpPosition("4k3/8/8/8/5p2/8/4P3/4K3 w - -");
    play("e2e4");
    const GameState before = currentState();
    play("white");
    EXPECT_EQ(game.position.epSquare, 0);
    play("black");
    EXPECT_TRUE(sameState(before));
    EXPECT_TRUE(isLegalGameMove(textToMove(game.position, "f4e3"))) << "the pawn may still take en passant";
}

// A game longer than the record keeps its latest half; take-backs within it still restore all.
TEST(TakeBack, OverlongGameKeepsItsLatestMoves) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const char* const round[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    const int plies = GAME_RECORD_SIZE + 40;
    std::vector<Position> last;
    for (int ply = 0; ply < plies; ++ply) {
        if (ply >= plies - 200) last.push_back(game.position);
        play(round[ply % 4]);
    }
    ASSERT_LT(gameRecord.length, GAME_RECORD_SIZE);
    ASSERT_GE(gameRecord.length, GAME_RECORD_SIZE / 2);
    // The fifty-move counter tells the plies apart, where the positions repeat every four.
    ASSERT_TRUE(takeBackGameMoves(150));
    EXPECT_EQ(game.top->fiftyCounter, plies - 150);
    EXPECT_TRUE(samePosition(game.position, last[50]));
    const int kept = gameRecord.length;
    EXPECT_FALSE(takeBackGameMoves(kept + 1));
    ASSERT_TRUE(takeBackGameMoves(kept)) << "back to where the kept half begins";
    EXPECT_EQ(game.top->fiftyCounter, plies - 150 - kept);
}

// The book lives in the transposition table, where searches may overwrite it: a take-back to
// a book position finds the set-up's book again, with the line it drew then.
class TakeBackBook : public testing::Test {
protected:
    void SetUp() override {
        initTablesOnce();
        handFrame = handFrames;
        home = std::filesystem::current_path();
        char pattern[] = "/tmp/tarnek-takeback-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        std::filesystem::current_path(folder);
        bookDraw = [] { return drawn; };
    }
    void TearDown() override {
        bookDraw = timeBookDraw;
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }
    static inline uint64_t drawn = 0;
    std::filesystem::path home, folder;
};

TEST_F(TakeBackBook, TakeBackFindsTheSameBookAgain) {
    // Two lines that disagree at the start; the draw decides which is stored last and wins.
    const Move lines[2][2] = {{moveOf(QUIET, "e2", "e4"), moveOf(QUIET, "e7", "e5")},
                              {moveOf(QUIET, "d2", "d4"), moveOf(QUIET, "d7", "d5")}};
    std::ofstream out("Tarnek.book", std::ios::binary);
    out << "2\n";
    for (const auto& line : lines) {
        out.put(2);
        for (Move m : line) out.put(char(m & 0xFF)).put(char(m >> 8));
    }
    out.close();
    const Move first[2] = {moveOf(QUIET, "d2", "d4"), moveOf(QUIET, "e2", "e4")};
    for (uint64_t draw : {0, 1}) {
        drawn = draw;
        ASSERT_TRUE(setPosition(INITIAL_POSITION_TEXT, true));
        ASSERT_EQ(bookMove(game.position), first[draw]);
        // A deeper search result overwrites the book's entry of the initial position.
        storeHash(game.position, 10, EXACT_BOUND, moveOf(QUIET, "g1", "f3"), 20);
        ASSERT_EQ(bookMove(game.position), 0);
        play("b2b3");
        drawn = 1 - draw;   // a new game now would choose the other line
        ASSERT_TRUE(takeBackGameMoves(1));
        EXPECT_EQ(bookMove(game.position), first[draw]) << draw;
    }
}

}  // namespace
