#include "game/setup.h"

#include <unistd.h>

#include <cstring>

#include "board/consistency.h"
#include "board/fen.h"
#include "book/book.h"
#include "book/san.h"
#include "eval/evaluate.h"
#include "game/enginethread.h"
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
    if (!own && installedDataFile(BOOK_FILE_NAME, installed, PLACE_SIZE)) return loadBook(game, installed, draw);
    return loadBook(game, BOOK_FILE_NAME, draw);
}

bool setPosition(const char* text, bool withBook, SetupNotes* notes, int reversiblePlies, Variant variant) {
    if (notes) *notes = SetupNotes{};
    Position& p = game.position;
    const Position previous = p;
    char epdMove[EPD_MOVE_SIZE];
    if (!readPosition(p, text, epdMove, variant)) return false;
    if (epdMove[0] && parseSan(p, epdMove) == 0) {
        if (notes) std::memcpy(notes->unreadableMove, epdMove, sizeof epdMove);
        p = previous;
        return false;
    }

    // The text is accepted: everything that belonged to the previous game goes.
    game.initialCastleRights = p.castleFlags;
    if (game.top)
        for (PlyRecord* record = game.top; record > game.history; --record) *record = PlyRecord{};
    game.top = game.history;
    game.top->key = p.hashKey;
    game.top->fiftyCounter =
        uint16_t(reversiblePlies < 0 ? 0 : reversiblePlies < FIFTY_MOVE_PLIES ? reversiblePlies : FIFTY_MOVE_PLIES);

    clearHashTable();
    // The book holds lines from the initial position only: any other position simply has no
    // book, which is no error to show the user. The game record keeps the line drawn, so that
    // a take-back finds the same book.
    const bool book = withBook && atBookStart(p);
    const uint64_t draw = book ? bookDraw() : 0;
    if (book && !loadGameBook(draw) && notes) notes->bookError = true;
    startGameRecord(book, draw);
    hashGeneration = 1;
    clearSearchMemory();
    clearPawnHashTable();
    INVARIANT(positionIsConsistent(game));
    return true;
}
