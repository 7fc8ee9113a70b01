// Setting up a game: the position of a text, a fresh game record, cleared tables and the book.
#pragma once

#include <cstdint>

#include "board/fen.h"

// The book the engine reads from its working folder at the start of a game.
inline constexpr const char* BOOK_FILE_NAME = "Tarnek.book";

// Store the book of a game from the initial position, the line `draw` chooses winning: the
// working folder's "Tarnek.book" when it has one, else the book installed with the program.
// False as loadBook, also when neither is there.
bool loadGameBook(uint64_t draw);

// What a set-up has to tell the user beyond its yes or no.
struct SetupNotes {
    bool bookError;                       // the initial position's book was missing or broken
    char unreadableMove[EPD_MOVE_SIZE];   // the EPD move text that refused the position, or ""
};

// Set up the position of `text`: board, game copy, history, search tables and, with `withBook`,
// the opening book. Returns false, changing nothing, when the text is refused. `notes`, when
// given, receives what the user should hear of it. `reversiblePlies`: plies played before the
// position since the last capture or pawn move (a FEN's halfmove clock), for the fifty-move rule.
// A game of `variant` reads and writes its castlings so; a Chess960 game has no book.
bool setPosition(const char* text, bool withBook, SetupNotes* notes = nullptr, int reversiblePlies = 0,
                 Variant variant = NORMAL_CHESS);

