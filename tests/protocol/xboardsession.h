// What the xboard session tests share: the handshake's bytes, the engine's moves read from its
// output, and the check that a line of moves is legal from a position.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "board/notation.h"
#include "engineprocess.h"
#include "frames/frames.h"
#include "game/gamemove.h"
#include "support.h"

inline const std::string HANDSHAKE = "\nfeature done=0\nfeature setboard=1\nfeature done=1\n";
inline const std::string BOOK_ERROR = "tellusererror BOOK ERROR!\n";

// Clocks for a searched move: a tenth of a second (a budget of 20 ms), and two seconds.
inline const std::string QUICK_CLOCK = "time 100\notim 100\n";
inline const std::string CLOCK = "time 2000\notim 2000\n";

// The output with the book's complaint removed: the test folders hold no book.
inline std::string withoutBookErrors(std::string output) {
    for (size_t at; (at = output.find(BOOK_ERROR)) != std::string::npos;) output.erase(at, BOOK_ERROR.size());
    return output;
}

// A whole session; the book's complaint, printed at every set-up, is left out of the output.
inline SessionResult play(const std::string& input) {
    SessionResult session = runSession(input);
    session.output = withoutBookErrors(session.output);
    return session;
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The engine's moves, in order.
inline std::vector<std::string> engineMoves(const std::string& output) {
    std::vector<std::string> moves;
    for (const std::string& line : linesOf(output))
        if (line.rfind("move ", 0) == 0) moves.push_back(line.substr(5));
    return moves;
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Play `moves` from the position `text` in this process: each must be legal in its turn.
inline ::testing::AssertionResult legalLine(const char* text, const std::vector<std::string>& moves) {
    initTablesOnce();
    if (!setPosition(text, false)) return ::testing::AssertionFailure() << "refused: " << text;
    for (const std::string& word : moves) {
        Move move = textToMove(game.position, word.c_str());
        if (!isLegalGameMove(move)) return ::testing::AssertionFailure() << "illegal: " << word;
        playGameMove(move);
    }
    return ::testing::AssertionSuccess();
}

// Start the engine in a fresh folder that holds the built opening book.
inline bool startWithBook(EngineProcess& process) {
    const std::string folder = makeTemporaryFolder();
    std::error_code failed;
    std::filesystem::copy_file(TARNEK_BUILD_DIR "/Tarnek.book", folder + "/Tarnek.book", failed);
    return !failed && startProcess(process, engineProgram(), folder);
}

// A whole session in a folder that holds the built opening book.
inline SessionResult playWithBook(const std::string& input) {
    EngineProcess process;
    if (!startWithBook(process)) return {};
    return finishSession(process, input);
}
