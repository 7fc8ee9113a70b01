// The UCI program as a GUI drives it: the built tarnek-uci through its standard input and output.
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "board/checks.h"
#include "board/notation.h"
#include "engineprocess.h"
#include "frames/frames.h"
#include "game/bench.h"
#include "game/gamemove.h"
#include "game/level.h"
#include "movegen/legality.h"
#include "support.h"
#include "uci/options.h"

namespace {

std::string uciProgram() { return TARNEK_BUILD_DIR "/tarnek-uci"; }

// The handshake and the log to look inside the engine: every search writes the position it
// starts from ("-FEN:") there.
const std::string OPENING =
    "uci\nsetoption name Debug Log File value uci.log\nsetoption name OwnBook value false\nisready\n";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Lines that begin with `prefix`, the prefix left out.
std::vector<std::string> linesAfter(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : linesOf(text))
        if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
    return found;
}

// The value after `field` in an info line ("nodes", "score", ...), or "".
std::string infoField(const std::string& line, const std::string& field) {
    const size_t at = line.find(" " + field + " ");
    if (at == std::string::npos) return "";
    const size_t start = at + field.size() + 2;
    const size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct Session {
    EngineProcess process;
    int exitStatus = -1;

    explicit Session(const std::string& folder = {}) { startProcess(process, uciProgram(), folder); }
    ~Session() {
        if (process.pid > 0) finish();
        removeFolder(process);
    }
    void send(const std::string& text) { sendText(process, text); }
    // The handshake, the log and no book; returns once the engine is ready.
    void open() {
        send(OPENING);
        await("readyok\n", 0);
    }
    // Wait for `expected` after what was received so far; returns where it starts.
    size_t await(const std::string& expected, size_t from, int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
        if (!waitForOutput(process, expected, from, timeoutMs)) return std::string::npos;
        return process.received.find(expected, from);
    }
    const std::string& output() const { return process.received; }
    // Send lines that end in a "go" and wait for its "bestmove"; returns the output since sent
    // (the bestmove line included), or "" when none came.
    std::string go(const std::string& text, int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
        const size_t from = output().size();
        send(text);
        const size_t best = await("bestmove ", from, timeoutMs);
        if (best == std::string::npos || !waitForOutput(process, "\n", best, timeoutMs)) return "";
        return output().substr(from, output().find('\n', best) + 1 - from);
    }
    std::string log() const { return readFolderFile(process, "uci.log"); }
    int finish(const std::string& last = "quit\n") {
        if (!last.empty()) send(last);
        closeInput(process);
        exitStatus = waitForExit(process);
        return exitStatus;
    }
};

// A whole session: the input, then the end of input.
Session& run(Session& session, const std::string& input) {
    session.send(input);
    session.finish("");
    return session;
}

// The search's starting positions, from the log.
std::vector<std::string> searchedPositions(const Session& session) { return linesAfter(session.log(), "-FEN:\t"); }

// Play `moves` from `fen` in this process; each must be legal in its turn.
::testing::AssertionResult legalLine(const char* fen, const std::vector<std::string>& moves) {
    initTablesOnce();
    if (!setPosition(fen, false)) return ::testing::AssertionFailure() << "refused: " << fen;
    for (const std::string& word : moves) {
        const Move move = textToMove(game.position, word.c_str());
        if (!isLegalGameMove(move)) return ::testing::AssertionFailure() << "illegal: " << word;
        playGameMove(move);
    }
    return ::testing::AssertionSuccess();
}

TEST(UciHandshake, IdentityOptionsAndReadiness) {
    Session session;
    run(session, "uci\nisready\nquit\n");
    EXPECT_EQ(session.output(),
              "id name Tarnek " TARNEK_VERSION "\nid author the Tarnek developers\n"
              "option name Hash type spin default 12 min 1 max 65536\n"
              "option name Clear Hash type button\n"
              "option name Threads type spin default 1 min 1 max " + std::to_string(maxThreads()) + "\n"
              "option name MultiPV type spin default 1 min 1 max 256\n"
              "option name Ponder type check default false\n"
              "option name OwnBook type check default true\n"
              "option name UCI_Chess960 type check default false\n"
              "option name UCI_LimitStrength type check default false\n"
              "option name UCI_Elo type spin default " + std::to_string(WEAKEST_LEVEL_ELO) + " min " +
                  std::to_string(WEAKEST_LEVEL_ELO) + " max " + std::to_string(STRONGEST_LEVEL_ELO) + "\n"
              "option name Debug Log File type string default <empty>\n"
              "option name Move Overhead type spin default 10 min 0 max 5000\n"
              "option name UCI_ShowWDL type check default false\n"
              "option name UCI_AnalyseMode type check default false\nuciok\nreadyok\n");
    EXPECT_EQ(session.exitStatus, 0);
    EXPECT_TRUE(readFolderFile(session.process, "Tarnek.log").empty()) << "no log unless asked";
}

TEST(UciHandshake, UnknownWordsBeforeACommandAreSkippedAndGarbageSurvived) {
    Session session;
    const std::string garbage = std::string("\x01\x02 \xff\xfe\t\r\n") + "xboard\nnew\ngo go go\n" +
                                "position\nposition fen\nposition moves e2e4\nsetoption\nsetoption name\n" +
                                "setoption name OwnBook value maybe\ngo depth\ngo wtime -500 btime x movestogo\n" +
                                "stop\nstop\n";
    session.send("uci\n" + garbage);
    size_t at = session.await("bestmove", 0);
    ASSERT_NE(at, std::string::npos) << session.output();
    session.send("joho isready\n");
    EXPECT_NE(session.await("readyok", at), std::string::npos) << session.output();
    EXPECT_EQ(session.finish(), 0);
    // Every "go" was answered with a legal move of the initial position.
    for (const std::string& move : linesAfter(session.output(), "bestmove "))
        EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {move})) << move;
}

TEST(UciHandshake, EndOfInputActsAsQuit) {
    for (const char* input : {"", "uci", "uci\nposition startpos", "uci\ngo infinite\n", "isready"}) {
        Session session;
        run(session, input);
        EXPECT_EQ(session.exitStatus, 0) << input;
    }
}

TEST(UciInput, ALineTooLongIsRefusedWholeAndTheNextIsRead) {
    Session session;
    std::string moves;
    while (moves.size() < 70000) moves += " g1f3 g8f6 f3g1 f6g8";
    session.send(OPENING + "position startpos moves" + moves + "\ngo depth 2\n");
    ASSERT_NE(session.await("bestmove", 0), std::string::npos) << session.output().substr(0, 2000);
    session.finish();
    EXPECT_EQ(linesAfter(session.output(), "info string Input line longer than").size(), 1u);
    EXPECT_EQ(searchedPositions(session), std::vector<std::string>{INITIAL_POSITION_TEXT});
}

TEST(UciPosition, CastlingPromotionAndEnPassantInTheMoveList) {
    Session session;
    session.open();
    session.go("position fen r3k2r/1P5p/8/8/5p2/8/6PP/R3K2R w KQkq - 0 1 moves g2g4 f4g3 h2g3 e8g8 b7a8q f8a8 e1c1\n"
               "go depth 2\n");
    session.go("position startpos moves e2e4 d7d5 e4d5 e7e5 d5e6 b8c6 e6f7 e8e7 f7g8N\ngo depth 2\n");
    session.finish();
    EXPECT_EQ(searchedPositions(session),
              (std::vector<std::string>{"r5k1/7p/8/8/8/6P1/8/2KR3R b - -",
                                        "r1bq1bNr/ppp1k1pp/2n5/8/8/8/PPPP1PPP/RNBQKBNR b KQ -"}))
        << session.output();
    EXPECT_FALSE(contains(session.output(), "info string")) << session.output();
}

// With UCI_Chess960 the rights come as rook files or as KQkq, castling both ways as the king taking
// its own rook; the log shows each searched position with its rights as they were given. The
// engine answers with its castling so too (here a mate by castling).
TEST(UciPosition, Chess960CastlingAsTheKingTakingItsRook) {
    Session session;
    session.open();
    session.send("setoption name UCI_Chess960 value true\n");
    session.go("position fen rk4r1/pppppppp/8/8/8/8/PPPPPPPP/RK4R1 w GAga - 0 1\ngo depth 2\n");
    session.go("position fen rk4r1/pppppppp/8/8/8/8/PPPPPPPP/RK4R1 w GAga - 0 1 moves b1a1 b8g8\ngo depth 2\n");
    session.go("position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1h1\ngo depth 2\n");
    const std::string mate = session.go("position fen 4rkr1/4p1p1/8/8/8/8/8/1K5R w H - 0 1\ngo depth 2\n");
    session.finish();
    EXPECT_TRUE(contains(mate, "score mate 1 ")) << mate;
    EXPECT_TRUE(contains(mate, "bestmove b1h1\n")) << mate;
    EXPECT_EQ(searchedPositions(session),
              (std::vector<std::string>{"rk4r1/pppppppp/8/8/8/8/PPPPPPPP/RK4R1 w GAga -",
                                        "r4rk1/pppppppp/8/8/8/8/PPPPPPPP/2KR2R1 w - -",
                                        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1 b kq -",
                                        "4rkr1/4p1p1/8/8/8/8/8/1K5R w H -"}))
        << session.output();
    EXPECT_FALSE(contains(session.output(), "info string")) << session.output();
}

TEST(UciPosition, RefusedFenAndIllegalMovesKeepThePosition) {
    Session session;
    session.send(OPENING + "position startpos moves e2e4\n");
    const char* const commands[] = {
        "position fen 4kk2/8/8/8/8/8/8/R3K3 w - -\n",                      // two black kings
        "position fen 4k3/8/8/8/8/8/8/R3K3 w - - x 1\n",                   // no halfmove clock
        "position startpos moves e2e4 e7e5 e1e2 e8e7 g1g3 b8c6\n",         // a knight's wrong step
        "position startpos moves d2d4 d7d5 e2e5x g8f6\n",                  // malformed
        "position startpos moves e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1\n",
    };
    for (const char* command : commands) session.go(std::string(command) + "go depth 2\n");
    session.finish();
    const std::string& output = session.output();
    EXPECT_EQ(linesAfter(output, "info string Refused FEN: ").size(), 2u) << output;
    EXPECT_TRUE(contains(output, "info string Illegal move g1g3 (move 5 of the list)")) << output;
    EXPECT_TRUE(contains(output, "info string Illegal move e2e5x (move 3 of the list)")) << output;
    const std::string afterE4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3";
    EXPECT_EQ(searchedPositions(session),
              (std::vector<std::string>{afterE4, afterE4, "rnbq1bnr/ppppkppp/8/4p3/4P3/8/PPPPKPPP/RNBQ1BNR w - -",
                                        "rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq d6",
                                        "rnbq1bnr/ppppkppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR b - -"}))
        << output;
}

// The bench's figures for `fen` at `depth`: "best <move> score <s> nodes <n>".
std::string benchFigures(unsigned depth, const std::string& fen) {
    const std::string command = std::string(TARNEK_BUILD_DIR "/tarnek-bench ") + std::to_string(depth) + " " + fen;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "";
    char buffer[512];
    std::string line = fgets(buffer, sizeof buffer, pipe) ? buffer : "";
    pclose(pipe);
    const size_t start = line.find("best "), end = line.find(" ms ");
    return start == std::string::npos || end == std::string::npos ? line : line.substr(start, end - start);
}

// The last line a command prints.
std::string lastLineOf(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "";
    char buffer[512];
    std::string line;
    while (fgets(buffer, sizeof buffer, pipe)) line = buffer;
    pclose(pipe);
    return line;
}

// The bench as test frameworks run it, from the command line and inside a session: the node count
// of tarnek-bench, and its speed.
TEST(UciSearch, BenchGivesTheSignature) {
    const std::string total = lastLineOf(TARNEK_BUILD_DIR "/tarnek-bench 4");
    const std::string nodes = total.substr(12, total.find(" ms ") - 12);   // "bench nodes N ms ..."
    const std::string line = lastLineOf(TARNEK_BUILD_DIR "/tarnek-uci bench 4");
    EXPECT_EQ(line.rfind(nodes + " nodes ", 0), 0u) << line << total;
    EXPECT_NE(line.find(" nps\n"), std::string::npos) << line;
    Session session;
    session.send("uci\nbench 4\nisready\n");
    ASSERT_NE(session.await("readyok\n", 0), std::string::npos) << session.output();
    EXPECT_TRUE(contains(session.output(), "\n" + nodes + " nodes ")) << session.output();
    EXPECT_EQ(session.finish(), 0);
}

TEST(UciSearch, NewGameSearchesExactlyAsTheBench) {
    const unsigned depth = 5;
    const std::vector<std::string> positions = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq -",
        "8/5pk1/6p1/1p5p/1P1R3P/6P1/5PK1/2r5 b - -",
        "1K1k4/1P6/8/8/8/8/r7/2R5 w - -",
    };
    Session session;
    session.open();
    for (const std::string& fen : positions) {
        const std::string answer = session.go("ucinewgame\nposition fen " + fen + "\ngo depth " + std::to_string(depth) + "\n");
        const std::vector<std::string> infos = linesAfter(answer, "info depth ");
        const std::vector<std::string> best = linesAfter(answer, "bestmove ");
        ASSERT_TRUE(!infos.empty() && best.size() == 1u) << answer;
        const std::string last = " " + infos.back();
        EXPECT_EQ("best " + best[0] + " score " + infoField(last, "cp") + " nodes " + infoField(last, "nodes"),
                  benchFigures(depth, fen))
            << fen;
    }
}

// A level plays legal moves from a smaller search, not always the same one; an out-of-range rating
// is refused; and once the level is cleared, the full-strength search is the bench's again.
TEST(UciSearch, LevelsPlayWeakerAndLeaveFullStrengthAlone) {
    Session session;
    session.open();
    const std::string position = "position fen r1bqkb1r/pppp1ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq -\n";
    const std::string refused = session.go("setoption name UCI_Elo value 99999\nsetoption name UCI_LimitStrength value maybe\n"
                                           "setoption name UCI_LimitStrength value true\n"
                                           "setoption name UCI_Elo value " + std::to_string(WEAKEST_LEVEL_ELO) +
                                           "\n" + position + "go wtime 30000 btime 30000\n");
    EXPECT_TRUE(contains(refused, "info string UCI_Elo takes a whole number from ")) << refused;
    EXPECT_TRUE(contains(refused, "info string UCI_LimitStrength takes true or false")) << refused;
    std::set<std::string> moves;
    for (int game = 0; game < 12; ++game) {
        const std::string answer = session.go("ucinewgame\n" + position + "go wtime 30000 btime 30000\n");
        const std::vector<std::string> best = linesAfter(answer, "bestmove ");
        ASSERT_EQ(best.size(), 1u) << answer;
        const std::string move = best[0].substr(0, best[0].find(' '));
        EXPECT_TRUE(legalLine("r1bqkb1r/pppp1ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq -", {move})) << answer;
        const long nodes = std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), "nodes"));
        EXPECT_LE(uint64_t(nodes), playingLevel(WEAKEST_LEVEL_ELO).nodes + 1000) << "a smaller search\n" << answer;
        moves.insert(move);
    }
    EXPECT_GT(moves.size(), 1u) << "a level draws among its best moves";
    const std::string fen = "r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq -";
    const std::string full = session.go("setoption name UCI_LimitStrength value false\nucinewgame\nposition fen " + fen +
                                        "\ngo depth 5\n");
    const std::string last = " " + linesAfter(full, "info depth ").back();
    EXPECT_EQ("best " + linesAfter(full, "bestmove ")[0] + " score " + infoField(last, "cp") + " nodes " +
                  infoField(last, "nodes"),
              benchFigures(5, fen));
    EXPECT_EQ(session.finish(), 0);
}
int millisecondsBetween(std::chrono::steady_clock::time_point from) { return millisecondsSince(from); }

TEST(UciSearch, ReadyWhileSearchingAndInfiniteUntilStop) {
    Session session;
    session.send(OPENING + "position startpos\ngo infinite\n");
    size_t info = session.await("info depth 4 ", 0);
    ASSERT_NE(info, std::string::npos) << session.output();
    session.send("isready\n");
    const size_t ready = session.await("readyok\n", info);
    EXPECT_NE(ready, std::string::npos);
    EXPECT_EQ(session.output().find("bestmove"), std::string::npos) << "readyok does not stop the search";
    // A mate found ends the search by itself; still no answer before "stop".
    session.send("stop\nposition fen 6k1/5ppp/8/8/8/8/8/R5K1 w - -\ngo infinite\n");
    const size_t mate = session.await("score mate 1 ", ready);
    ASSERT_NE(mate, std::string::npos) << session.output();
    session.await("\n", mate);
    const size_t firstAnswer = session.output().find("bestmove ");
    ASSERT_NE(firstAnswer, std::string::npos);
    waitForOutput(session.process, "never", 0, 300);
    EXPECT_EQ(session.output().find("bestmove ", firstAnswer + 1), std::string::npos) << session.output();
    const auto stopped = std::chrono::steady_clock::now();
    session.send("stop\n");
    ASSERT_NE(session.await("bestmove a1a8\n", mate), std::string::npos) << session.output();
    EXPECT_LT(millisecondsBetween(stopped), 5000);
    EXPECT_EQ(session.finish(), 0);
    // The search stopped answers with a legal move.
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {session.output().substr(firstAnswer + 9, 4)}));
}

TEST(UciSearch, MoveTimeNodesAndClock) {
    Session session;
    session.open();
    session.send("position startpos moves e2e4 e7e5\n");
    auto start = std::chrono::steady_clock::now();
    std::string answer = session.go("go movetime 200\n");
    const int took = millisecondsBetween(start);
    EXPECT_GE(took, 195 - DEFAULT_MOVE_OVERHEAD_MS) << "the default Move Overhead kept back: " << answer;
    EXPECT_LT(took, 600) << answer;

    // The node count: reached, and passed by no more than a few milliseconds of search.
    answer = session.go("ucinewgame\nposition startpos moves d2d4\ngo nodes 200000\n");
    const std::vector<std::string> infos = linesAfter(answer, "info depth ");
    ASSERT_FALSE(infos.empty()) << answer;
    const long nodes = std::stol(infoField(" " + infos.back(), "nodes"));
    EXPECT_GE(nodes, 200000) << answer;
    EXPECT_LT(nodes, 300000) << answer;

    // One second on the clock: a fraction of it for the move.
    start = std::chrono::steady_clock::now();
    answer = session.go("position startpos moves d2d4 d7d5\ngo wtime 1000 btime 1000 winc 0 binc 0\n");
    EXPECT_LT(millisecondsBetween(start), 500) << answer;
    // Move Overhead is kept back from a fixed time, and from the clock down to a minimal search.
    start = std::chrono::steady_clock::now();
    answer = session.go("setoption name Move Overhead value 800\ngo movetime 1000\n");
    const int overheadTook = millisecondsBetween(start);
    EXPECT_GE(overheadTook, 195) << answer;
    EXPECT_LT(overheadTook, 700) << answer;
    answer = session.go("setoption name Move Overhead value 5000\ngo wtime 1000 btime 1000\n");
    EXPECT_FALSE(linesAfter(answer, "info depth ").empty()) << answer;
    session.send("setoption name Move Overhead value 10\n");
    // An empty clock still gives a legal move at once.
    answer = session.go("position startpos moves d2d4 d7d5 c2c4\ngo wtime 5 btime 0\n", 5000);
    const std::vector<std::string> best = linesAfter(answer, "bestmove ");
    ASSERT_EQ(best.size(), 1u) << answer;
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, {"d2d4", "d7d5", "c2c4", best[0]}));
    EXPECT_EQ(session.finish(), 0);
}

// A mate found in one search met again two plies later: every line of the second search gives
// its true distance, and the move played mates.
TEST(UciSearch, MateFromAnEarlierSearchKeepsItsDistance) {
    const std::string command = "position fen 3nR1Q1/k1p4P/pp6/8/2p1P1P1/2N1Q2P/PPP5/6K1 w - - 1 26";
    Session session;
    session.open();
    const std::string first = session.go(command + "\ngo wtime 5849 btime 290 winc 100 binc 100\n");
    ASSERT_TRUE(contains(first, "bestmove e8d8\n")) << first;
    const std::string second = session.go(command + " moves e8d8 c7c5\ngo wtime 5728 btime 345 winc 100 binc 100\n");
    EXPECT_FALSE(linesAfter(second, "info depth ").empty()) << second;
    for (const std::string& line : linesAfter(second, "info depth "))
        EXPECT_TRUE(contains(line, " score mate 1 ")) << second;
    const std::vector<std::string> best = linesAfter(second, "bestmove ");
    ASSERT_EQ(best.size(), 1u) << second;
    ASSERT_TRUE(legalLine("3R2Q1/k6P/pp6/2p5/2p1P1P1/2N1Q2P/PPP5/6K1 w - -", {best[0]}));
    EXPECT_TRUE(sideToMoveInCheck(game.position) && !anyLegalMove(game)) << best[0] << " does not mate";
}

// The lines of the iteration of `depth` an answer shows, from their number ("multipv") on.
std::vector<std::string> linesOfDepth(const std::string& answer, int depth) {
    std::vector<std::string> lines;
    for (const std::string& line : linesAfter(answer, "info depth " + std::to_string(depth) + " "))
        if (const size_t at = line.find(" multipv "); at != std::string::npos) lines.push_back(line.substr(at + 9));
    return lines;
}

TEST(UciSearch, LinesChosenMovesMatesAndNodeCounts) {
    Session session;
    session.open();
    // Three lines: three different first moves, the best first.
    std::string answer = session.go("setoption name MultiPV value 3\nposition startpos moves e2e4\ngo depth 4\n");
    const std::vector<std::string> lines = linesOfDepth(answer, 4);
    ASSERT_EQ(lines.size(), 3u) << answer;
    std::vector<std::string> firstMoves;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(lines[k].rfind(std::to_string(k + 1) + " ", 0), 0u) << answer;
        firstMoves.push_back(infoField(" " + lines[k], "pv"));
        if (k > 0) {
            EXPECT_GE(std::stoi(infoField(" " + lines[k - 1], "cp")), std::stoi(infoField(" " + lines[k], "cp")));
        }
    }
    EXPECT_TRUE(firstMoves[0] != firstMoves[1] && firstMoves[1] != firstMoves[2] && firstMoves[0] != firstMoves[2]);
    EXPECT_GE(std::stoi(infoField(" " + linesAfter(answer, "info depth 4 ").front(), "seldepth")), 4) << answer;
    EXPECT_TRUE(contains(answer, "bestmove " + firstMoves[0] + "\n")) << answer;

    // Only the moves asked for; one that is not legal is named and left out.
    answer = session.go("setoption name MultiPV value 1\nposition startpos\ngo depth 5 searchmoves a2a3 h2h3 e2e5\n");
    EXPECT_TRUE(contains(answer, "info string searchmoves: e2e5 ")) << answer;
    EXPECT_TRUE(contains(answer, "bestmove a2a3\n") || contains(answer, "bestmove h2h3\n")) << answer;

    // A mate in two is found and answered at once; where there is none, the search ends at the
    // depth that would have found it.
    answer = session.go("position fen k7/8/2K5/8/8/8/8/6R1 w - -\ngo mate 2\n", 10000);
    EXPECT_TRUE(contains(answer, " score mate 2 ")) << answer;
    answer = session.go("position startpos\ngo mate 2\n", 10000);
    EXPECT_TRUE(contains(answer, "info depth 3 ")) << answer;
    EXPECT_FALSE(contains(answer, "info depth 4 ")) << answer;
    // A mate deeper than any score can tell is said so, and searched to the depth limit.
    answer = session.go("position startpos\ngo mate 60 depth 3\n", 10000);
    EXPECT_TRUE(contains(answer, "info string mate: ")) << answer;
    EXPECT_TRUE(contains(answer, "info depth 3 ")) << answer;

    // A node count is kept to within a few hundred, however small.
    answer = session.go("ucinewgame\nposition startpos moves d2d4\ngo nodes 1000\n");
    const long nodes = std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), "nodes"));
    EXPECT_GE(nodes, 1000) << answer;
    EXPECT_LE(nodes, 1300) << answer;

    // A depth asked for after a deeper search is searched to that depth.
    session.go("position startpos moves d2d4 d7d5\ngo depth 7\n");
    answer = session.go("position startpos moves d2d4 d7d5\ngo depth 4\n");
    const std::string last = " " + linesAfter(answer, "info depth ").back();
    EXPECT_EQ(last.rfind(" 4 ", 0), 0u) << answer;
    EXPECT_NE(infoField(last, "nodes"), "0") << answer;
    EXPECT_EQ(session.finish(), 0);
}

// A long search shows its progress once a second; pondering answers only at "ponderhit" or
// "stop"; and a search stopped before its first result shows no score it does not have.
TEST(UciSearch, ProgressPonderAndAStopAtOnce) {
    Session session;
    session.open();
    std::string answer = session.go("position startpos moves e2e4\ngo movetime 3000\n");
    int progress = 0;
    for (const std::string& line : linesAfter(answer, "info depth "))
        if (contains(line, " currmove ") && contains(line, " currmovenumber ") && contains(line, " hashfull "))
            ++progress;
    EXPECT_GE(progress, 2) << answer;

    const std::string game = "position startpos moves e2e4 e7e5 g1f3 b8c6\n";
    size_t from = session.output().size();
    session.send("setoption name Ponder value true\n" + game + "go ponder wtime 4000 btime 4000\n");
    waitForOutput(session.process, "never", 0, 300);
    EXPECT_FALSE(contains(session.output().substr(from), "bestmove")) << session.output().substr(from);
    answer = session.go("ponderhit\n", 10000);
    const std::vector<std::string> best = linesAfter(answer, "bestmove ");
    ASSERT_EQ(best.size(), 1u) << answer;
    EXPECT_NE(best[0].find(" ponder "), std::string::npos) << answer;
    from = session.output().size();
    session.send(game + "go ponder wtime 60000 btime 60000\n");
    waitForOutput(session.process, "never", 0, 300);
    EXPECT_FALSE(contains(session.output().substr(from), "bestmove"));
    EXPECT_NE(session.go("stop\n", 5000), "");

    for (int i = 0; i < 10; ++i) {
        answer = session.go("position startpos moves d2d4\ngo infinite\nstop\n");
        EXPECT_FALSE(contains(answer, " score mate ")) << answer;
    }
    EXPECT_EQ(session.finish(), 0);
}

TEST(UciSearch, NoLegalMoveAnswersNone) {
    struct Case {
        const char* position;
        const char* info;
    };
    const Case cases[] = {
        {"6k1/8/8/8/8/8/5PPP/r5K1 w - -", "info depth 0 score mate 0\n"},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", "info depth 0 score mate 0\n"},
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", "info depth 0 score cp 0\n"},
    };
    for (const Case& c : cases) {
        Session session;
        session.open();
        EXPECT_EQ(session.go("position fen " + std::string(c.position) + "\ngo wtime 1000 btime 1000\n"),
                  std::string(c.info) + "bestmove (none)\n");
        // Analysing, the answer waits for "stop".
        session.send("go infinite\n");
        waitForOutput(session.process, "never", 0, 200);
        EXPECT_EQ(linesAfter(session.output(), "bestmove").size(), 1u);
        EXPECT_EQ(session.go("stop\n"), std::string(c.info) + "bestmove (none)\n");
        EXPECT_EQ(session.finish(), 0);
    }
}

TEST(UciSearch, QuitDuringASearchEndsAtOnce) {
    Session session;
    session.send(OPENING + "position startpos\ngo infinite\n");
    ASSERT_NE(session.await("info depth 3 ", 0), std::string::npos);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(session.finish(), 0);
    EXPECT_LT(millisecondsBetween(start), 3000);
}

TEST(UciGame, DrawsByRuleSeeTheWholeGame) {
    Session session;
    session.open();
    // The third occurrence of the initial placement: drawn, answered with a legal move.
    const std::vector<std::string> shuffle = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};
    std::string list;
    for (const std::string& move : shuffle) list += " " + move;
    std::string answer = session.go("position startpos moves" + list + "\ngo depth 4\n");
    EXPECT_TRUE(contains(answer, "info depth 0 score cp 0 ")) << answer;
    std::vector<std::string> best = linesAfter(answer, "bestmove ");
    ASSERT_EQ(best.size(), 1u);
    std::vector<std::string> line = shuffle;
    line.push_back(best[0]);
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, line));

    // Black, a queen down, walks back to a position seen twice: the search scores the draw.
    answer = session.go("position fen 7k/8/8/8/8/8/8/K2Q4 w - - moves d1e1 h8g8 e1d1 g8h7 d1e1 h7g8 e1d1 g8h8 d1e1\n"
                        "go depth 5\n");
    EXPECT_TRUE(contains(answer, "score cp 0 ")) << answer;
    EXPECT_TRUE(contains(answer, "bestmove h8g8\n")) << answer;

    // A FEN's halfmove clock counts: at 100 the fifty-move rule holds, at 0 the rook wins.
    answer = session.go("position fen 4k3/8/8/8/8/8/8/R3K3 w - - 100 80\ngo depth 4\n");
    EXPECT_TRUE(contains(answer, "info depth 0 score cp 0 ")) << answer;
    answer = session.go("position fen 4k3/8/8/8/8/8/8/R3K3 w - - 0 80\ngo depth 4\n");
    EXPECT_FALSE(contains(answer, "score cp 0 ")) << answer;
    EXPECT_EQ(session.finish(), 0);
}

// A Chess960 game from its start to its end, as a GUI plays it: the whole game sent before every
// "go", castlings as the king taking its rook, White searching deeper than Black. Every answer is
// legal in this process's copy of the game, which says when it has ended; the last "go" finds
// no move.
TEST(UciGame, AChess960GamePlayedToItsEnd) {
    const char* const start = "nrkbbqrn/pppppppp/8/8/8/8/PPPPPPPP/NRKBBQRN w GBgb - 0 1";
    Session session;
    session.open();
    session.send("setoption name UCI_Chess960 value true\nucinewgame\n");
    initTablesOnce();
    ASSERT_TRUE(setPosition(start, false, nullptr, 0, CHESS960));
    std::string moves;
    int castlings = 0, plies = 0;
    for (; plies < 400 && anyLegalMove(game) && !gameDrawnByRule(); ++plies) {
        const std::string depth = game.position.sideToMove == WHITE ? "5" : "1";
        const std::string answer = session.go("position fen " + std::string(start) + " moves" + moves + "\ngo depth " + depth + "\n");
        const std::vector<std::string> best = linesAfter(answer, "bestmove ");
        ASSERT_EQ(best.size(), 1u) << answer;
        const Move move = textToMove(game.position, best[0].c_str());
        ASSERT_TRUE(isLegalGameMove(move)) << best[0] << " after" << moves;
        castlings += isCastling(move);
        playGameMove(move);
        moves += " " + best[0];
    }
    EXPECT_LT(plies, 400) << moves;
    EXPECT_GE(castlings, 1) << moves;
    if (!anyLegalMove(game)) {
        const std::string last = session.go("position fen " + std::string(start) + " moves" + moves + "\ngo depth 3\n");
        EXPECT_TRUE(contains(last, "bestmove (none)\n")) << last;
    }
    EXPECT_EQ(session.finish(), 0);
}

// Each game move played leaves its key line in the log: count them after a command.
int keyLinesAfter(const std::string& log, const std::string& command) {
    const size_t at = log.find("::cmd:: " + command + "\n");
    if (at == std::string::npos) return -1;
    int count = 0;
    for (const std::string& line : linesOf(log.substr(at + command.size() + 9))) {
        if (line.rfind("::cmd:: ", 0) == 0) break;
        if (line.find_first_not_of("0123456789abcdef ") == std::string::npos && line.find(' ') != std::string::npos)
            ++count;
    }
    return count;
}

TEST(UciGame, AGameSentMoveByMoveKeepsItsTables) {
    Session session;
    session.open();
    session.send("ucinewgame\n");
    const std::string first = "position startpos moves e2e4 e7e5";
    std::string answer = session.go(first + "\ngo depth 5\n");
    const long fresh = std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), "nodes"));
    // The same game again: searched anew to the depth asked, the table doing most of the work.
    answer = session.go(first + "\ngo depth 5\n");
    const long again = std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), "nodes"));
    EXPECT_TRUE(contains(answer, "info depth 5 ")) << answer;
    EXPECT_GT(again, 0) << answer;
    EXPECT_LT(again * 4, fresh) << answer;
    // A new game forgets the old one's tables: the same search again from scratch.
    answer = session.go("ucinewgame\n" + first + "\ngo depth 5\n");
    EXPECT_EQ(std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), "nodes")), fresh) << answer;
    // The GUI sends the whole game again with the reply and the next move: the search differs
    // from one from scratch, as the bench makes it.
    const std::string second = first + " g1f3 b8c6";
    answer = session.go(second + "\ngo depth 5\n");
    const std::string nodes = infoField(" " + linesAfter(answer, "info depth ").back(), "nodes");
    EXPECT_EQ(benchFigures(5, "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -").find("nodes " + nodes),
              std::string::npos)
        << answer;
    session.finish();
    const std::string log = session.log();
    EXPECT_EQ(keyLinesAfter(log, first), 2);
    EXPECT_EQ(keyLinesAfter(log, second), 2) << "only the two new moves are played\n" << log;

    // A different game is set up afresh, every move played.
    Session other;
    other.send(OPENING + "position startpos moves e2e4 e7e5\nposition startpos moves d2d4 d7d5 c2c4\nisready\n");
    other.await("readyok\nreadyok", 0);
    other.finish();
    EXPECT_EQ(keyLinesAfter(other.log(), "position startpos moves d2d4 d7d5 c2c4"), 3) << other.log();
}

TEST(UciOptions, BookOnAndOff) {
    const std::string folder = makeTemporaryFolder();
    std::filesystem::copy_file(TARNEK_BUILD_DIR "/Tarnek.book", folder + "/Tarnek.book");
    Session session(folder);
    session.send("uci\nsetoption name Debug Log File value uci.log\nucinewgame\nposition startpos\nisready\n");
    session.await("readyok\n", 0);
    std::string answer = session.go("go wtime 60000 btime 60000 winc 1000 binc 1000\n");
    const std::vector<std::string> book = linesAfter(answer, "info string Book move ");
    ASSERT_EQ(book.size(), 1u) << answer;
    EXPECT_EQ(answer, "info depth 1 score cp 0 nodes 0 time 0 pv " + book[0] + "\ninfo string Book move " + book[0] +
                          "\nbestmove " + book[0] + "\n");
    EXPECT_TRUE(legalLine(INITIAL_POSITION_TEXT, book));
    // Off: the same position is searched; so it is in a Chess960 game, whatever OwnBook says.
    answer = session.go("setoption name ownbook value FALSE\nposition startpos\ngo depth 3\n");
    EXPECT_TRUE(contains(answer, "info depth 3 ")) << answer;
    EXPECT_FALSE(contains(answer, "Book move")) << answer;
    answer = session.go("setoption name OwnBook value true\nsetoption name UCI_Chess960 value true\nucinewgame\n"
                        "position startpos\ngo depth 3\n");
    EXPECT_TRUE(contains(answer, "info depth 3 ")) << answer;
    EXPECT_FALSE(contains(answer, "Book move")) << answer;
    session.finish();
    EXPECT_TRUE(contains(session.log(), "-M: move(book): " + book[0] + "\n")) << session.log();
    EXPECT_TRUE(contains(session.log(), "::cmd:: setoption name ownbook value FALSE\n"));
}

// UCI_AnalyseMode: the book is on but not used, and a position searched before is searched anew
// from the first iteration, where a game's search starts past the table's exact result.
TEST(UciOptions, AnalyseModeTakesNoBookAndNoEarlierResult) {
    const std::string folder = makeTemporaryFolder();
    std::filesystem::copy_file(TARNEK_BUILD_DIR "/Tarnek.book", folder + "/Tarnek.book");
    Session session(folder);
    session.send("uci\nsetoption name UCI_AnalyseMode value true\nucinewgame\nisready\n");
    session.await("readyok\n", 0);
    const std::string clock = "position startpos\ngo wtime 10000 btime 10000\n";
    const std::string depth = "position startpos\ngo depth 6\n";
    EXPECT_FALSE(contains(session.go(clock), "Book move"));
    // (A book at the initial position sets the game up afresh at every "position".)
    std::string answer = session.go("setoption name OwnBook value false\n" + depth);
    answer = session.go(clock);
    EXPECT_EQ(linesAfter(answer, "info depth ").front().rfind("2 ", 0), 0u) << answer;
    answer = session.go("setoption name UCI_AnalyseMode value false\n" + depth);
    answer = session.go(clock);
    // (A slow build may not finish the 7th iteration in time: it then answers the table's 6th.)
    EXPECT_GE(std::stoi(linesAfter(answer, "info depth ").front()), 6) << "the table's depth goes on: " << answer;
    EXPECT_TRUE(contains(session.go("setoption name OwnBook value true\n" + clock), "Book move"));
    EXPECT_EQ(session.finish(), 0);
}

// The win, draw and loss chances of the side to move (the three numbers after "wdl"), or none.
std::vector<int> wdlOf(const std::string& line) {
    int win = -1, draw = -1, loss = -1;
    const size_t at = line.find(" wdl ");
    if (at == std::string::npos || std::sscanf(line.c_str() + at, " wdl %d %d %d", &win, &draw, &loss) != 3) return {};
    return {win, draw, loss};
}

// UCI_ShowWDL: off, no line carries "wdl"; on, every info line with a score does, right after the
// score and its bound, in permille summing to 1000, certain for a mate, a stalemate and a draw by
// rule, and for the side to move: a queen up wins, a queen down loses.
TEST(UciOptions, ShowWdlOnEveryScoredLine) {
    Session session;
    session.open();
    const std::string queenUp = "position fen 4k3/pppp4/8/8/8/8/PPPP4/3QK3 w - -\ngo depth 6\n";
    EXPECT_FALSE(contains(session.go(queenUp), " wdl ")) << "off by default";
    session.send("setoption name UCI_ShowWDL value true\n");
    const std::string up = session.go(queenUp);
    const std::string down = session.go("position fen 3qk3/pppp4/8/8/8/8/PPPP4/4K3 w - -\ngo movetime 300\n");
    int scored = 0;
    for (const std::string& answer : {up, down}) {
        for (const std::string& line : linesAfter(answer, "info depth ")) {
            if (!contains(line, " score ")) continue;
            ++scored;
            const std::vector<int> chances = wdlOf(line);
            ASSERT_EQ(chances.size(), 3u) << line;
            EXPECT_EQ(chances[0] + chances[1] + chances[2], 1000) << line;
            EXPECT_TRUE(answer == up ? chances[0] > 900 : chances[2] > 900) << line;
            EXPECT_TRUE(contains(line, " wdl " + std::to_string(chances[0]) + " " + std::to_string(chances[1]) + " " +
                                           std::to_string(chances[2]) + " nodes ")) << line;
        }
    }
    EXPECT_GE(scored, 8);
    EXPECT_TRUE(contains(session.go("position fen 7k/8/6K1/8/8/8/Q7/8 w - -\ngo depth 4\n"), " score mate 1 wdl 1000 0 0 "));
    EXPECT_EQ(session.go("position fen 7k/5Q2/6K1/8/8/8/8/8 b - -\ngo depth 4\n"),
              "info depth 0 score cp 0 wdl 0 1000 0\nbestmove (none)\n");
    EXPECT_EQ(session.go("position fen R5k1/5ppp/8/8/8/8/8/6K1 b - -\ngo depth 4\n"),
              "info depth 0 score mate 0 wdl 0 0 1000\nbestmove (none)\n");
    const std::string repeated = session.go("position startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8\ngo depth 4\n");
    const std::vector<std::string> final = linesAfter(repeated, "info depth ");
    ASSERT_FALSE(final.empty()) << repeated;
    EXPECT_EQ(wdlOf(final.back()), (std::vector<int>{0, 1000, 0})) << repeated;
    EXPECT_EQ(session.finish(), 0);
}

// Hash sizes the table (a small one fills sooner) and Clear Hash empties it; a value of the wrong
// kind or range, and an option the engine does not have, are said so and change nothing.
TEST(UciOptions, EveryOptionActsOrSaysWhyNot) {
    Session session;
    session.open();
    const std::string search = "position fen r1bq1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P3/2NP1N2/PPP2PPP/R2QK2R w KQ -\ngo depth 6\n";
    auto lastField = [](const std::string& answer, const std::string& field) {
        return std::stol(infoField(" " + linesAfter(answer, "info depth ").back(), field));
    };
    const std::string usual = session.go("ucinewgame\n" + search);
    const std::string small = session.go("setoption name Hash value 1\nucinewgame\n" + search);
    EXPECT_GT(lastField(small, "hashfull"), lastField(usual, "hashfull")) << usual << small;
    const long again = lastField(session.go(search), "nodes");
    EXPECT_LT(again * 2, lastField(small, "nodes")) << "the table holds the first search";
    EXPECT_GT(lastField(session.go("setoption name Clear Hash\n" + search), "nodes"), again * 2) << "it no longer does";
    // Three threads count their nodes together.
    const std::string threeThreads = session.go("setoption name Threads value 3\nposition startpos moves e2e4\ngo nodes 20000\n");
    EXPECT_GE(lastField(threeThreads, "nodes"), 20000) << threeThreads;
    EXPECT_LT(lastField(threeThreads, "nodes"), 21000) << threeThreads;
    EXPECT_EQ(linesAfter(threeThreads, "bestmove ").size(), 1u) << threeThreads;
    // Several threads and several lines: every iteration from the first shows all its lines,
    // whatever the helpers a ply ahead have stored for the root meanwhile.
    for (int i = 0; i < 6; ++i) {
        const std::string fen = std::string("position fen ") + BENCH_POSITIONS[i] + "\n";
        const std::string lines = session.go("setoption name MultiPV value 3\n" + fen + "go depth 2\n");
        EXPECT_EQ(linesOfDepth(lines, 2).size(), 3u) << lines;
        const std::string deeper = session.go("setoption name MultiPV value 1\n" + fen + "go depth 5\n");
        EXPECT_EQ(linesAfter(deeper, "info depth ").front().rfind("2 ", 0), 0u) << deeper;
    }

    const size_t from = session.output().size();
    session.send("setoption name Hash value 0\nsetoption name Threads value 0\nsetoption name MultiPV value x\n"
                 "setoption name Ponder value maybe\nsetoption name Contempt value 10\n"
                 "setoption name Move Overhead value 5001\nsetoption name UCI_ShowWDL value 1\nisready\n");
    ASSERT_NE(session.await("readyok\n", from), std::string::npos);
    const std::string threads = "Threads takes a whole number from 1 to " + std::to_string(maxThreads()) + ": unchanged";
    for (const char* said : {"Hash takes a whole number from 1 to 65536: unchanged", threads.c_str(),
                             "MultiPV takes a whole number from 1 to 256: unchanged",
                             "Ponder takes true or false: unchanged", "No such option: Contempt",
                             "Move Overhead takes a whole number from 0 to 5000: unchanged",
                             "UCI_ShowWDL takes true or false: unchanged"})
        EXPECT_TRUE(contains(session.output(), std::string("info string ") + said + "\n")) << said;
    // A table larger than the machine's memory is refused and the old one kept (on a machine with
    // less memory than the most the option allows).
    if (uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGE_SIZE)) < (uint64_t(48) << 30)) {
        const std::string refused = session.go("setoption name Hash value 65536\n" + search);
        EXPECT_TRUE(contains(refused, "info string Hash: 65536 MB cannot be had; the table keeps its 1 MB\n")) << refused;
    }
    EXPECT_EQ(session.finish(), 0);
}

TEST(UciOptions, LogFileOnlyWhenAskedAndClosedWhenEmptied) {
    Session session;
    session.send("uci\nsetoption name Debug Log File value my log.txt\nisready\n"
                 "setoption name Debug Log File value <empty>\nisready\n");
    const size_t ready = session.await("readyok\nreadyok\n", 0);
    ASSERT_NE(ready, std::string::npos);
    session.send("setoption name Debug Log File value no/such/folder/x.log\nisready\n");
    EXPECT_NE(session.await("readyok\n", ready + 16), std::string::npos);
    EXPECT_EQ(session.finish(), 0);
    EXPECT_EQ(readFolderFile(session.process, "my log.txt"),
              "::cmd:: isready\n::cmd:: setoption name Debug Log File value <empty>\n");
    EXPECT_TRUE(contains(session.output(), "info string Debug Log File: cannot write no/such/folder/x.log"))
        << session.output();
    EXPECT_FALSE(std::filesystem::exists(session.process.folder + "/Tarnek.log"));
}

}  // namespace
