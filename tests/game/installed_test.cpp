// Both programs as a package or `make install` lays them out, started by a GUI in a folder of its
// choosing: the book comes from the working folder when it holds one, else from beside the
// program; the xboard program's log goes to the user's state folder when the working folder will
// not take it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engineprocess.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

const char* const XBOARD_GAME = "xboard\nnew\ngo\nquit\n";
const char* const UCI_GAME = "uci\nposition startpos\ngo wtime 1000 btime 1000\nquit\n";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A temporary tree that both programs and the built book are copied into, `programs` and `data`
// named from its top (as "games" and "share/games/tarnek").
struct Installed {
    fs::path top = makeTemporaryFolder();

    Installed(const char* programs, const char* data) {
        fs::create_directories(top / programs);
        fs::create_directories(top / data);
        for (const char* name : {"tarnek", "tarnek-uci"})
            fs::copy_file(fs::path(TARNEK_BUILD_DIR) / name, top / programs / name);
        fs::copy_file(TARNEK_BUILD_DIR "/Tarnek.book", top / data / "Tarnek.book");
    }
    ~Installed() { fs::remove_all(top); }
};

// One session of `program` in `folder` (made when missing); the folder is left in place.
SessionResult runIn(const fs::path& program, const fs::path& folder, const std::string& input) {
    fs::create_directories(folder);
    EngineProcess process;
    if (!startProcess(process, program.string(), folder.string())) return {};
    sendText(process, input);
    closeInput(process);
    SessionResult result;
    result.exitStatus = waitForExit(process);
    result.output = process.received;
    result.log = readFolderFile(process, "Tarnek.log");
    return result;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// Debian's layout (/usr/games, /usr/share/games/tarnek) and an install under a prefix (bin/,
// share/tarnek/): from an empty folder both programs play the installed book's first move.
TEST(Installed, BothProgramsFindTheBookBesideThem) {
    for (const auto& [programs, data] : {std::pair{"usr/games", "usr/share/games/tarnek"},
                                         std::pair{"opt/tarnek/bin", "opt/tarnek/share/tarnek"}}) {
        Installed installed(programs, data);
        const SessionResult xboard = runIn(installed.top / programs / "tarnek", installed.top / "empty", XBOARD_GAME);
        EXPECT_FALSE(contains(xboard.output, "BOOK ERROR")) << programs << "\n" << xboard.output;
        EXPECT_TRUE(contains(xboard.log, "-M: move(book): ")) << programs << "\n" << xboard.log;
        const SessionResult uci = runIn(installed.top / programs / "tarnek-uci", installed.top / "empty", UCI_GAME);
        EXPECT_TRUE(contains(uci.output, "info string Book move ")) << programs << "\n" << uci.output;
        EXPECT_FALSE(contains(uci.output, "missing")) << uci.output;
    }
}

// A book in the working folder is the user's own and wins over the installed one, also when it
// is broken; a program with no book anywhere plays on without, as before.
TEST(Installed, TheWorkingFoldersBookWins) {
    Installed installed("usr/games", "usr/share/games/tarnek");
    const fs::path own = installed.top / "own";
    fs::create_directories(own);
    std::ofstream(own / "lines.txt") << "a2a3 e7e5\n";
    const std::string make = std::string(TARNEK_BUILD_DIR "/tarnek-makebook ") + (own / "lines.txt").string() + " " +
                             (own / "Tarnek.book").string() + " >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    const SessionResult xboard = runIn(installed.top / "usr/games/tarnek", own, XBOARD_GAME);
    EXPECT_TRUE(contains(xboard.output, "move a2a3\n")) << xboard.output;
    const SessionResult uci = runIn(installed.top / "usr/games/tarnek-uci", own, UCI_GAME);
    EXPECT_TRUE(contains(uci.output, "bestmove a2a3")) << uci.output;

    std::ofstream(own / "Tarnek.book", std::ios::trunc) << "3\n";
    EXPECT_TRUE(contains(runIn(installed.top / "usr/games/tarnek", own, XBOARD_GAME).output, "BOOK ERROR!"));

    fs::remove(installed.top / "usr/share/games/tarnek/Tarnek.book");
    const SessionResult without = runIn(installed.top / "usr/games/tarnek", installed.top / "empty", XBOARD_GAME);
    EXPECT_TRUE(contains(without.output, "tellusererror BOOK ERROR!\nmove ")) << without.output;
}

// A working folder that will not take "Tarnek.log" (here a folder of that name stands there, which
// stops root too) sends the log to $XDG_STATE_HOME/tarnek, or, where that is unset or relative,
// to ~/.local/state/tarnek, made as needed; what the GUI sees is the same.
TEST(Installed, TheLogGoesToTheUsersFolderWhenTheWorkingFolderWillNotTakeIt) {
    Installed installed("usr/games", "usr/share/games/tarnek");
    const fs::path blocked = installed.top / "blocked";
    fs::create_directories(blocked / "Tarnek.log");
    const fs::path program = installed.top / "usr/games/tarnek";
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";

    setenv("XDG_STATE_HOME", (installed.top / "state").c_str(), 1);
    SessionResult session = runIn(program, blocked, "xboard\nnew\nquit\n");
    EXPECT_EQ(session.output, "\nfeature done=0\nfeature setboard=1\nfeature done=1\n");
    EXPECT_EQ(fileText(installed.top / "state/tarnek/Tarnek.log"), "::cmd:: new\n::cmd:: quit\n");

    for (const char* state : {"relative/state", ""}) {
        setenv("XDG_STATE_HOME", state, 1);
        setenv("HOME", (installed.top / state / "home").c_str(), 1);
        runIn(program, blocked, "xboard\nfirst\nquit\n");
        EXPECT_EQ(fileText(installed.top / state / "home/.local/state/tarnek/Tarnek.log"),
                  "::cmd:: first\n::cmd:: quit\n") << state;
        EXPECT_EQ(fs::status(installed.top / state / "home/.local/state").permissions() & fs::perms::all,
                  fs::perms::owner_all);
    }
    unsetenv("XDG_STATE_HOME");
    setenv("HOME", savedHome.c_str(), 1);

    // Where the working folder takes the log, it stays there.
    EXPECT_EQ(runIn(program, installed.top / "empty", "xboard\nquit\n").log, "::cmd:: quit\n");
}

}  // namespace
