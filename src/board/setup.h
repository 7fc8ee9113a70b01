// Building the whole board state from a position text (FEN, optionally one EPD "bm"/"am").
#pragma once

// The text of the initial position as the game commands set it up.
inline constexpr const char* INITIAL_POSITION_TEXT = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// Set up the position of `text`: board, game copy, history, search tables and, with `withBook`,
// the opening book. Returns false, changing nothing, when the text is refused.
bool setPosition(const char* text, bool withBook);

// Hand the move to `side` without touching the pieces. The en-passant square goes (it belonged
// to the side that was to move); refused, changing nothing, when the king of the side that would
// wait stands attacked.
bool setSideToMove(int side);
