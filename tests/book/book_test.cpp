#include "book/book.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/makemove.h"
#include "search/transposition.h"
#include "support.h"

namespace {

uint64_t drawnValue = 0;
uint64_t fixedDraw() { return drawnValue; }

// Quiet moves written as square pairs: "e2e4 e7e5".
std::vector<Move> line(const char* text) {
    std::vector<Move> moves;
    std::istringstream words(text);
    for (std::string word; words >> word;)
        moves.push_back(encodeMove(QUIET, squareOf(word.c_str()), squareOf(word.c_str() + 2)));
    return moves;
}

// The knights' round trip g1-f3-g1 against g8-f6-g8, repeated until `count` moves.
std::vector<Move> knightShuffle(int count) {
    const std::vector<Move> round = line("g1f3 g8f6 f3g1 f6g8");
    std::vector<Move> moves;
    for (int i = 0; i < count; ++i) moves.push_back(round[i % 4]);
    return moves;
}

void writeBook(const std::string& header, const std::vector<std::vector<Move>>& lines) {
    std::ofstream out("Tarnek.book", std::ios::binary);
    out << header;
    for (const std::vector<Move>& moves : lines) {
        out.put(char(moves.size()));
        for (Move m : moves) out.put(char(m & 0xFF)).put(char(m >> 8));
    }
}

// The book move stored for the position reached by playing `moves` from the current one.
Move bookMoveAfter(const std::vector<Move>& moves = {}) {
    for (Move m : moves) {
        saveUndo(game.position, handFrame->undo);
        makeMove(game, m, handFrame->undo);
        ++handFrame;
    }
    HashEntry entry;
    const Move found = probeHash(game.position, entry) && entryGeneration(entry) == 0 ? entryMove(entry) : 0;
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        --handFrame;
        unmakeMove(game, *it, handFrame->undo);
    }
    return found;
}

const std::string BOOK_ERROR = "tellusererror BOOK ERROR!\n";

// Each test runs in a fresh folder of its own, where the book is read as "Tarnek.book".
class BookFile : public testing::Test {
protected:
    void SetUp() override {
        initTablesOnce();
        handFrame = handFrames;
        home = std::filesystem::current_path();
        char pattern[] = "/tmp/tarnek-book-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        std::filesystem::current_path(folder);
        drawnValue = 0;
        bookDraw = fixedDraw;
    }
    void TearDown() override {
        bookDraw = timeBookDraw;
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }

    // Set up a position with the book as a new game does; returns the complaint the user sees.
    std::string setUpWithBook(const char* text = INITIAL_POSITION_TEXT) {
        SetupNotes notes;
        EXPECT_TRUE(setPosition(text, true, &notes));
        return notes.bookError ? BOOK_ERROR : "";
    }

    std::filesystem::path home, folder;
};

TEST_F(BookFile, EveryPositionOfALineGetsTheLinesMove) {
    writeBook("1\n", {line("e2e4 e7e5")});
    EXPECT_EQ(setUpWithBook(), "");
    EXPECT_EQ(hashGeneration, 1);
    const Position start = game.position;
    EXPECT_EQ(bookMoveAfter(), line("e2e4")[0]);
    EXPECT_EQ(bookMoveAfter(line("e2e4")), line("e7e5")[0]);
    EXPECT_EQ(bookMoveAfter(line("e2e4 e7e5")), 0);
    EXPECT_EQ(bookMoveAfter(line("d2d4")), 0);
    EXPECT_TRUE(samePosition(game.position, start));
    EXPECT_EQ(handFrame, handFrames);

    // The generation of search entries survives the load.
    hashGeneration = 5;
    EXPECT_TRUE(loadBook(game, "Tarnek.book"));
    EXPECT_EQ(hashGeneration, 5);
}

TEST_F(BookFile, AnIllegalMoveEndsTheLoadKeepingTheLinesStoredBefore) {
    // The second record is held back (draw 0 holds back the last of two), the first is stored.
    writeBook("2\n", {line("d2d4 d7d5"), line("e2e4 e2e4")});
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    Position fresh = game.position;
    EXPECT_EQ(bookMoveAfter(), line("d2d4")[0]);
    EXPECT_EQ(bookMoveAfter(line("d2d4")), line("d7d5")[0]);
    EXPECT_EQ(bookMoveAfter(line("e2e4")), 0);   // nothing of the broken line
    ASSERT_TRUE(setPosition(INITIAL_POSITION_TEXT, false));
    EXPECT_TRUE(samePosition(fresh, game.position));

    // Held back is the first: the broken line comes first and nothing at all is stored.
    drawnValue = 1;
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(), 0);

    // A move the generator offers but that leaves the own king in check (1.e4 f5 2.Qh5+ a6).
    writeBook("1\n", {line("e2e4 f7f5 d1h5 a7a6")});
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(), 0);
    EXPECT_EQ(handFrame, handFrames);
}

TEST_F(BookFile, TheHeaderMustCountTheRecords) {
    const std::vector<std::vector<Move>> lines = {line("e2e4 e7e5"), line("d2d4 d7d5")};
    // One record missing: whichever is held back, both lines are stored and the load fails.
    for (uint64_t draw : {0, 2}) {
        drawnValue = draw;
        writeBook("3\n", lines);
        EXPECT_EQ(setUpWithBook(), BOOK_ERROR) << draw;
        EXPECT_EQ(bookMoveAfter(line("e2e4")), line("e7e5")[0]) << draw;
        EXPECT_EQ(bookMoveAfter(line("d2d4")), line("d7d5")[0]) << draw;
    }
    // One record too many.
    writeBook("1\r\n", lines);
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(line("e2e4")), line("e7e5")[0]);
    EXPECT_EQ(bookMoveAfter(line("d2d4")), line("d7d5")[0]);
    // A record cut short by the end of the file counts as missing.
    writeBook("2\n", lines);
    std::filesystem::resize_file("Tarnek.book", std::filesystem::file_size("Tarnek.book") - 1);
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(line("e2e4")), line("e7e5")[0]);

    for (const char* header : {"", "x\n", "0\n", "-2\n", "2"}) {
        writeBook(header, header[0] == '2' ? std::vector<std::vector<Move>>{} : lines);
        EXPECT_FALSE(loadBook(game, "Tarnek.book")) << header;
    }
}

TEST_F(BookFile, NoFileNoBook) {
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(), 0);
    EXPECT_FALSE(loadBook(game, "Tarnek.book"));
}

TEST_F(BookFile, LinesHoldAtMostSixtyFourMoves) {
    writeBook("1\n", {knightShuffle(MAX_BOOK_LINE)});
    EXPECT_EQ(setUpWithBook(), "");
    EXPECT_EQ(bookMoveAfter(), line("g1f3")[0]);
    EXPECT_EQ(handFrame, handFrames);

    // The longer record fails the load; the line stored before it stays.
    writeBook("2\n", {line("e2e4 e7e5"), knightShuffle(MAX_BOOK_LINE + 1)});
    EXPECT_EQ(setUpWithBook(), BOOK_ERROR);
    EXPECT_EQ(bookMoveAfter(), line("e2e4")[0]);
    EXPECT_EQ(bookMoveAfter(line("g1f3")), 0);
}

TEST_F(BookFile, OnlyTheInitialPositionTakesTheBook) {
    // Other positions have no book, and that is no error to show: not even when the file is bad.
    writeBook("2\n", {line("e2e4 e7e5")});
    EXPECT_EQ(setUpWithBook("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"), "");
    EXPECT_EQ(bookMoveAfter(), 0);
    writeBook("1\n", {line("e2e4 e7e5")});
    EXPECT_EQ(setUpWithBook("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"), "");
    EXPECT_EQ(bookMoveAfter(), 0);
    EXPECT_FALSE(loadBook(game, "Tarnek.book"));
    // The same pieces with Black to move, or without the castling rights, are another position.
    EXPECT_EQ(setUpWithBook("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -"), "");
    EXPECT_EQ(bookMoveAfter(), 0);
    EXPECT_EQ(setUpWithBook("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - -"), "");
    EXPECT_EQ(bookMoveAfter(), 0);
    EXPECT_EQ(setUpWithBook(), "");
    EXPECT_NE(bookMoveAfter(), 0);
}

TEST_F(BookFile, TheDrawDecidesWhichLineWinsWhereLinesMeet) {
    writeBook("3\n", {line("e2e4 e7e5"), line("d2d4 d7d5"), line("c2c4 e7e5")});
    // Draw r holds back record 3 - r mod 3, which is stored last and owns the initial position.
    const std::vector<Move> expected = {line("c2c4")[0], line("d2d4")[0], line("e2e4")[0], line("c2c4")[0]};
    for (uint64_t draw = 0; draw < 4; ++draw) {
        drawnValue = draw;
        EXPECT_EQ(setUpWithBook(), "");
        EXPECT_EQ(bookMoveAfter(), expected[draw]) << draw;
        EXPECT_EQ(bookMoveAfter(line("e2e4")), line("e7e5")[0]);
        EXPECT_EQ(bookMoveAfter(line("d2d4")), line("d7d5")[0]);
    }
}

TEST(BookDraw, ConsecutiveSecondsReachEveryPartOfABigBook) {
    // A million-line book: draws of a thousand consecutive seconds fall far apart and mostly
    // beyond the first 32768 lines.
    constexpr uint64_t LINES = 1000000;
    std::vector<bool> seen(LINES);
    int distinct = 0, beyond = 0;
    for (uint64_t second = 1700000000; second < 1700001000; ++second) {
        const uint64_t pick = bookDrawOfSecond(second) % LINES;
        distinct += !seen[pick];
        seen[pick] = true;
        beyond += pick >= 32768;
    }
    EXPECT_GT(distinct, 990);
    EXPECT_GT(beyond, 900);
}

TEST(ShippedBook, LoadsWhole) {
    setUpPosition(INITIAL_POSITION_TEXT);
    EXPECT_TRUE(loadBook(game, TARNEK_BUILD_DIR "/Tarnek.book"));
    const Move first = bookMoveAfter();
    EXPECT_NE(first, 0);
    EXPECT_NE(bookMoveAfter(line("e2e4")), 0);
    EXPECT_NE(bookMoveAfter(line("d2d4 g8f6 c2c4")), 0);
    EXPECT_EQ(handFrame, handFrames);
}

}  // namespace
