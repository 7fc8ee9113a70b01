// The tools' command lines, through the tools themselves: each answers --help with its usage on
// standard output and status 0, and an argument it cannot use with nothing but its one usage
// line on standard error and status 2, before it starts any work.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef TARNEK_BUILD_DIR
#define TARNEK_BUILD_DIR "."
#endif

namespace {

// The project folder, two above this file's folder: the scripts run from their place in tools/.
const std::string SOURCE_DIR = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

struct Tool {
    std::string name;  // as its usage line names it
    std::string path;
};

std::vector<Tool> allTools() {
    std::vector<Tool> tools;
    for (const char* program : {"tarnek-bench", "tarnek-perft", "tarnek-makebook"})
        tools.push_back({program, std::string(TARNEK_BUILD_DIR "/") + program});
    for (const char* script : {"bench-compare", "deb-check", "floors", "install-check", "latency", "mate-check", "need",
                               "openbench-check", "perft-compare", "smp-speedup", "stress", "uci-latency", "uci-match",
                               "wdl-model", "windows-check", "xboard-match", "xboard-takeback"})
        tools.push_back({std::string("tools/") + script, SOURCE_DIR + "/tools/" + script});
    return tools;
}

Tool toolNamed(const std::string& name) {
    for (const Tool& tool : allTools())
        if (tool.name == name) return tool;
    ADD_FAILURE() << "no tool " << name;
    return {name, "false"};
}

std::string contents(const std::filesystem::path& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Runs `path arguments` (arguments as the shell reads them) in a temporary folder, with a time
// limit: a tool that took a bad argument for a good one must not hold the suite.
ToolRun runTool(const std::string& path, const std::string& arguments) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("tarnek-tool-arguments-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string command = "cd " + folder.string() + " && timeout 120 " + path + " " + arguments + " >" +
                                (folder / "out").string() + " 2>" + (folder / "err").string() + " </dev/null";
    const int status = std::system(command.c_str());
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(folder / "out"), contents(folder / "err")};
    std::filesystem::remove_all(folder);
    return run;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

}  // namespace

// A bad argument's answer: exit status 2, nothing on standard output, and on standard error one
// line, the tool's usage.
void expectUsageRefusal(const std::vector<std::pair<const char*, const char*>>& cases) {
    for (const auto& [name, arguments] : cases) {
        const ToolRun run = runTool(toolNamed(name).path, arguments);
        EXPECT_EQ(run.status, 2) << name << " " << arguments << ": " << run.out << run.err;
        EXPECT_EQ(run.err.rfind(std::string("usage: ") + name + " ", 0), 0u) << name << " " << arguments << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << name << " " << arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << name << " " << arguments;
    }
}

TEST(ToolArguments, HelpShowsTheUsageAndSucceeds) {
    for (const Tool& tool : allTools()) {
        const ToolRun run = runTool(tool.path, "--help");
        EXPECT_EQ(run.status, 0) << tool.name << ": " << run.err;
        EXPECT_EQ(run.out.rfind("usage: " + tool.name + " ", 0), 0u) << tool.name << ": " << run.out;
        EXPECT_EQ(run.err, "") << tool.name;
    }
    // The built tools' usage line is the one a bad argument gets.
    for (const char* name : {"tarnek-bench", "tarnek-perft", "tarnek-makebook"}) {
        const ToolRun help = runTool(toolNamed(name).path, "-h");
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_EQ(firstLine(help.out), runTool(toolNamed(name).path, "x").err) << name;
    }
}

TEST(ToolArguments, BuiltToolsReadNumbersInRangeAndDigitsAlone) {
    expectUsageRefusal({
        {"tarnek-bench", "abc"},
        {"tarnek-bench", "5x"},
        {"tarnek-bench", "-3"},
        {"tarnek-bench", "+5"},
        {"tarnek-bench", "1"},
        {"tarnek-bench", "64"},
        {"tarnek-bench", "''"},
        {"tarnek-bench", "--depth 5"},
        {"tarnek-perft", ""},
        {"tarnek-perft", "3x"},
        {"tarnek-perft", "-1"},
        {"tarnek-perft", "72"},
        {"tarnek-perft", "99999999999999999999"},
        {"tarnek-perft", "--divide"},
        {"tarnek-perft", "--divide 0"},
        {"tarnek-perft", "--frobnicate 3"},
        {"tarnek-perft", "--divide --960 3"},
        {"tarnek-bench", "--960 1"},
        {"tarnek-makebook", ""},
        {"tarnek-makebook", "lines.txt"},
        {"tarnek-makebook", "lines.txt a.book b.book"},
        {"tarnek-makebook", "-x out.book"},
    });
}

TEST(ToolArguments, ShellToolsRefuseBadArguments) {
    expectUsageRefusal({
        {"tools/floors", "a b"},
        {"tools/floors", "/nonexistent-folder"},
        {"tools/floors", "-x"},
        {"tools/install-check", "/nonexistent-folder"},
        {"tools/deb-check", "/nonexistent.deb"},
        {"tools/deb-check", "a.deb b.deb"},
        {"tools/need", ""},
        {"tools/need", "build nothing-of-the-kind"},
    });
}

TEST(ToolArguments, PythonToolsRefuseBadArguments) {
    // Before any work: bench-compare builds nothing, the others start no engine or xboard. One
    // case a tool (each start of the interpreter costs a noticeable part of a second).
    expectUsageRefusal({
        {"tools/bench-compare", "HEAD --runs abc"},
        {"tools/latency", "tarnek 0"},
        {"tools/mate-check", "--max-depth 1 Tarnek.log"},
        {"tools/openbench-check", "--commit"},
        {"tools/perft-compare", "--random 5 3"},
        {"tools/smp-speedup", "--depth 1"},
        {"tools/uci-latency", "tarnek-uci 5 more"},
        {"tools/uci-match", "--tc 10+abc"},
        {"tools/wdl-model", "fit"},
        {"tools/wdl-model", "games --nodes"},
        {"tools/windows-check", "--games x"},
        {"tools/stress", "--steps 0"},
        {"tools/xboard-match", "--tc abc"},
        {"tools/xboard-takeback", "--steps -1"},
    });
}

TEST(ToolArguments, TheEdgesOfTheRangesAreTaken) {
    // Depth 0 counts the position itself; --divide needs a move, so it starts at 1.
    ToolRun run = runTool(toolNamed("tarnek-perft").path, "0");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("nodes 1 ", 0), 0u) << run.out;
    run = runTool(toolNamed("tarnek-perft").path, "--divide 1 '8/8/8/8/8/8/8/K6k w - -'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4) << run.out;  // three moves, then the total
    EXPECT_NE(run.out.find("\nnodes 3 "), std::string::npos) << run.out;
    // A Chess960 position: its castling is listed as the king taking its rook.
    run = runTool(toolNamed("tarnek-perft").path, "--960 --divide 1 '4k3/8/8/8/8/8/8/1K5R w H -'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("b1h1 1\n"), std::string::npos) << run.out;
    // The shallowest bench depth; the position may come as several words.
    run = runTool(toolNamed("tarnek-bench").path, "2 8/8/8/8/8/8/8/K6k w - -");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("8/8/8/8/8/8/8/K6k w - - | best ", 0), 0u) << run.out;
    // The deepest ones, on a mated position: no move to search or count, so both end at once.
    const std::string mated = " 'R5k1/5ppp/8/8/8/8/8/6K1 b - -'";
    run = runTool(toolNamed("tarnek-bench").path, "63" + mated);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(" | best mated "), std::string::npos) << run.out;
    run = runTool(toolNamed("tarnek-perft").path, "71" + mated);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("nodes 0 ", 0), 0u) << run.out;
    run = runTool(toolNamed("tools/floors").path, SOURCE_DIR + "/src");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    // An engine named by a path relative to where the tool was started, though the engine itself
    // starts in a folder of its own.
    const std::filesystem::path from = std::filesystem::temp_directory_path() /
                                       ("tarnek-tool-arguments-" + std::to_string(getpid()));
    std::filesystem::create_directories(from);
    std::filesystem::create_symlink(std::filesystem::absolute(TARNEK_BUILD_DIR "/tarnek-uci"), from / "engine");
    run = runTool(toolNamed("tools/smp-speedup").path, "--positions 1 --depth 2 --engine ./engine");
    EXPECT_NE(run.out.find(" | 1 thread "), std::string::npos) << run.out << run.err;
}

TEST(ToolArguments, AWellFormedArgumentThatNamesNothingIsSaidSo) {
    // Not a usage error: the arguments read well, but the program or position is not there.
    ToolRun run = runTool(toolNamed("tools/latency").path, "/nonexistent/tarnek 3");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tools/latency: no program at /nonexistent/tarnek\n");
    run = runTool(toolNamed("tarnek-perft").path, "1 '8/8/8/8/8/8/8/8 w - -'");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tarnek-perft: position refused: 8/8/8/8/8/8/8/8 w - -\n");
    // With the smoke matches' time control, which must read well for the missing engine to be named.
    run = runTool(toolNamed("tools/xboard-match").path, "--tc 0:10 --inc 0.1 --engine /nonexistent/tarnek");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "xboard-match: engine not found: /nonexistent/tarnek\n");
}

TEST(ToolArguments, XboardMatchBlamesTheProgramXboardNames) {
    // What xboard prints when an engine dies, in both of its word orders; a game left unplayed
    // because the opponent died is the opponent's fault, not ours.
    const std::string tools = SOURCE_DIR + "/tools";
    const ToolRun run = runTool("python3", "-c 'import importlib.machinery, sys; sys.path.insert(0, \"" + tools +
                                               "\"); m = importlib.machinery.SourceFileLoader(\"xm\", \"" + tools +
                                               "/xboard-match\").load_module(); "
                                               "print(m.CrashNotes(\"xboard: Error writing to second chess program: "
                                               "Broken pipe\").blame(), m.CrashNotes(\"xboard: first chess program "
                                               "(tarnek) exited unexpectedly\").blame(), m.CrashNotes(\"\").blame())'");
    EXPECT_EQ(run.out, "them us us\n") << run.err;
}

TEST(ToolArguments, MateCheckPlaysEachMateScoresLineOut) {
    // Back-rank mates from both kinds of log: the engine's own, and fastchess's record of the
    // engine's output. A score of 8097 says mate at ply 3 where the line mates at ply 1; a line
    // that stops short (NOE) is settled by a fresh search; a move line that repeats the last
    // iteration's claim is not counted again. Games played at once are told apart by their thread.
    const std::filesystem::path log = std::filesystem::temp_directory_path() /
                                      ("tarnek-mate-check-" + std::to_string(getpid()) + ".log");
    std::ofstream(log) << "-FEN:\t6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -\n"
                          "-E: 2:\t8099\td1d8 # \n"
                          "move d1d8\tscore: 8099\n"
                          "-FEN:\t6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -\n"
                          "-E: 2:\t8097\td1d8 # \n"
                          "-FEN:\t6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -\n"
                          "-E: 2:\t8099\tNOE \n"
                          "[Engine] [06:00:00.000000] <  1>  Tarnek <--- position fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w"
                          " - - 0 1\n"
                          "[Engine] [06:00:00.000001] <  2>  Tarnek <--- position startpos moves e2e4\n"
                          "[Engine] [06:00:00.000002] <  1>  Tarnek ---> info depth 2 score mate 1 nodes 9 pv d1d8\n";
    const ToolRun run = runTool(toolNamed("tools/mate-check").path,
                                "--bench " TARNEK_BUILD_DIR "/tarnek-bench " + log.string());
    std::filesystem::remove(log);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find(":5: 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -\n    score 8097 (mates at ply 3)"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("the line ends in mate at ply 1, not 3"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nmate scores 4 confirmed 3 wrong 1 (the line alone 0) unconfirmable 0\n"),
              std::string::npos)
        << run.out;
}
