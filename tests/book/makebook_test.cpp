// The book maker, run as the build runs it: text lines in, binary book out, or an error naming
// the line and nothing written.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "book/book.h"
#include "support.h"

namespace {

struct MakeBookRun {
    int status;
    std::string errors;
};

class MakeBook : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarnek-makebook-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    MakeBookRun run(const std::string& lines) {
        std::ofstream(folder / "lines.txt") << lines;
        const std::string command = std::string(TARNEK_BUILD_DIR "/tarnek-makebook ") + (folder / "lines.txt").string() +
                                    " " + book().string() + " >/dev/null 2>" + (folder / "errors.txt").string();
        const int status = std::system(command.c_str());
        std::stringstream errors;
        errors << std::ifstream(folder / "errors.txt").rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors.str()};
    }

    std::filesystem::path book() const { return folder / "out.book"; }

    std::filesystem::path folder;
};

TEST_F(MakeBook, WritesTheBinaryRecords) {
    const MakeBookRun made = run("# two lines\n\ne2e4 e7e5   # the open game\n  d2d4 d7d5 c2c4\n");
    ASSERT_EQ(made.status, 0) << made.errors;
    std::ifstream in(book(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // "2\n", then 2 moves and 3 moves, each low byte first: e2e4 is 52 * 64 + 36 = 0x0D24.
    ASSERT_EQ(bytes.size(), 2u + 1 + 4 + 1 + 6);
    EXPECT_EQ(bytes.substr(0, 2), "2\n");
    EXPECT_EQ(uint8_t(bytes[2]), 2);
    EXPECT_EQ(uint8_t(bytes[3]), 0x24);
    EXPECT_EQ(uint8_t(bytes[4]), 0x0D);
    EXPECT_EQ(uint8_t(bytes[7]), 3);
}

TEST_F(MakeBook, MovesGetTheirFullCodes) {
    // Castling, captures and a capturing promotion, read as the engine generates them.
    const MakeBookRun made = run("e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1 f8c5\n"
                                 "a2a4 b7b5 a4b5 a7a6 b5a6 c8b7 a6b7 b8c6 b7a8q\n");
    ASSERT_EQ(made.status, 0) << made.errors;
    // The loader compares all sixteen bits with the generated moves.
    initTablesOnce();
    handFrame = handFrames;
    ASSERT_TRUE(setPosition(INITIAL_POSITION_TEXT, false));
    EXPECT_TRUE(loadBook(game, book().c_str()));
}

TEST_F(MakeBook, RefusesIllegalMovesAndLongLines) {
    MakeBookRun made = run("e2e4 e7e5\n\n# comment\ne2e4 e7e5 e1e3\n");
    EXPECT_EQ(made.status, 1);
    EXPECT_NE(made.errors.find("lines.txt:4: move 3 \"e1e3\""), std::string::npos) << made.errors;
    EXPECT_FALSE(std::filesystem::exists(book()));

    // Generated, but it leaves the king in check.
    made = run("e2e4 f7f5 d1h5 a7a6\n");
    EXPECT_EQ(made.status, 1);
    EXPECT_NE(made.errors.find("lines.txt:1: move 4 \"a7a6\""), std::string::npos) << made.errors;
    // Castling written as the king's move only; promotions need their letter.
    EXPECT_EQ(run("e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 O-O\n").status, 1);
    EXPECT_EQ(run("a2a4 b7b5 a4b5 a7a6 b5a6 c8b7 a6b7 b8c6 b7a8\n").status, 1);

    std::string shuffle;
    for (int i = 0; i < MAX_BOOK_LINE / 4; ++i) shuffle += "g1f3 g8f6 f3g1 f6g8 ";
    EXPECT_EQ(run(shuffle + "\n").status, 0);
    made = run(shuffle + "g1f3\n");
    EXPECT_EQ(made.status, 1);
    EXPECT_NE(made.errors.find("lines.txt:1:"), std::string::npos) << made.errors;

    EXPECT_EQ(run("# nothing but comments\n").status, 1);
}

}  // namespace
