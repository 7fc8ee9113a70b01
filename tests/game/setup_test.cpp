#include "game/setup.h"

#include "board/makemove.h"
#include "search/transposition.h"
#include "support.h"

TEST(SetUp, InitialPosition) {
    setUpPosition(INITIAL_POSITION_TEXT);
    const int allRights = WHITE_SHORT | WHITE_LONG | BLACK_SHORT | BLACK_LONG;
    EXPECT_EQ(game.position.material, 78);   // 8 pawns, 2 knights, 2 bishops, 2 rooks, a queen a side
    EXPECT_EQ(game.position.castleFlags, allRights);
    EXPECT_EQ(game.position.epSquare, 0);
    EXPECT_EQ(game.position.sideToMove, WHITE);
    EXPECT_EQ(game.position.kingSquare[WHITE], squareOf("e1"));
    EXPECT_EQ(game.position.kingSquare[BLACK], squareOf("e8"));
    EXPECT_EQ(game.position.hashKey, initialPositionKey()) << "the book recognises its start by this key";
    EXPECT_EQ(game.top, game.history);
    EXPECT_EQ(game.top->key, game.position.hashKey);
    EXPECT_EQ(game.position.board[squareOf("d1")], WQUEEN);
}

TEST(SetUp, FieldsBeyondTheBoard) {
    // The position after 1. e4, set up from its text, is the one the move itself reaches.
    setUpPosition(INITIAL_POSITION_TEXT);
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("e2"), squareOf("e4")), handFrame->undo);
    const Position afterMove = game.position;
    setUpPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    EXPECT_EQ(game.position.epSquare, 44);
    EXPECT_EQ(game.position.sideToMove, BLACK);
    EXPECT_TRUE(samePosition(game.position, afterMove));

    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R W Kq -");
    EXPECT_EQ(game.position.castleFlags, WHITE_SHORT | BLACK_LONG);
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w - -");
    EXPECT_EQ(game.position.castleFlags, 0);
}

TEST(SetUp, ImpossibleRightsAndEnPassantSquaresAreDropped) {
    // Rights whose king or rook is not at home.
    setUpPosition("r3k3/8/8/8/8/8/8/4K2R w KQkq -");
    EXPECT_EQ(game.position.castleFlags, WHITE_SHORT | BLACK_LONG);
    // An en-passant square with no pawn that could have just passed it.
    setUpPosition("4k3/8/8/8/8/8/8/4K3 w - e6");
    EXPECT_EQ(game.position.epSquare, 0);
    setUpPosition("4k3/8/8/4p3/8/8/8/4K3 w - e3");
    EXPECT_EQ(game.position.epSquare, 0);
    setUpPosition("4k3/8/8/4p3/8/8/8/4K3 w - z9");
    EXPECT_EQ(game.position.epSquare, 0);
    setUpPosition("4k3/8/8/4p3/8/8/8/4K3 w - e6");
    EXPECT_EQ(game.position.epSquare, squareOf("e6"));
    EXPECT_EQ(game.position.hashKey, zobrist[WKING][60] ^ zobrist[BKING][4] ^ zobrist[BPAWN][28] ^ zobrist[0][20]);
}

TEST(SetUp, RefusedTextsChangeNothing) {
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("a1"), squareOf("a5")), handFrame->undo);
    const Position before = game.position;
    PlyRecord* topBefore = game.top;
    storeHash(game.position, 5, EXACT_BOUND, encodeMove(QUIET, squareOf("a5"), squareOf("a6")), 77);

    const char* refused[] = {
        "8/8/8 w - -",                                              // board ends early
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq -",     // no side to move
        "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",     // "9" is no square count
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w kq -",       // no white king
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKKNR w KQkq -",     // two white kings
        "P3k3/8/8/8/8/8/8/4K3 w - -",                              // pawn on the last rank
        "4k3/8/8/8/8/8/8/4K2p b - -",                              // pawn on the first rank
        "4k3/8/8/8/8/8/8/4K2r b - -",                              // White, not to move, in check
        "8/8/8/8/8/8/3kK3/8 w - -",                                // kings side by side
        "QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/k3K3 w - -",                  // material no game can reach
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Zz9;",  // unreadable best move
        "",
    };
    for (const char* text : refused) {
        EXPECT_FALSE(setPosition(text, false)) << text;
        EXPECT_TRUE(samePosition(before, game.position)) << text;
        EXPECT_EQ(game.top, topBefore) << text;
        ASSERT_NE(probedEntry(), nullptr) << "the search's table was cleared: " << text;
        EXPECT_EQ(entryScore(*probedEntry()), 77) << text;
    }
}

TEST(SetUp, EpdOperationNeedsItsTerminator) {
    // Without a ";" or blank after the move text the operation does not count at all.
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Zz9");
    // A text longer than nine characters is no operation either.
    setUpPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Zz9Zz9Zz9Z;");
}

TEST(Epd, BestAndAvoidMovesAreCheckedBySetUp) {
    initTablesOnce();
    handFrame = handFrames;
    EXPECT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3;", false));
    EXPECT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - am e4; id \"x\";", false));
    EXPECT_TRUE(setPosition("r3k2r/8/8/8/8/8/8/R3K2R b Kq - bm O-O-O;", false));

    // A refused move is named for the user and leaves the previous position in place.
    setUpPosition("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -");
    const Position before = game.position;
    SetupNotes notes;
    EXPECT_FALSE(setPosition("r3k2r/8/8/8/8/8/8/R3K2R w Kq - bm O-O-O;", false, &notes));
    EXPECT_STREQ(notes.unreadableMove, "O-O-O");
    EXPECT_FALSE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf5 ;", false, &notes));
    EXPECT_STREQ(notes.unreadableMove, "Nf5");
    EXPECT_TRUE(samePosition(game.position, before));
    EXPECT_TRUE(setPosition("8/8/8/8/8/8/8/K6k w - -", false, &notes));
    EXPECT_STREQ(notes.unreadableMove, "");
}
