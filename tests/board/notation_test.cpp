#include "board/notation.h"

#include <string>

#include "board/makemove.h"
#include "support.h"

namespace {

std::string textOf(Move move) {
    char buffer[MOVE_TEXT_SIZE];
    moveToText(buffer, move);
    return buffer;
}

TEST(MoveToText, CastlingIsWrittenAsTheKingsMove) {
    EXPECT_EQ(textOf(WHITE_SHORT_CASTLING), "e1g1");
    EXPECT_EQ(textOf(WHITE_LONG_CASTLING), "e1c1");
    EXPECT_EQ(textOf(BLACK_SHORT_CASTLING), "e8g8");
    EXPECT_EQ(textOf(BLACK_LONG_CASTLING), "e8c8");
}

TEST(MoveToText, SquaresAndPromotionLetter) {
    EXPECT_EQ(textOf(encodeMove(QUIET, squareOf("e2"), squareOf("e4"))), "e2e4");
    EXPECT_EQ(textOf(encodeMove(CAPTURE, squareOf("a1"), squareOf("h8"))), "a1h8");
    EXPECT_EQ(textOf(encodeMove(EN_PASSANT, squareOf("e5"), squareOf("d6"))), "e5d6");
    const char* letters = "qnrbqnrb";
    for (int type = PROMOTE_Q; type <= CAPTURE_PROMOTE_B; ++type)
        EXPECT_EQ(textOf(encodeMove(type, squareOf("e7"), squareOf("e8"))), std::string("e7e8") + letters[type - 4]);
}

TEST(TextToMove, RefusesWordsThatAreNotCoordinates) {
    setUpPosition(INITIAL_POSITION_TEXT);
    for (const char* word : {"i2i4", "e9e7", "go", "e2", "1-0", "", "e2e", "e0e1", "E2E4", "e2-e4"})
        EXPECT_EQ(textToMove(game.position, word), 0) << word;
}

TEST(TextToMove, QuietCaptureAndIgnoredTail) {
    setUpPosition("4k3/8/8/3p4/4P3/8/8/R3K2N w - -");
    EXPECT_EQ(textToMove(game.position, "e4e5"), encodeMove(QUIET, squareOf("e4"), squareOf("e5")));
    EXPECT_EQ(textToMove(game.position, "e4d5"), encodeMove(CAPTURE, squareOf("e4"), squareOf("d5")));
    // A piece's fifth character means nothing; everything after it is never read.
    EXPECT_EQ(textToMove(game.position, "h1g3q"), encodeMove(QUIET, squareOf("h1"), squareOf("g3")));
    EXPECT_EQ(textToMove(game.position, "e4e5qqqq"), encodeMove(PROMOTE_Q, squareOf("e4"), squareOf("e5")));
    // Without castling rights the king's two-square step is an ordinary move.
    EXPECT_EQ(textToMove(game.position, "e1c1"), encodeMove(QUIET, 60, 58));
}

TEST(TextToMove, CastlingNeedsTheRight) {
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    EXPECT_EQ(textToMove(game.position, "e1g1"), WHITE_SHORT_CASTLING);
    EXPECT_EQ(textToMove(game.position, "e1c1"), WHITE_LONG_CASTLING);
    EXPECT_EQ(textToMove(game.position, "e8g8"), BLACK_SHORT_CASTLING);
    EXPECT_EQ(textToMove(game.position, "e8c8"), BLACK_LONG_CASTLING);
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w Qk -");
    EXPECT_EQ(textToMove(game.position, "e1g1"), encodeMove(QUIET, 60, 62));
    EXPECT_EQ(textToMove(game.position, "e1c1"), WHITE_LONG_CASTLING);
    EXPECT_EQ(textToMove(game.position, "e8g8"), BLACK_SHORT_CASTLING);
    EXPECT_EQ(textToMove(game.position, "e8c8"), encodeMove(QUIET, 4, 2));
    // The position the word is read against decides.
    Position without = game.position;
    without.castleFlags = 0;
    EXPECT_EQ(textToMove(without, "e8g8"), encodeMove(QUIET, 4, 6));
}

TEST(TextToMove, PromotionsAndEnPassant) {
    setUpPosition("4k3/4P3/8/8/8/8/8/4K3 w - -");
    Position p = game.position;
    p.board[squareOf("e8")] = EMPTY;
    EXPECT_EQ(textToMove(p, "e7e8q"), encodeMove(PROMOTE_Q, 12, 4));
    p.board[squareOf("e8")] = BROOK;
    EXPECT_EQ(textToMove(p, "e7e8q"), encodeMove(CAPTURE_PROMOTE_Q, 12, 4));
    EXPECT_EQ(textToMove(p, "e7e8n"), encodeMove(CAPTURE_PROMOTE_N, 12, 4));
    EXPECT_EQ(textToMove(p, "e7e8r"), encodeMove(CAPTURE_PROMOTE_R, 12, 4));
    EXPECT_EQ(textToMove(p, "e7e8b"), encodeMove(CAPTURE_PROMOTE_B, 12, 4));
    // A pawn with any other fifth character is read as a plain step, whatever stands there.
    EXPECT_EQ(textToMove(p, "e7e8x"), encodeMove(QUIET, 12, 4));

    setUpPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    EXPECT_EQ(textToMove(game.position, "e5d6"), encodeMove(EN_PASSANT, squareOf("e5"), squareOf("d6")));
    EXPECT_EQ(textToMove(game.position, "e5e6"), encodeMove(QUIET, squareOf("e5"), squareOf("e6")));
}

// Chess960: a castling is read and written as the king taking its own rook, while its right
// stands; the king's step to where it lands is no castling.
TEST(TextToMove, Chess960CastlingIsTheKingTakingItsRook) {
    setUpPosition("rk4r1/8/8/8/8/8/8/RK4R1 w GAg -", CHESS960);
    EXPECT_EQ(textToMove(game.position, "b1g1"), moveOf(CASTLE_WHITE_SHORT, "b1", "g1"));
    EXPECT_EQ(textToMove(game.position, "b1a1"), moveOf(CASTLE_WHITE_LONG, "b1", "a1"));
    EXPECT_EQ(textToMove(game.position, "b8g8"), moveOf(CASTLE_BLACK_SHORT, "b8", "g8"));
    EXPECT_EQ(textToMove(game.position, "b8a8"), moveOf(CAPTURE, "b8", "a8"));   // no right
    EXPECT_EQ(textToMove(game.position, "b1c1"), moveOf(QUIET, "b1", "c1"));
    EXPECT_EQ(textOf(textToMove(game.position, "b1g1")), "b1g1");
    // The initial position as a Chess960 game.
    setUpPosition(INITIAL_POSITION_TEXT, CHESS960);
    EXPECT_EQ(textToMove(game.position, "e1h1"), moveOf(CASTLE_WHITE_SHORT, "e1", "h1"));
    EXPECT_EQ(textToMove(game.position, "e1g1"), moveOf(CAPTURE, "e1", "g1"));   // no castling
}

TEST(PositionToText, InitialPositionAndAfterADoublePush) {
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_EQ(currentPositionText(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("e2"), squareOf("e4")), handFrame->undo);
    EXPECT_EQ(currentPositionText(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
}

TEST(PositionToText, SparseBoardsAndPartialRights) {
    const char* texts[] = {
        "8/8/8/8/8/8/8/k6K b - -",
        "4k3/8/8/8/8/8/8/4K2R w K -",
        "r3k3/8/8/8/8/8/8/4K3 b q -",
        "7k/P7/8/8/8/8/7p/K7 w - -",
    };
    for (const char* text : texts) {
        setUpPosition(text);
        EXPECT_EQ(currentPositionText(), text);
    }
}

// Chess960 rights come back as they were given: rook files (Shredder-FEN), or K and Q with a file
// where another rook stands farther out on that side (X-FEN). Both read the same castlings.
TEST(PositionToText, Chess960RightsInBothNotations) {
    const char* texts[] = {
        "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf -",
        "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w KQkq -",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "4k2r/8/8/8/8/8/8/R3K1RR w GQk -",
        "4k2r/8/8/8/8/8/8/R3K1RR w HAh -",
        "rk4r1/8/8/8/8/8/8/RK4R1 b Ga -",
    };
    for (const char* text : texts) {
        setUpPosition(text, CHESS960);
        EXPECT_EQ(currentPositionText(), text);
    }
    setUpPosition(texts[0], CHESS960);
    const Position shredder = game.position;
    setUpPosition(texts[1], CHESS960);
    EXPECT_EQ(shredder.castleFlags, CASTLE_RIGHTS);
    EXPECT_EQ(game.position.castleFlags, CASTLE_RIGHTS);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(game.position.castling.castlings[i], shredder.castling.castlings[i]);
    // K stands for the outermost rook, a file for the one named.
    setUpPosition("4k3/8/8/8/8/8/8/4K1RR w K -", CHESS960);
    EXPECT_EQ(textToMove(game.position, "e1h1"), moveOf(CASTLE_WHITE_SHORT, "e1", "h1"));
    setUpPosition("4k3/8/8/8/8/8/8/4K1RR w G -", CHESS960);
    EXPECT_EQ(textToMove(game.position, "e1g1"), moveOf(CASTLE_WHITE_SHORT, "e1", "g1"));
    // A right whose rook is not there, or a king off its back rank, is dropped.
    setUpPosition("4k3/8/8/8/8/8/4K3/6RR w GHc -", CHESS960);
    EXPECT_EQ(currentPositionText(), "4k3/8/8/8/8/8/4K3/6RR w - -");
}

}  // namespace
