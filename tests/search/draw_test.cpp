#include "search/draw.h"

#include "board/makemove.h"
#include "support.h"

namespace {

Move quiet(const char* from, const char* to) { return encodeMove(QUIET, squareOf(from), squareOf(to)); }

// Play moves as the search does: snapshot, make, next frame.
void play(std::initializer_list<Move> moves) {
    for (Move m : moves) {
        saveUndo(game.position, handFrame->undo);
        makeMove(game, m, handFrame->undo);
        ++handFrame;
    }
}

const Move NF3 = quiet("g1", "f3"), NG1 = quiet("f3", "g1"), NF6 = quiet("g8", "f6"), NG8 = quiet("f6", "g8");

}  // namespace

TEST(DrawByRule, MaterialThatCannotMateIsDrawnWhateverTheCounter) {
    for (const char* fen : {"8/8/4k3/8/8/4K3/8/8 w - -", "8/8/4k3/8/8/3BK3/8/8 b - -", "8/8/2n1k3/8/8/4K3/8/8 w - -"}) {
        setUpPosition(fen);
        EXPECT_TRUE(drawByRule(game, 2)) << fen;
    }
    for (const char* fen : {"8/8/4k3/8/8/2NNK3/8/8 w - -", "8/8/4k3/8/8/4K3/4P3/8 w - -", "8/8/2b1k3/8/8/3BK3/8/8 w - -"}) {
        setUpPosition(fen);
        EXPECT_FALSE(drawByRule(game, 1)) << fen;
    }
}

TEST(DrawByRule, FiftyMoveRuleAtOneHundredPlies) {
    setUpPosition("8/8/4k3/8/8/4K3/4P3/8 w - -");
    game.top->fiftyCounter = 99;
    EXPECT_FALSE(drawByRule(game, 1));
    game.top->fiftyCounter = 100;
    EXPECT_TRUE(drawByRule(game, 2));
}

TEST(DrawByRule, RepetitionCountsEarlierOccurrencesSinceTheLastIrreversibleMove) {
    setUpPosition(INITIAL_POSITION_TEXT);
    play({NF3, NF6, NG1});
    EXPECT_FALSE(drawByRule(game, 1));   // three reversible plies cannot repeat anything
    play({NG8});                   // the initial position again
    EXPECT_TRUE(drawByRule(game, 1));
    EXPECT_FALSE(drawByRule(game, 2));
    play({NF3, NF6, NG1, NG8});    // ... and a third time
    EXPECT_TRUE(drawByRule(game, 2));
    // With the opposite side to move the placement is another position.
    setUpPosition(INITIAL_POSITION_TEXT);
    play({NF3, NF6, NG1, NG8, quiet("b1", "c3"), quiet("b8", "c6"), quiet("c3", "b1")});
    EXPECT_FALSE(drawByRule(game, 1));
}

TEST(DrawByRule, PositionsBeforeAPawnMoveAreNotCompared) {
    // The counter of the current record bounds the walk: forge a history whose old entry
    // holds the current key but lies beyond the counter.
    setUpPosition(INITIAL_POSITION_TEXT);
    play({NF3, NF6, NG1, NG8, NF3, NF6});
    game.top->fiftyCounter = 3;
    EXPECT_FALSE(drawByRule(game, 1));
}

TEST(RepeatsAfterMove, QuietMoveIntoAThirdOccurrence) {
    setUpPosition(INITIAL_POSITION_TEXT);
    play({NF3, NF6, NG1, NG8, NF3, NF6, NG1});
    ASSERT_EQ(game.top->fiftyCounter, 7);
    PlyRecord* top = game.top;
    const Position before = game.position;
    EXPECT_TRUE(repeatsAfterMove(game, NG8, 2));
    EXPECT_FALSE(repeatsAfterMove(game, quiet("b8", "c6"), 1));
    EXPECT_EQ(game.top, top);
    EXPECT_TRUE(samePosition(before, game.position));
    // Anything but a quiet move never repeats; neither do the special result codes.
    EXPECT_FALSE(repeatsAfterMove(game, encodeMove(CAPTURE, squareOf("f6"), squareOf("g8")), 2));
    EXPECT_FALSE(repeatsAfterMove(game, MatedCode, 1));
    // A pawn move resets the counter: nothing can repeat after it.
    EXPECT_FALSE(repeatsAfterMove(game, quiet("e7", "e6"), 1));
}
