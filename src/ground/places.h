// Where the programs find the files installed with them, and where a user's own files go when
// the working folder will not take them.
#pragma once

// Room for any path these functions write.
inline constexpr int PLACE_SIZE = 4096;

// The path of `name` among the data installed with the running program: ../share/games/tarnek/
// beside the program's folder (Debian's layout: /usr/games and /usr/share/games/tarnek), else
// ../share/tarnek/ (an install under a prefix: bin/ and share/tarnek/); on Windows the program's
// own folder. False when none holds it.
bool installedDataFile(const char* name, char* path, int size);

// The path of `name` in the user's own folder for the program's state: $XDG_STATE_HOME/tarnek, or
// ~/.local/state/tarnek, made (readable by the user alone) when missing; on Windows
// %LOCALAPPDATA%\Tarnek, made when missing. False when there is none.
bool userStateFile(const char* name, char* path, int size);
