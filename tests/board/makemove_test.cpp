#include "board/makemove.h"

#include "board/checks.h"
#include "support.h"

namespace {

struct Case {
    const char* fen;
    int type;
    const char* from;
    const char* to;
};

// Hand-listed moves of every type from positions where each is pseudo-legal.
const Case CASES[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", QUIET, "g1", "f3"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", QUIET, "e2", "e4"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", QUIET, "e2", "e3"},
    {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6", CAPTURE, "e4", "d5"},
    {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6", EN_PASSANT, "e5", "d6"},
    {"rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP1PPPP/RNBQKBNR b KQkq d3", EN_PASSANT, "e4", "d3"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", PROMOTE_Q, "b7", "b8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", PROMOTE_N, "b7", "b8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", CAPTURE_PROMOTE_Q, "b7", "a8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", CAPTURE_PROMOTE_R, "b7", "a8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq -", CAPTURE_PROMOTE_B, "g2", "h1"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq -", PROMOTE_R, "g2", "g1"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", CASTLE_WHITE_SHORT, "e1", "g1"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", CASTLE_WHITE_LONG, "e1", "c1"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq -", CASTLE_BLACK_SHORT, "e8", "g8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq -", CASTLE_BLACK_LONG, "e8", "c8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", QUIET, "e1", "f1"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R w KQkq -", CAPTURE, "h1", "h8"},
    {"r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq -", CAPTURE, "a8", "a1"},
};

// Position set up from a text, for comparing incremental keys.
Position positionOf(const char* fen, Variant variant = NORMAL_CHESS) {
    Position saved = game.position;
    setUpPosition(fen, variant);
    Position result = game.position;
    game.position = saved;
    return result;
}

}  // namespace

TEST(MakeMove, UnmakeRestoresEveryFieldForEveryMoveType) {
    for (const Case& c : CASES) {
        setUpPosition(c.fen);
        const Position before = game.position;
        PlyRecord* top = game.top;
        const Move move = encodeMove(c.type, squareOf(c.from), squareOf(c.to));
        saveUndo(game.position, handFrame->undo);
        makeMove(game, move, handFrame->undo);
        EXPECT_EQ(game.top, top + 1) << c.fen << " " << c.from << c.to;
        EXPECT_EQ(game.top->key, game.position.hashKey);
        EXPECT_FALSE(samePosition(before, game.position));
        unmakeMove(game, move, handFrame->undo);
        EXPECT_TRUE(samePosition(before, game.position)) << c.fen << " " << c.from << c.to;
        EXPECT_EQ(game.top, top);
    }
}

TEST(MakeMove, IncrementalKeysMatchTheSamePositionSetUpFromText) {
    setUpPosition(INITIAL_POSITION_TEXT);
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("e2"), squareOf("e4")), handFrame->undo);
    EXPECT_EQ(game.position.epSquare, 44);
    Position expected = positionOf("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    EXPECT_EQ(game.position.hashKey, expected.hashKey);
    EXPECT_EQ(game.position.pawnKey, expected.pawnKey);
    EXPECT_TRUE(samePosition(game.position, expected));

    // Capture, promotion and en passant keep the pawn key and material in step too.
    setUpPosition("4k3/1P6/8/3pP3/8/8/8/4K3 w - d6");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(EN_PASSANT, squareOf("e5"), squareOf("d6")), handFrame->undo);
    expected = positionOf("4k3/1P6/3P4/8/8/8/8/4K3 b - -");
    EXPECT_EQ(game.position.hashKey, expected.hashKey);
    EXPECT_EQ(game.position.pawnKey, expected.pawnKey);
    EXPECT_EQ(game.position.material, expected.material);

    setUpPosition("n3k3/1P6/8/8/8/8/8/4K3 w - -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(CAPTURE_PROMOTE_N, squareOf("b7"), squareOf("a8")), handFrame->undo);
    expected = positionOf("N3k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_TRUE(samePosition(game.position, expected));
}

// Each castling moves king and rook in the mailbox, the bitboards and every occupancy, the rotated
// ones included, to where the castled position set up from its text has them, with the key of that
// position and the right given up; taken back, everything is as before. In Chess960 king and rook
// may land on each other's squares, and either may stay where it stands.
TEST(MakeMove, CastlingsPlaceKingAndRookInEveryRepresentation) {
    const struct {
        const char* before;
        Move castling;
        const char* after;
        Variant variant;
    } cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", WHITE_SHORT_CASTLING, "r3k2r/8/8/8/8/8/8/R4RK1 b kq -", NORMAL_CHESS},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", WHITE_LONG_CASTLING, "r3k2r/8/8/8/8/8/8/2KR3R b kq -", NORMAL_CHESS},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", BLACK_SHORT_CASTLING, "r4rk1/8/8/8/8/8/8/R3K2R w KQ -", NORMAL_CHESS},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", BLACK_LONG_CASTLING, "2kr3r/8/8/8/8/8/8/R3K2R w KQ -", NORMAL_CHESS},
        {"4k3/8/8/8/8/8/8/1R3KR1 w GB -", moveOf(CASTLE_WHITE_SHORT, "f1", "g1"), "4k3/8/8/8/8/8/8/1R3RK1 b - -", CHESS960},
        {"4k3/8/8/8/8/8/8/R5KR w HA -", moveOf(CASTLE_WHITE_SHORT, "g1", "h1"), "4k3/8/8/8/8/8/8/R4RK1 b - -", CHESS960},
        {"4k3/8/8/8/8/8/8/3RK2R w HD -", moveOf(CASTLE_WHITE_LONG, "e1", "d1"), "4k3/8/8/8/8/8/8/2KR3R b - -", CHESS960},
        {"1k4r1/8/8/8/8/8/8/4K3 b g -", moveOf(CASTLE_BLACK_SHORT, "b8", "g8"), "5rk1/8/8/8/8/8/8/4K3 w - -", CHESS960},
        {"rk5r/8/8/8/8/8/8/4K3 b kq -", moveOf(CASTLE_BLACK_LONG, "b8", "a8"), "2kr3r/8/8/8/8/8/8/4K3 w - -", CHESS960},
    };
    for (const auto& c : cases) {
        const Position expected = positionOf(c.after, c.variant);
        setUpPosition(c.before, c.variant);
        const Position before = game.position;
        ASSERT_EQ(castlingOf(before.castling, c.castling).move, c.castling) << c.before;
        saveUndo(game.position, handFrame->undo);
        makeMove(game, c.castling, handFrame->undo);
        const Castling& castling = castlingOf(before.castling, c.castling);
        const bool otherRight = before.castleFlags & castling.otherRight;
        EXPECT_EQ(game.position.hashKey, expected.hashKey ^ (otherRight ? zobrist[0][castling.otherRightKey] : 0))
            << c.after;
        EXPECT_EQ(std::memcmp(game.position.board, expected.board, 64), 0) << c.after;
        EXPECT_EQ(game.position.pieces[WROOK], expected.pieces[WROOK]) << c.after;
        EXPECT_EQ(game.position.pieces[BROOK], expected.pieces[BROOK]) << c.after;
        EXPECT_EQ(game.position.kingSquare[WHITE], expected.kingSquare[WHITE]) << c.after;
        EXPECT_EQ(game.position.kingSquare[BLACK], expected.kingSquare[BLACK]) << c.after;
        EXPECT_EQ(game.position.occupied[WHITE], expected.occupied[WHITE]) << c.after;
        EXPECT_EQ(game.position.occupied[BLACK], expected.occupied[BLACK]) << c.after;
        EXPECT_EQ(game.position.occupiedAll, expected.occupiedAll) << c.after;
        EXPECT_EQ(game.position.occupied90, expected.occupied90) << c.after;
        EXPECT_EQ(game.position.occupiedA1H8, expected.occupiedA1H8) << c.after;
        EXPECT_EQ(game.position.occupiedA8H1, expected.occupiedA8H1) << c.after;
        unmakeMove(game, c.castling, handFrame->undo);
        EXPECT_TRUE(samePosition(before, game.position)) << c.before;
    }
}

TEST(MakeMove, FiftyCounterCountsOnlyReversiblePlies) {
    setUpPosition("r3k2r/8/8/8/8/8/4P3/R3K1NR w KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("g1"), squareOf("f3")), handFrame->undo);
    EXPECT_EQ(game.top->fiftyCounter, 1);
    handFrame = handFrames + 1;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("a8"), squareOf("b8")), handFrame->undo);
    EXPECT_EQ(game.top->fiftyCounter, 2);
    handFrame = handFrames + 2;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(QUIET, squareOf("e2"), squareOf("e4")), handFrame->undo);
    EXPECT_EQ(game.top->fiftyCounter, 0);
}

TEST(MakeMove, RightsLeaveTheKeyWhenLostButNotWhenSpentByCastling) {
    // A capture on h8 takes Black's short right away, with its key.
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    uint64_t key = game.position.hashKey;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(CAPTURE, squareOf("h1"), squareOf("h8")), handFrame->undo);
    EXPECT_EQ(game.position.castleFlags & (BLACK_SHORT | WHITE_SHORT), 0);
    EXPECT_EQ(game.position.hashKey, key ^ zobrist[WROOK][63] ^ zobrist[WROOK][7] ^ zobrist[BROOK][7] ^ zobrist[0][6] ^
                                    zobrist[0][62]);

    // Castling short spends its right and gives up the other one, which alone leaves its key;
    // the castled side is marked.
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    key = game.position.hashKey;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, WHITE_SHORT_CASTLING, handFrame->undo);
    EXPECT_EQ(game.position.castleFlags, BLACK_SHORT | BLACK_LONG | WHITE_CASTLED_SHORT);
    EXPECT_EQ(game.position.hashKey, key ^ zobrist[WKING][60] ^ zobrist[WKING][62] ^ zobrist[WROOK][63] ^
                                    zobrist[WROOK][61] ^ zobrist[0][58]);
    EXPECT_EQ(game.position.kingSquare[WHITE], 62);
    EXPECT_EQ(game.position.board[61], WROOK);

    // Once castled, a capture on the castler's corner changes none of its flags and key terms.
    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    saveUndo(game.position, handFrame->undo);
    makeMove(game, BLACK_LONG_CASTLING, handFrame->undo);
    const uint16_t black = BLACK_SHORT | BLACK_LONG | BLACK_CASTLED_SHORT | BLACK_CASTLED_LONG;
    EXPECT_EQ(game.position.castleFlags & black, BLACK_CASTLED_LONG);
    handFrame = handFrames + 1;
    saveUndo(game.position, handFrame->undo);
    key = game.position.hashKey;
    makeMove(game, encodeMove(CAPTURE, squareOf("h1"), squareOf("h8")), handFrame->undo);
    EXPECT_EQ(game.position.castleFlags & black, BLACK_CASTLED_LONG);
    EXPECT_EQ(game.position.hashKey, key ^ zobrist[WROOK][63] ^ zobrist[WROOK][7] ^ zobrist[BROOK][7] ^ zobrist[0][62]);
}

TEST(MakeMove, PromotionChangesMaterialByItsGain) {
    setUpPosition("r3k3/1P6/8/8/8/8/8/4K3 w q -");
    const int before = game.position.material;
    saveUndo(game.position, handFrame->undo);
    makeMove(game, encodeMove(CAPTURE_PROMOTE_Q, squareOf("b7"), squareOf("a8")), handFrame->undo);
    EXPECT_EQ(game.position.material, before + 3);
    EXPECT_EQ(game.position.castleFlags & BLACK_LONG, 0);
    unmakeMove(game, encodeMove(CAPTURE_PROMOTE_Q, squareOf("b7"), squareOf("a8")), handFrame->undo);
    EXPECT_EQ(game.position.material, before);
}
