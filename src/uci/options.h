// The engine's options as the GUI sets them: OwnBook and Debug Log File.
#pragma once

#include "uci/inputline.h"

// OwnBook: play from "Tarnek.book" in the working folder (set up with every new game from the
// initial position); otherwise the engine never plays a book move.
extern bool ownBook;

// Send one "option" line per option, as the answer to "uci" lists them.
void sendOptionLines();

// "setoption" with the words after it: name <id> [value <x>]. The name is read without regard
// to letter case; an unknown name or an unreadable value changes nothing.
void setOption(const Word* words, int count);
