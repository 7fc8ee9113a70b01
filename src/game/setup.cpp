#include "game/setup.h"

#include <unistd.h>

#include <cstring>

#include "board/consistency.h"
#include "board/fen.h"
#include "book/book.h"
#include "book/san.h"
#include "eval/evaluate.h"
#include "frames/frames.h"
#include "game/gamerecord.h"
#include "ground/invariant.h"
#include "ground/places.h"
#include "search/transposition.h"

namespace {

// From a hundred reversible plies on the game is drawn by the fifty-move rule: higher counts
// mean nothing more.
constexpr int FIFTY_MOVE_PLIES = 100;

}  // namespace

// A book in the working folder is the user's choice and wins, even a broken one (which the user
// is then told of); without one, a GUI that starts the engine elsewhere still finds the
// installed book.
bool loadGameBook(uint64_t draw) {
    char installed[PLACE_SIZE];
    const bool own = access(BOOK_FILE_NAME, F_OK) == 0;
    if (!own && installedDataFile(BOOK_FILE_NAME, installed, PLACE_SIZE)) return loadBook(installed, draw);
    return loadBook(BOOK_FILE_NAME, draw);
}

bool setPosition(const char* text, bool withBook, SetupNotes* notes, int reversiblePlies) {
    if (notes) *notes = SetupNotes{};
    const Position previous = position;
    char epdMove[EPD_MOVE_SIZE];
    if (!readPosition(text, epdMove)) return false;
    if (epdMove[0] && parseSan(epdMove) == 0) {
        if (notes) std::memcpy(notes->unreadableMove, epdMove, sizeof epdMove);
        position = previous;
        return false;
    }

    // The text is accepted: everything that belonged to the previous game goes.
    initialCastleRights = position.castleFlags;
    for (PlyRecord* record = historyTop; record > positionHistory; --record) *record = PlyRecord{};
    historyTop = positionHistory;
    historyTop->key = position.hashKey;
    historyTop->fiftyCounter =
        uint16_t(reversiblePlies < 0 ? 0 : reversiblePlies < FIFTY_MOVE_PLIES ? reversiblePlies : FIFTY_MOVE_PLIES);

    std::memcpy(gameBoard.board, position.board, sizeof gameBoard.board);
    gameBoard.epSquare = position.epSquare;
    gameBoard.castleFlags = position.castleFlags;
    gameBoard.kingSquare[WHITE] = position.kingSquare[WHITE];
    gameBoard.kingSquare[BLACK] = position.kingSquare[BLACK];
    gameBoard.sideToMove = position.sideToMove;

    clearHashTable();
    // The book holds lines from the initial position only: any other position simply has no
    // book, which is no error to show the user. The game record keeps the line drawn, so that
    // a take-back finds the same book.
    const bool book = withBook && atBookStart();
    const uint64_t draw = book ? bookDraw() : 0;
    if (book && !loadGameBook(draw) && notes) notes->bookError = true;
    startGameRecord(book, draw);
    hashGeneration = 1;
    clearSearchMemory();
    clearPawnHashTable();
    INVARIANT(positionIsConsistent());
    return true;
}
