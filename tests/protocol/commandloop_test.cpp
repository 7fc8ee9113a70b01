// The engine as the GUI sees it: the built program driven through its standard input and output.
#include <cstdio>
#include <string>
#include <vector>

#include "board/makemove.h"
#include "xboardsession.h"

namespace {

std::string keyLineAfter(const char* text, const char* moveText) {
    initTablesOnce();
    setPosition(text, false);
    UndoRecord undo;
    saveUndo(game.position, undo);
    makeMove(game, textToMove(game.position, moveText), undo);
    char line[32];
    std::snprintf(line, sizeof line, "%x %x\n", unsigned(game.position.hashKey >> 32), unsigned(game.position.hashKey));
    return line;
}

TEST(Handshake, XboardGetsTheFeaturesAndQuitEndsCleanly) {
    SessionResult session = play("xboard\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE);
    EXPECT_EQ(session.exitStatus, 0);
    EXPECT_EQ(session.log, "::cmd:: quit\n") << "the handshake's word is not logged";
}

TEST(Handshake, AnotherFirstWordIsWarnedAbout) {
    SessionResult session = play("uci\nquit\n");
    EXPECT_EQ(session.output, "Engine works only with xboard protocol ver. 2\n" + HANDSHAKE);
    EXPECT_EQ(session.exitStatus, 0);
}

TEST(Handshake, EndOfInputActsAsQuit) {
    for (const char* input : {"", "xboard", "xboard\nnew\n", "xboard\nsetboard 8/8/8", "xboard\ntime 300"}) {
        SessionResult session = play(input);
        EXPECT_EQ(session.exitStatus, 0) << input;
        EXPECT_TRUE(contains(session.output, "feature done=1\n")) << input;
    }
}

TEST(Handshake, EachRunStartsAFreshLog) {
    EngineProcess first;
    ASSERT_TRUE(startProcess(first));
    sendText(first, "xboard\nfirstrun\nquit\n");
    ASSERT_EQ(waitForExit(first), 0);
    EngineProcess second;
    ASSERT_TRUE(startProcess(second, engineProgram(), first.folder));
    sendText(second, "xboard\nsecondrun\nquit\n");
    ASSERT_EQ(waitForExit(second), 0);
    EXPECT_EQ(readFolderFile(second, "Tarnek.log"), "::cmd:: secondrun\n::cmd:: quit\n");
    removeFolder(second);
}

TEST(Log, CommandsMovesAndTheEnginesReply) {
    SessionResult session = play("xboard\nprotover 2\nnew\ne2e4\nquit\n");
    ASSERT_EQ(session.exitStatus, 0);
    const std::string& log = session.log;
    EXPECT_EQ(log.rfind("::cmd:: protover\n::cmd:: 2\n::cmd:: new\n", 0), 0u) << log;
    const std::string afterMove = "::cmd:: e2e4\n" + keyLineAfter(INITIAL_POSITION_TEXT, "e2e4");
    ASSERT_TRUE(contains(log, afterMove)) << log;

    // The reply: its key line, then the move with its score, then the end of the turn.
    std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    const size_t reply = log.find("move " + moves[0] + "\tscore: ");
    ASSERT_NE(reply, std::string::npos) << log;
    EXPECT_LT(log.find(afterMove), reply);
    EXPECT_LT(reply, log.find("- NO ponder move\n"));
    EXPECT_TRUE(contains(log, "::cmd:: quit\n"));
}

TEST(Log, RefusedSetboardIsOnlyLogged) {
    SessionResult session = play("xboard\nsetboard 8/8/8 w\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE);
    EXPECT_TRUE(contains(session.log, "::cmd:: setboard\nsetboard  8/8/8 w\n\n-M: tellusererror Illegal position\n"))
        << session.log;
}

TEST(Log, UnreadableEpdMoveIsWarnedAboutAndRefusesThePosition) {
    SessionResult session = play("xboard\nsetboard r3k2r/8/8/8/8/8/8/R3K2R w Kq - bm O-O-O;\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "Warning cannot recognize move: O-O-O\r\n");
    EXPECT_TRUE(contains(session.log, "bm O-O-O;\n\n-M: tellusererror Illegal position\n")) << session.log;
}

// A game from a set position has no book and nothing to complain of, even with no book at hand;
// only a new game (the initial position) needs the book.
TEST(Log, SetPositionWithoutABookIsNoError) {
    SessionResult session = runSession("xboard\nsetboard 4k3/8/8/8/8/8/8/R3K3 w Q -\nforce\nnew\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + BOOK_ERROR);
    EXPECT_FALSE(contains(session.log, "setboard  4k3/8/8/8/8/8/8/R3K3 w Q -\n\n-\ttellusererror")) << session.log;
    EXPECT_TRUE(contains(session.log, "::cmd:: new\n-\ttellusererror BOOK ERROR!\n\n::cmd:: quit\n")) << session.log;
}

TEST(CommandTable, PrefixAndExactWords) {
    // "benchmarks" and "tests" are ignored, "gone" acts as go and "quitting" as quit.
    SessionResult session = play("xboard\nbenchmark\nbenchmarks\ntests\nnew\ngone\nquitting\nbenchmark\n");
    EXPECT_EQ(session.exitStatus, 0);
    const std::string& output = session.output;
    EXPECT_EQ(output.rfind(HANDSHAKE + "Define __STAT\nmove ", 0), 0u) << output;
    EXPECT_EQ(engineMoves(output).size(), 1u);
    const std::string lastWord = "::cmd:: quitting\n";
    EXPECT_EQ(session.log.substr(session.log.size() - lastWord.size()), lastWord) << "nothing is read after quitting";
}

TEST(CommandTable, TimeConsumesTheOpponentsClock) {
    SessionResult session = play("xboard\ntime 30000\notim 29000\nquit\n");
    EXPECT_TRUE(contains(session.log, "::cmd:: time\n::cmd:: quit\n")) << session.log;
}

TEST(CommandTable, ResultStartsANewGameAndItsWordsAreIgnored) {
    SessionResult session = play("xboard\nforce\ne2e4\nresult 1-0 {White mates}\ne2e4\nquit\n");
    EXPECT_TRUE(contains(session.log, "::cmd:: 1-0\n::cmd:: {White\n::cmd:: mates}\n")) << session.log;
    // The board is back at the start and the engine answers the move.
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"e2e4", moves[0]}));
}

// "white" and "black" hand the move over without touching the pieces; "go" then plays the side
// to move, whichever colour that is.
TEST(CommandTable, WhiteAndBlackChooseTheSideThatGoPlays) {
    struct Case {
        const char* position;
        const char* command;
        const char* handedOver;   // the position the engine must move in
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/4P3/4K3 b - -", "white", "4k3/8/8/8/8/8/4P3/4K3 w - -"},
        {"4k3/4p3/8/8/8/8/8/4K3 w - -", "black", "4k3/4p3/8/8/8/8/8/4K3 b - -"},
        {"4k3/4p3/8/8/8/8/8/4K3 b - -", "black", "4k3/4p3/8/8/8/8/8/4K3 b - -"},
    };
    for (const Case& c : cases) {
        SessionResult session = play("xboard\nsetboard " + std::string(c.position) + "\n" + c.command + "\n" +
                                     QUICK_CLOCK + "go\nquit\n");
        const std::vector<std::string> moves = engineMoves(session.output);
        ASSERT_EQ(moves.size(), 1u) << c.position << " " << c.command << "\n" << session.output;
        EXPECT_TRUE(legalLine(c.handedOver, moves)) << c.position << " " << c.command;
    }
}

// "test" starts a new game and lets the engine play it; with the book at hand its first move
// comes from the book at once, whatever game was on the board.
TEST(CommandTable, TestPlaysTheInitialPositionsBookMove) {
    SessionResult session = playWithBook("xboard\nsetboard 4k3/8/8/8/8/8/4P3/4K3 w - -\ne2e4\ntest\nquit\n");
    ASSERT_EQ(session.exitStatus, 0);
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, moves)) << moves[0];
    EXPECT_TRUE(contains(session.log, "-M: move(book): " + moves[0] + "\n")) << session.log;
}

TEST(CommandTable, MovesInForceModeAreOnlyPlayed) {
    SessionResult session = play("xboard\nnew\nforce\ne2e4\ne7e5\ng1f3\nwhite\nblack\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE);
    EXPECT_EQ(session.exitStatus, 0);
}

TEST(LongInput, LongWordKeepsItsFirst255Characters) {
    const std::string head(255, 'a');
    SessionResult session = play("xboard\n" + head + "quit\nbenchmark\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "Define __STAT\n") << "the tail of the long word was taken for quit";
    EXPECT_EQ(session.log.rfind("::cmd:: " + head + "\n::cmd:: benchmark\n", 0), 0u);
}

TEST(LongInput, LongSetboardLineIsNeverReadAsCommands) {
    const std::string position = " 4k3/8/8/8/8/8/8/R3K3 w Q -";
    const std::string padding(400 - position.size(), ' ');
    SessionResult session =
        play("xboard\nsetboard" + position + padding + "benchmark quit\na1a8\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE) << "the rook move of the set-up position is legal";
    EXPECT_TRUE(contains(session.log, "setboard " + position + std::string(254 - position.size(), ' ') + "\n"));
    EXPECT_TRUE(contains(session.log, "::cmd:: a1a8\n"));
    EXPECT_FALSE(contains(session.log, "::cmd:: benchmark"));
}

TEST(Refusals, RefusedPositionsLeaveTheBoardUnchanged) {
    const std::string input =
        "xboard\nsetboard 4k3/8/8/8/8/8/8/R3K3 w Q -\n"
        "setboard 4k3/8/8/8/8/8/8/R3K3 x Q -\n"   // unreadable side to move
        "setboard 4kk2/8/8/8/8/8/8/R3K3 w - -\n"  // two black kings
        "setboard 4k3/8/8/8/8/8/8/R3K3\n"         // no side at all
        "setboard\n"
        "a1a8\nquit\n";
    SessionResult session = play(input);
    EXPECT_EQ(session.output, HANDSHAKE);
    size_t refusals = 0;
    for (size_t at = 0; (at = session.log.find("-M: tellusererror Illegal position", at)) != std::string::npos; ++at)
        ++refusals;
    EXPECT_EQ(refusals, 4u) << session.log;
}

TEST(Refusals, IllegalMovesAreRefusedAndChangeNothing) {
    struct Case {
        const char* position;
        const char* move;
    };
    const Case cases[] = {
        {"4k3/4r3/8/8/8/8/4N3/4K3 w - -", "e2c3"},      // the knight is pinned
        {"4k3/8/8/8/8/8/5r2/R3K2R w KQ -", "e1g1"},     // castling through an attacked square
        {"4k3/8/8/8/8/8/5r2/R3K2R w KQ -", "e1f1"},     // king into check
        {"4k3/8/8/8/8/8/8/R3K2R w Q -", "e1g1"},        // castling without the right
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e2d3"},        // a pawn's diagonal step without a capture
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e2e5"},        // three squares at once
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e2e3q"},       // a promotion short of the last rank
        {"k7/4P3/8/8/8/8/8/4K3 w - -", "e7e8"},          // reaching the last rank without a piece
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", "e8e7"},        // the opponent's king
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", "d4d5"},        // an empty square
        {"4k3/8/8/8/8/8/8/R3K3 w - -", "a1e1"},         // onto an own piece
        {"4k3/8/8/8/8/8/8/R3K3 w - -", "a1b3"},         // a rook jumping
    };
    for (const Case& c : cases) {
        SessionResult session = play("xboard\nsetboard " + std::string(c.position) + "\n" + c.move + "\nquit\n");
        EXPECT_EQ(session.output, HANDSHAKE + "Illegal move: " + c.move + "\n") << c.position;
    }
    // A refusal changes nothing: the side to move stays, the engine waiting for the opponent
    // does not think, and the legal move that follows is played and answered.
    SessionResult session = play("xboard\nnew\ne2e5\ne7e5\ne2e4\nquit\n");
    const std::string& output = session.output;
    EXPECT_EQ(output.rfind(HANDSHAKE + "Illegal move: e2e5\nIllegal move: e7e5\nmove ", 0), 0u) << output;
    const std::vector<std::string> moves = engineMoves(output);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"e2e4", moves[0]}));
}

TEST(EngineTurn, TwoGoInARow) {
    SessionResult session = play("xboard\nnew\ngo\ngo\nquit\n");
    EXPECT_EQ(session.exitStatus, 0);
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 2u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, moves));
}

TEST(EngineTurn, NoLegalMoveGivesOnlyTheClaim) {
    struct Case {
        const char* position;
        const char* claim;
    };
    const Case cases[] = {
        {"6k1/8/8/8/8/8/5PPP/r5K1 w - -", "0-1 {Tarnek mated 0}\n"},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", "1-0 {Tarnek mated 0}\n"},
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", "1/2-1/2 {Draw by stalemate (1)}\n"},
    };
    for (const Case& c : cases) {
        SessionResult session = play("xboard\nsetboard " + std::string(c.position) + "\ngo\nquit\n");
        EXPECT_EQ(session.output, HANDSHAKE + c.claim) << c.position;
        EXPECT_EQ(session.exitStatus, 0);
    }
}

TEST(EngineTurn, ABudgetOfNothingStillGivesALegalMove) {
    const char* positions[] = {
        INITIAL_POSITION_TEXT,
        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -",
        "4k3/8/8/8/8/8/4r3/4K3 w - -",   // in check: only king moves
    };
    for (const char* position : positions) {
        SessionResult session =
            play("xboard\nlevel 40 0 0\ntime 0\notim 0\nsetboard " + std::string(position) + "\ngo\nquit\n");
        const std::vector<std::string> moves = engineMoves(session.output);
        ASSERT_EQ(moves.size(), 1u) << position << "\n" << session.output;
        EXPECT_TRUE(legalLine(position, moves)) << position;
    }
}

TEST(EngineTurn, BookMoveIsPlayedWithoutASearch) {
    SessionResult session = playWithBook("xboard\nnew\ngo\nquit\n");
    ASSERT_EQ(session.exitStatus, 0);
    const std::string& log = session.log;
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_EQ(session.output, HANDSHAKE + "move " + moves[0] + "\n");
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, moves));
    EXPECT_TRUE(contains(log, "-M: move(book): " + moves[0] + "\n")) << log;
    EXPECT_FALSE(contains(log, "-FEN:")) << "no search runs for a book move";
    EXPECT_FALSE(contains(log, "- NO ponder move"));
}

TEST(SearchedTurn, MateInOneIsPlayedAndClaimed) {
    SessionResult white = play("xboard\nsetboard 6k1/5ppp/8/8/8/8/8/R5K1 w - -\n" + CLOCK + "go\nquit\n");
    EXPECT_EQ(white.output, HANDSHAKE + "move a1a8\n1-0 {Tarnek mates 1}\n");
    SessionResult black = play("xboard\nsetboard r5k1/8/8/8/8/8/5PPP/6K1 b - -\n" + CLOCK + "go\nquit\n");
    EXPECT_EQ(black.output, HANDSHAKE + "move a8a1\n0-1 {Tarnek mates 1}\n");
}

// A mate found in one search, met again two plies later: the move that mates is claimed, and
// the log gives the mate its true distance.
TEST(SearchedTurn, MateFromAnEarlierSearchIsClaimed) {
    SessionResult session = play("xboard\nsetboard 3nR1Q1/k1p4P/pp6/8/2p1P1P1/2N1Q2P/PPP5/6K1 w - -\n"
                                 "time 585\notim 29\ngo\nc7c5\nquit\n");
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 2u) << session.output;
    EXPECT_EQ(moves[0], "e8d8");
    EXPECT_TRUE(contains(session.output, "move " + moves[1] + "\n1-0 {Tarnek mates 1}\n")) << session.output;
    EXPECT_TRUE(contains(session.log, "move " + moves[1] + "\tscore: 8099\n")) << session.log;
}

TEST(SearchedTurn, DrawByRepetitionAtTheEnginesTurn) {
    SessionResult session = play(
        "xboard\nnew\nforce\ng1f3\ng8f6\nf3g1\nf6g8\ng1f3\ng8f6\nf3g1\nf6g8\n" + CLOCK + "go\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "1/2-1/2 {Draw by repetition (2)}\n");
}

TEST(SearchedTurn, EnginesMoveThatRepeatsAThirdTimeIsClaimed) {
    // Black, a queen down, walks back to a position seen twice rather than lose.
    SessionResult session = play(
        "xboard\nsetboard 7k/8/8/8/8/8/8/K2Q4 w - -\nd1e1\nh8g8\ne1d1\ng8h7\nd1e1\nh7g8\ne1d1\ng8h8\nd1e1\n" +
        CLOCK + "go\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "move h8g8\n1/2-1/2 {Draw by ...(3)}\n");
}

// Lack of mating material ends the game like a repetition: claimed at the engine's turn when
// the position is already drawn, and after the engine's move when that move draws.
TEST(SearchedTurn, DrawByLackOfMaterialIsClaimed) {
    SessionResult session = play("xboard\nsetboard 8/8/4k3/8/8/3BK3/8/8 w - -\n" + CLOCK + "go\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "1/2-1/2 {Draw by repetition (2)}\n");
    // The king must take the checking pawn (or let it queen), leaving king against king.
    session = play("xboard\nsetboard 4k3/8/8/8/8/8/3p4/4K3 w - -\n" + CLOCK + "go\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "move e1d2\n1/2-1/2 {Draw by ...(3)}\n");
}

// `plies` reversible moves with rooks on a1 and h8 standing still: the white king walks a round
// of seven squares, the black king one of eight, so no placement recurs within 112 plies, no
// piece can ever be taken, and only the fifty-move rule can draw.
std::string reversibleWalk(int plies) {
    const char* whiteRound[] = {"b2", "c2", "d2", "d3", "c4", "b4", "b3"};
    const char* blackRound[] = {"e7", "f7", "g7", "g6", "g5", "f5", "e5", "e6"};
    std::string moves;
    for (int ply = 0; ply < plies; ++ply) {
        const int step = ply / 2;
        if (ply % 2 == 0)
            moves += std::string(whiteRound[step % 7]) + whiteRound[(step + 1) % 7] + "\n";
        else
            moves += std::string(blackRound[step % 8]) + blackRound[(step + 1) % 8] + "\n";
    }
    return moves;
}

TEST(SearchedTurn, FiftyMoveRuleIsClaimedOnItsHundredthPly) {
    const std::string start = "xboard\nsetboard 7r/4k3/8/8/8/8/1K6/R7 w - -\nforce\n";
    // The engine's move is the hundredth reversible ply.
    SessionResult session = play(start + reversibleWalk(99) + CLOCK + "go\nquit\n");
    std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_EQ(session.output, HANDSHAKE + "move " + moves[0] + "\n1/2-1/2 {Draw by ...(3)}\n");
    // The opponent's move was the hundredth: drawn before the engine moves.
    session = play(start + reversibleWalk(100) + CLOCK + "go\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE + "1/2-1/2 {Draw by repetition (2)}\n");
    // One ply short: the game goes on.
    session = play(start + reversibleWalk(98) + CLOCK + "go\nquit\n");
    moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_EQ(session.output, HANDSHAKE + "move " + moves[0] + "\n");
}

TEST(SearchedTurn, NewGameAnswersTheOpponentsMove) {
    SessionResult session = play("xboard\nnew\ntime 3000\notim 3000\ne2e4\nquit\n");
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"e2e4", moves[0]}));
    EXPECT_TRUE(contains(session.log, "-FEN:\t")) << "a search ran";
}

}  // namespace

namespace {

// Lines of the log that begin with `prefix`, the prefix left out.
std::vector<std::string> logLines(const std::string& log, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : linesOf(log))
        if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
    return found;
}

TEST(TakeBack, UndoInForceModeThenAnotherGame) {
    // The GUI's take-back of the user's move and the engine's answer, then another first move.
    SessionResult session =
        play("xboard\nnew\n" + QUICK_CLOCK + "e2e4\nforce\nundo\nundo\nd2d4\n" + QUICK_CLOCK + "go\nquit\n");
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 2u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"d2d4", moves[1]})) << moves[1];
    EXPECT_EQ(logLines(session.log, "-M: took back 1: ").size(), 2u) << session.log;
}

TEST(TakeBack, RemoveKeepsTheEnginePlayingItsSide) {
    SessionResult session = play("xboard\nnew\n" + QUICK_CLOCK + "e2e4\nremove\n" + QUICK_CLOCK + "d2d4\nquit\n");
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 2u) << "the engine answers the new move\n" << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"d2d4", moves[1]})) << moves[1];
    // In force mode it stays in force mode.
    session = play("xboard\nnew\nforce\ne2e4\ne7e5\nremove\nd2d4\nquit\n");
    EXPECT_EQ(session.output, HANDSHAKE);
    EXPECT_TRUE(contains(session.log, "::cmd:: remove\n-M: took back 2: ")) << session.log;
}

// Each take-back returns to the exact position, castling rights and en-passant square included:
// the search writes the position it starts from into the log, and the engine's own move is
// taken back again after it.
TEST(TakeBack, ExactPositionsOverCapturesPromotionsEnPassantAndCastling) {
    const std::string start = "r3k2r/1PP4p/8/8/5p2/8/6PP/R3K2R w KQkq -";
    const std::string look = QUICK_CLOCK + "go\nforce\nundo\n";
    SessionResult session = play("xboard\nsetboard " + start +
                                 "\nforce\ng2g4\nf4g3\nh2g3\ne8g8\nb7a8q\nf8a8\nc7c8n\na8a2\ne1c1\nh7h5\n" +
                                 "undo\n" + look + "remove\n" + look + "remove\nundo\n" + look + "undo\nundo\n" +
                                 look + "undo\n" + look + "undo\nundo\n" + look + "quit\n");
    const std::vector<std::string> expected = {
        "2N3k1/7p/8/8/8/6P1/r7/2KR3R b - -",        // before h7h5
        "r1N3k1/7p/8/8/8/6P1/8/R3K2R b KQ -",       // before a8a2 and e1c1
        "r4rk1/1PP4p/8/8/8/6P1/8/R3K2R w KQ -",     // before b7a8q
        "r3k2r/1PP4p/8/8/8/6p1/7P/R3K2R w KQkq -",  // before h2g3
        "r3k2r/1PP4p/8/8/5pP1/8/7P/R3K2R b KQkq g3", // before the en-passant capture
        start,                                        // the second undo is beyond the set-up
    };
    EXPECT_EQ(logLines(session.log, "-FEN:\t"), expected) << session.log;
    EXPECT_EQ(engineMoves(session.output).size(), expected.size()) << session.output;
}

TEST(TakeBack, BackToTheStartPlaysFromTheBookAgain) {
    // Out of the book at once, so that the engine searches before the take-back.
    SessionResult session = playWithBook("xboard\nnew\ngo\nh7h6\n" + QUICK_CLOCK +
                                         "a7a6\nforce\nundo\nundo\nundo\nundo\nundo\ngo\nquit\n");
    ASSERT_EQ(session.exitStatus, 0);
    const std::string& log = session.log;
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 4u) << session.output;
    const std::vector<std::string> book = logLines(log, "-M: move(book): ");
    ASSERT_FALSE(book.empty()) << log;
    EXPECT_EQ(book.back(), moves[0]) << "the same book move as at first\n" << log;
    EXPECT_EQ(moves[3], moves[0]);
    EXPECT_TRUE(contains(log, "-FEN:\t")) << "a search ran before the take-back";
}

// The third occurrence taken back, the position has occurred twice: no draw is claimed (as
// it is without the take-back, SearchedTurn.DrawByRepetitionAtTheEnginesTurn).
TEST(TakeBack, RepetitionTakenBackIsNoLongerClaimed) {
    const std::string shuffle = "g1f3\ng8f6\nf3g1\nf6g8\n";
    SessionResult session =
        play("xboard\nnew\nforce\n" + shuffle + shuffle + "undo\nundo\n" + QUICK_CLOCK + "go\nquit\n");
    EXPECT_FALSE(contains(session.output, "1/2-1/2")) << session.output;
    EXPECT_EQ(engineMoves(session.output).size(), 1u) << session.output;
}

// "time" reads the opponent's clock only when "otim" follows; anything else is a command.
TEST(CommandTable, TimeWithoutOtimLeavesTheNextCommand) {
    SessionResult session = play("xboard\nnew\ntime 1000\ngo\nquit\n");
    EXPECT_EQ(engineMoves(session.output).size(), 1u) << session.output;
    session = play("xboard\nnew\nforce\ntime 1000\ne2e4\n" + QUICK_CLOCK + "go\nquit\n");
    const std::vector<std::string> moves = engineMoves(session.output);
    ASSERT_EQ(moves.size(), 1u) << session.output;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"e2e4", moves[0]})) << moves[0];
    EXPECT_TRUE(contains(session.log, "::cmd:: time\n::cmd:: e2e4\n")) << session.log;
}

}  // namespace
