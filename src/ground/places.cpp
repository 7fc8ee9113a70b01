#include "ground/places.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool fits(int written, int size) { return written > 0 && written < size; }

}  // namespace

#ifdef _WIN32

// Windows: the programs come unpacked in one folder with their data (the zip's layout), and a
// user's own files belong in %LOCALAPPDATA%.

bool installedDataFile(const char* name, char* path, int size) {
    path[0] = 0;
    char program[PLACE_SIZE];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) return false;
    char* lastSlash = std::strrchr(program, '\\');
    if (!lastSlash) return false;
    *lastSlash = 0;
    if (fits(std::snprintf(path, size_t(size), "%s\\%s", program, name), size) &&
        GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    path[0] = 0;
    return false;
}

bool userStateFile(const char* name, char* path, int size) {
    path[0] = 0;
    const char* local = std::getenv("LOCALAPPDATA");
    char folder[PLACE_SIZE];
    if (!local || !local[0] || !fits(std::snprintf(folder, sizeof folder, "%s\\Tarnek", local), int(sizeof folder)))
        return false;
    if (!CreateDirectoryA(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    if (fits(std::snprintf(path, size_t(size), "%s\\%s", folder, name), size)) return true;
    path[0] = 0;
    return false;
}

#else

namespace {

// The data folders tried beside the program's own folder, Debian's first.
constexpr const char* DATA_FOLDERS[] = {"/../share/games/tarnek/", "/../share/tarnek/"};

// Make every missing folder of `path` (an absolute path), each readable by the user alone.
bool makeFolders(char* path) {
    for (char* slash = std::strchr(path + 1, '/');; slash = std::strchr(slash + 1, '/')) {
        if (slash) *slash = 0;
        const bool made = mkdir(path, 0700) == 0 || errno == EEXIST;
        if (slash) *slash = '/';
        if (!made) return false;
        if (!slash) return true;
    }
}

// The user's home: $HOME, or the password database's entry when it is unset.
const char* homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir && user->pw_dir[0] == '/' ? user->pw_dir : nullptr;
}

}  // namespace

bool installedDataFile(const char* name, char* path, int size) {
    path[0] = 0;
    char program[PLACE_SIZE];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return false;
    program[length] = 0;
    char* lastSlash = std::strrchr(program, '/');
    if (!lastSlash) return false;
    *lastSlash = 0;
    for (const char* folder : DATA_FOLDERS) {
        if (fits(std::snprintf(path, size_t(size), "%s%s%s", program, folder, name), size) &&
            access(path, R_OK) == 0)
            return true;
    }
    path[0] = 0;
    return false;
}

bool userStateFile(const char* name, char* path, int size) {
    path[0] = 0;
    // A relative XDG_STATE_HOME is to be ignored, as if unset.
    const char* state = std::getenv("XDG_STATE_HOME");
    char folder[PLACE_SIZE];
    int written = 0;
    if (state && state[0] == '/') {
        written = std::snprintf(folder, sizeof folder, "%s/tarnek", state);
    } else if (const char* home = homeFolder()) {
        written = std::snprintf(folder, sizeof folder, "%s/.local/state/tarnek", home);
    }
    if (!fits(written, int(sizeof folder)) || !makeFolders(folder)) return false;
    if (fits(std::snprintf(path, size_t(size), "%s/%s", folder, name), size)) return true;
    path[0] = 0;
    return false;
}

#endif
