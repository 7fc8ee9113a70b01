#include "board/consistency.h"

#include <cstring>
#include <functional>
#include <string>

#include "board/makemove.h"
#include "board/notation.h"
#include "game/gamemove.h"
#include "support.h"

namespace {

const char* const MIDDLEGAME = "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq -";

std::string faultOf(ConsistencyScope scope = WHOLE_POSITION) {
    const char* fault = positionFault(game, scope);
    return fault ? fault : "";
}

// Each representation damaged on its own is named; the untouched position is sound.
TEST(Consistency, EachDamagedRepresentationIsNamed) {
    struct Damage {
        const char* fault;
        std::function<void(Position&)> apply;
    };
    const Damage damages[] = {
        {"piece bitboard and mailbox differ", [](Position& p) { p.pieces[WKNIGHT] ^= squareMask[squareOf("a4")]; }},
        {"piece bitboard and mailbox differ", [](Position& p) { p.board[squareOf("a4")] = BPAWN; }},
        {"colour occupancy", [](Position& p) { p.occupied[BLACK] ^= squareMask[squareOf("a4")]; }},
        {"occupancy", [](Position& p) { p.occupiedAll ^= squareMask[squareOf("a4")]; }},
        {"file-wise occupancy", [](Position& p) { p.occupied90 ^= 1; }},
        {"a1-h8 diagonal occupancy", [](Position& p) { p.occupiedA1H8 ^= 1; }},
        {"a8-h1 diagonal occupancy", [](Position& p) { p.occupiedA8H1 ^= 1; }},
        {"king square", [](Position& p) { p.kingSquare[WHITE] = uint8_t(squareOf("d1")); }},
        {"material", [](Position& p) { p.material = uint8_t(p.material + 1); }},
        {"hash key", [](Position& p) { p.hashKey ^= 1; }},
        {"pawn key", [](Position& p) { p.pawnKey ^= 1; }},
        {"side to move", [](Position& p) { p.sideToMove = Colour(2); }},
        {"unknown piece code in the mailbox", [](Position& p) { p.board[squareOf("a4")] = 13; }},
    };
    for (const Damage& damage : damages) {
        setUpPosition(MIDDLEGAME);
        EXPECT_EQ(faultOf(), "");
        damage.apply(game.position);
        EXPECT_EQ(faultOf(), damage.fault);
    }
}

// Right after a pseudo-legal move the mover may stand in check; only the whole check says so.
TEST(Consistency, CheckTestIsLeftOutRightAfterAMove) {
    setUpPosition("4k3/8/8/8/8/8/4r3/R3K3 w Q -");
    saveUndo(game.position, handFrame->undo);
    const Move intoCheck = encodeMove(QUIET, squareOf("a1"), squareOf("a2"));
    makeMove(game, intoCheck, handFrame->undo);
    EXPECT_EQ(faultOf(WITHOUT_CHECK_TEST), "");
    EXPECT_EQ(faultOf(), "the side not to move is in check");
    unmakeMove(game, intoCheck, handFrame->undo);
    EXPECT_EQ(faultOf(), "");
}

// The key counts every right lost since set-up, by a king or rook move or a rook taken on its
// corner, but not the right a castling spends: the key from scratch follows all of them, in the
// search (castling made and taken back) and in the game (castling completed).
TEST(Consistency, KeyFromScratchFollowsLostAndSpentRights) {
    setUpPosition(MIDDLEGAME);
    handFrame = handFrames;
    for (const char* text : {"e1g1", "e8c8"}) {
        const Move castling = textToMove(game.position, text);
        saveUndo(game.position, handFrame->undo);
        makeMove(game, castling, handFrame->undo);
        EXPECT_EQ(faultOf(), "") << text << " made";
        unmakeMove(game, castling, handFrame->undo);
        EXPECT_EQ(faultOf(), "") << text << " taken back";
        ASSERT_TRUE(playGameMove(castling));
        EXPECT_EQ(faultOf(), "") << text << " played";
    }

    setUpPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    for (const char* text : {"a1a8", "e8e7", "e1d2", "h8h1"}) {
        const Move move = textToMove(game.position, text);
        ASSERT_TRUE(isLegalGameMove(move)) << text;
        ASSERT_TRUE(playGameMove(move));
        EXPECT_EQ(faultOf(), "") << text;
    }
    EXPECT_EQ(game.position.castleFlags & CASTLE_RIGHTS, 0);
}

#if defined(TARNEK_CHECKS) && TARNEK_CHECKS
// Checked builds stop at the first move made on a damaged board, naming what broke.
TEST(ConsistencyDeathTest, CheckedBuildsStopAtTheFirstMoveOnADamagedBoard) {
    setUpPosition(MIDDLEGAME);
    game.position.material = uint8_t(game.position.material + 1);
    saveUndo(game.position, handFrame->undo);
    EXPECT_DEATH(makeMove(game, textToMove(game.position, "a2a3"), handFrame->undo), "invariant broken");
}

// ... and at a move that does not fit the position on the board: from an empty square, with a
// piece of the side not to move, a capture of nothing, a castling without its right, a search
// result's code, or with the snapshot of another position.
TEST(ConsistencyDeathTest, CheckedBuildsStopAtAMoveThatDoesNotFitThePosition) {
    setUpPosition("r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w kq -");
    saveUndo(game.position, handFrame->undo);
    const UndoRecord snapshot = handFrame->undo;
    for (const Move misfit : {moveOf(QUIET, "a4", "a5"), moveOf(QUIET, "a7", "a6"), moveOf(CAPTURE, "a2", "a3"),
                              WHITE_SHORT_CASTLING, MatedCode})
        EXPECT_DEATH(makeMove(game, misfit, handFrame->undo), "invariant broken") << std::hex << misfit;

    setUpPosition("r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R b kq -");
    UndoRecord stale = snapshot;
    EXPECT_DEATH(makeMove(game, moveOf(QUIET, "a7", "a6"), stale), "invariant broken");
}
#endif

}  // namespace
