// Turns a text file of opening lines into the binary book the engine reads at every new game.
//
//   tarnek-makebook IN OUT
//
// IN holds one line per text line, moves in coordinate notation from the initial position
// ("e2e4 e7e5 g1f3"; castling as the king's move, promotions with a lower-case letter);
// "#" starts a comment. Every move is replayed and must be legal where it stands; on the first
// one that is not, the file, line and move are named and nothing is written.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arguments.h"
#include "board/attacks.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "book/book.h"
#include "eval/tables.h"
#include "game/gamerecord.h"
#include "game/setup.h"
#include "movegen/legality.h"

namespace {

const char* const USAGE = "usage: tarnek-makebook IN OUT";
const char* const HELP =
    "Reads opening lines from the text file IN (moves in coordinate notation from the initial\n"
    "position, one line per opening, \"#\" starts a comment) and writes the book OUT.\n";

// An argument that reads as an option: this tool has none but --help.
bool looksLikeOption(const char* argument) { return argument[0] == '-' && argument[1] != 0; }

// The legal move of the game's position written as `text`, or 0.
Move findMove(const std::string& text) {
    Move moves[MAX_LIST_MOVES];
    const int count = legalMoves(game, moves);
    for (int i = 0; i < count; ++i) {
        char written[MOVE_TEXT_SIZE];
        moveToText(written, moves[i]);
        if (text == written) return moves[i];
    }
    return 0;
}

// Replay one line's moves from the initial position; on success `moves` holds their codes.
// Returns the index of the first move that is not legal, or -1 when all are.
int readLine(const std::vector<std::string>& words, std::vector<Move>& moves) {
    moves.clear();
    std::vector<UndoRecord> undos;
    int failed = -1;
    for (const std::string& word : words) {
        const Move move = findMove(word);
        if (move == 0) {
            failed = int(moves.size());
            break;
        }
        undos.emplace_back();
        saveUndo(game.position, undos.back());
        makeMove(game, move, undos.back());
        moves.push_back(move);
    }
    for (size_t i = moves.size(); i-- > 0;) unmakeMove(game, moves[i], undos[i]);
    return failed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && answeredHelp(argv[1], USAGE, HELP)) return 0;
    if (argc != 3 || looksLikeOption(argv[1]) || looksLikeOption(argv[2])) return refuseArguments(USAGE);
    const char* inName = argv[1];
    const char* outName = argv[2];
    std::ifstream in(inName);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", inName);
        return 1;
    }

    initBoardTables();
    initEvalTables();
    setPosition(INITIAL_POSITION_TEXT, false);

    std::vector<std::vector<Move>> lines;
    std::string text;
    for (int lineNumber = 1; std::getline(in, text); ++lineNumber) {
        std::istringstream words(text.substr(0, text.find('#')));
        std::vector<std::string> tokens;
        for (std::string word; words >> word;) tokens.push_back(word);
        if (tokens.empty()) continue;
        if (tokens.size() > size_t(MAX_BOOK_LINE)) {
            std::fprintf(stderr, "%s:%d: %zu moves; a book line holds at most %d\n", inName, lineNumber,
                         tokens.size(), MAX_BOOK_LINE);
            return 1;
        }
        std::vector<Move> moves;
        const int failed = readLine(tokens, moves);
        if (failed >= 0) {
            std::fprintf(stderr, "%s:%d: move %d \"%s\" is not legal here\n", inName, lineNumber, failed + 1,
                         tokens[failed].c_str());
            return 1;
        }
        lines.push_back(moves);
    }
    if (lines.empty()) {
        std::fprintf(stderr, "%s: no lines\n", inName);
        return 1;
    }

    std::ofstream out(outName, std::ios::binary | std::ios::trunc);
    out << lines.size() << '\n';
    for (const std::vector<Move>& moves : lines) {
        out.put(char(moves.size()));
        for (Move move : moves) {
            out.put(char(move & 0xFF));
            out.put(char(move >> 8));
        }
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot be written\n", outName);
        std::remove(outName);
        return 1;
    }
    std::printf("%s: %zu lines\n", outName, lines.size());
    return 0;
}
