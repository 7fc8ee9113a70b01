#include "book/book.h"

// The book is not read yet: every game is played from the search alone.
bool loadBook(const char*) { return false; }
