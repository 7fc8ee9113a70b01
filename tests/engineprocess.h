// Driving a built program as a child process through pipes, the way a GUI drives the engine.
// Each session runs in a fresh temporary folder (the engine writes its log where it runs).
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifndef TARNEK_BUILD_DIR
#define TARNEK_BUILD_DIR "."
#endif

// Generous: the machine may be slow and loaded; a session that needs longer has hung.
constexpr int DEFAULT_SESSION_TIMEOUT_MS = 60000;

struct EngineProcess {
    pid_t pid = -1;
    int input = -1;            // our end of the child's standard input
    int output = -1;           // our end of the child's standard output
    std::string folder;        // the child's working folder
    std::string received;      // everything read from the child so far
    bool outputClosed = false;
};

inline std::string engineProgram() { return TARNEK_BUILD_DIR "/tarnek"; }

// A new empty folder under the system's temporary folder.
inline std::string makeTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnek-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

// Start `program` with piped standard input and output, in `folder`, or in a fresh temporary
// folder when none is given.
inline bool startProcess(EngineProcess& process, const std::string& program = engineProgram(),
                         const std::string& folder = {}) {
    signal(SIGPIPE, SIG_IGN);   // a child that has already ended must not end the test run
    process.folder = folder.empty() ? makeTemporaryFolder() : folder;
    int toChild[2], fromChild[2];
    if (process.folder.empty() || pipe(toChild) != 0) return false;
    if (pipe(fromChild) != 0) return false;
    process.pid = fork();
    if (process.pid < 0) return false;
    if (process.pid == 0) {
        if (chdir(process.folder.c_str()) != 0) _exit(126);
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        close(toChild[0]);
        close(toChild[1]);
        close(fromChild[0]);
        close(fromChild[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    process.input = toChild[1];
    process.output = fromChild[0];
    fcntl(process.output, F_SETFL, fcntl(process.output, F_GETFL) | O_NONBLOCK);
    return true;
}

inline int millisecondsSince(std::chrono::steady_clock::time_point start) {
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// Read whatever the child has written within `waitMs`; false once its output has closed.
inline bool collectOutput(EngineProcess& process, int waitMs) {
    if (process.outputClosed) return false;
    pollfd ready{process.output, POLLIN, 0};
    if (poll(&ready, 1, waitMs) <= 0) return true;
    char buffer[4096];
    for (;;) {
        ssize_t count = read(process.output, buffer, sizeof buffer);
        if (count > 0) {
            process.received.append(buffer, size_t(count));
            continue;
        }
        if (count == 0) process.outputClosed = true;
        return !process.outputClosed;
    }
}

// Write all of `text` to the child's input, reading its output meanwhile so neither side blocks.
inline bool sendText(EngineProcess& process, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        pollfd ready{process.input, POLLOUT, 0};
        if (poll(&ready, 1, 10) > 0) {
            ssize_t count = write(process.input, text.data() + written, text.size() - written);
            if (count < 0) return false;
            written += size_t(count);
        }
        collectOutput(process, 0);
    }
    return true;
}

// Read output until `expected` has appeared after position `from` (or anywhere when 0).
inline bool waitForOutput(EngineProcess& process, const std::string& expected, size_t from = 0,
                          int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
    const auto start = std::chrono::steady_clock::now();
    while (process.received.find(expected, from) == std::string::npos) {
        if (millisecondsSince(start) > timeoutMs) return false;
        if (!collectOutput(process, 20) && process.received.find(expected, from) == std::string::npos) return false;
    }
    return true;
}

// Close the child's input (end of file for it).
inline void closeInput(EngineProcess& process) {
    if (process.input >= 0) close(process.input);
    process.input = -1;
}

// Wait for the child's end, reading its output; kill it when `timeoutMs` pass first.
// Returns its exit status, or -1 when it had to be killed or ended by a signal.
inline int waitForExit(EngineProcess& process, int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    for (;;) {
        collectOutput(process, 10);
        pid_t done = waitpid(process.pid, &status, WNOHANG);
        if (done == process.pid) break;
        if (millisecondsSince(start) > timeoutMs) {
            kill(process.pid, SIGKILL);
            waitpid(process.pid, &status, 0);
            status = -1;
            break;
        }
    }
    while (collectOutput(process, 0)) {
    }
    closeInput(process);
    if (process.output >= 0) close(process.output);
    process.output = -1;
    process.pid = -1;
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// The whole content of a file in the child's folder.
inline std::string readFolderFile(const EngineProcess& process, const char* name) {
    std::ifstream file(process.folder + "/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

inline void removeFolder(EngineProcess& process) {
    std::error_code ignored;
    if (!process.folder.empty()) std::filesystem::remove_all(process.folder, ignored);
}

// What a whole session left: the engine's output, its log and how it ended.
struct SessionResult {
    std::string output;
    std::string log;        // the child's Tarnek.log
    int exitStatus = -1;
};

// The rest of a session on a started process: send `input`, close the input when asked, wait for
// the end, and clear the folder away.
inline SessionResult finishSession(EngineProcess& process, const std::string& input, bool closeAtEnd = true,
                                   int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
    SessionResult result;
    sendText(process, input);
    if (closeAtEnd) closeInput(process);
    result.exitStatus = waitForExit(process, timeoutMs);
    result.output = process.received;
    result.log = readFolderFile(process, "Tarnek.log");
    removeFolder(process);
    return result;
}

// One whole session in a fresh folder.
inline SessionResult runSession(const std::string& input, bool closeAtEnd = true,
                                int timeoutMs = DEFAULT_SESSION_TIMEOUT_MS) {
    EngineProcess process;
    if (!startProcess(process)) return {};
    return finishSession(process, input, closeAtEnd, timeoutMs);
}
