// The opening book: lines from the initial position, stored into the transposition table.
#pragma once

// Load the book file into the transposition table; false when it could not be used whole.
bool loadBook(const char* fileName);
