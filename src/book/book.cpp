#include "book/book.h"

#include <ctime>
#include <fstream>
#include <limits>

#include "board/castling.h"
#include "board/checks.h"
#include "board/makemove.h"
#include "frames/frames.h"
#include "ground/random.h"
#include "movegen/generators.h"
#include "search/transposition.h"

uint64_t (*bookDraw)() = timeBookDraw;

namespace {

struct BookLine {
    int count;
    Move moves[MAX_BOOK_LINE];
};

enum RecordRead { RECORD_COMPLETE, RECORD_CUT_SHORT, RECORD_TOO_LONG };

RecordRead readRecord(std::istream& in, BookLine& line) {
    char count;
    if (!in.get(count)) return RECORD_CUT_SHORT;
    const int n = uint8_t(count);
    if (n > MAX_BOOK_LINE) return RECORD_TOO_LONG;
    unsigned char bytes[2 * MAX_BOOK_LINE];
    in.read(reinterpret_cast<char*>(bytes), 2 * n);
    if (in.gcount() != 2 * n) return RECORD_CUT_SHORT;
    line.count = n;
    for (int i = 0; i < n; ++i) line.moves[i] = Move(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return RECORD_COMPLETE;
}

// True when `move` is among the generated moves of the position.
bool isGenerated(const Position& p, Move move) {
    ScoredMove list[MAX_LIST_MOVES];
    PlyFrame scratch{};
    const ScoredMove* end = generateList(p, ALL_MOVES, list, scratch);
    for (const ScoredMove* entry = list; entry != end; ++entry)
        if (entry->move == move) return true;
    return false;
}

// The records after the header: every line but the held-back one in file order, then that one.
bool storeLines(Board& board, std::istream& in, long long declared, uint64_t draw) {
    const long long heldBackAt = 1 + static_cast<long long>(draw % uint64_t(declared));
    long long remaining = declared;
    BookLine line, heldBack;
    bool held = false;
    while (in.good()) {
        const bool holdThis = remaining == heldBackAt;
        const RecordRead read = readRecord(in, holdThis ? heldBack : line);
        if (read == RECORD_TOO_LONG) return false;
        if (read == RECORD_CUT_SHORT) break;
        if (holdThis) held = true;
        else if (!replayBookLine(board, line.moves, line.count)) return false;
        --remaining;
    }
    if (!held || !replayBookLine(board, heldBack.moves, heldBack.count)) return false;
    return remaining == 0;
}

}  // namespace

bool atBookStart(const Position& p) {
    return p.hashKey == initialPositionKey() && p.sideToMove == WHITE && (p.castleFlags & CASTLE_RIGHTS) == CASTLE_RIGHTS &&
           p.castling.variant == NORMAL_CHESS;
}

uint64_t bookDrawOfSecond(uint64_t second) { return splitMix(second); }

uint64_t timeBookDraw() { return bookDrawOfSecond(uint64_t(std::time(nullptr))); }

Move bookMove(const Position& p) {
    HashEntry entry;
    if (!probeHash(p, entry) || entryGeneration(entry) != 0) return 0;
    return entryMove(entry);
}

bool replayBookLine(Board& board, const Move* moves, int count) {
    UndoRecord undos[MAX_BOOK_LINE];
    int made = 0;
    bool legal = true;
    for (; made < count; ++made) {
        const Move move = moves[made];
        const int us = board.position.sideToMove;
        if (!isGenerated(board.position, move)) {
            legal = false;
            break;
        }
        saveUndo(board.position, undos[made]);
        makeMove(board, move, undos[made]);
        // A move that leaves the own king attacked would be played unchecked from the table.
        if (leavesKingAttacked(board.position, move, us)) {
            unmakeMove(board, move, undos[made]);
            legal = false;
            break;
        }
    }
    while (made > 0) {
        --made;
        unmakeMove(board, moves[made], undos[made]);
        if (legal) storeBookEntry(board.position, moves[made]);
    }
    return legal;
}

bool loadBook(Board& board, const char* fileName, uint64_t draw) {
    if (!atBookStart(board.position)) return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    long long declared = 0;
    in >> declared;
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    if (!in.good() || declared <= 0) return false;

    // Book entries carry generation 0.
    const uint16_t savedGeneration = hashGeneration;
    hashGeneration = 0;
    const bool whole = storeLines(board, in, declared, draw);
    hashGeneration = savedGeneration;
    return whole;
}
