#include "game/enginethread.h"

#include <chrono>
#include <memory>
#include <thread>

#include "game/gamerecord.h"
#include "ground/event.h"
#include "ground/log.h"
#include "search/control.h"
#include "search/root.h"
#include "search/transposition.h"

unsigned depthCeiling = DEEPEST_ITERATION;

namespace {

// One thread that searches: the first is the main search.
struct Searcher {
    std::thread handle;
    Event requestSignal;                   // automatic: a search, or the end, is asked of it
    Event idleSignal;                      // manual: set exactly while it waits for a request
    std::unique_ptr<SearchThread> state;   // everything it owns, from its start to its end
    SearchResult result;                   // its latest search's
    bool quit;
};

Searcher searchers[MAX_SEARCH_THREADS];
int searcherCount = 0;
// The threads that take part in the latest search.
int activeCount = 0;

// Written while every thread waits idle, read by them once the request arrives.
SearchRequest request;
SearchStart start;
std::chrono::steady_clock::time_point startTime;
// Written by the main search thread before it goes idle.
SearchResult answer;

// The longest single wait on an event; longer waits are made of such steps.
constexpr uint64_t LONGEST_WAIT_MS = 3600 * 1000;

// The board a search starts from: the game's, with the frame pointer at the root.
void prepareSearch(SearchThread& thread) {
    copyBoard(thread.board, game);
    thread.frames.current = thread.frames.plies;
}

// A level's answer: one of the lines of the main search's last whole iteration, drawn by the level.
void chooseLevelLine() {
    const IterationLines& lines = answer.lastLines;
    if (lines.count == 0) return;
    const int chosen = chooseLine(request.level, lines.first, lines.count, request.seed);
    answer.best = lines.first[chosen];
    answer.line = lines.moves[chosen];
    answer.depth = lines.depth;
    answer.bound = EXACT_BOUND;
    answer.selDepth = lines.selDepth;
}

// The answer of the threads' results: the main search's, unless a helper completed a deeper
// iteration of the same single line with an exact score; at a level, the line it draws.
void chooseAnswer() {
    answer = searchers[0].result;
    if (moveType(answer.best.move) == NOT_A_MOVE) return;
    if (request.level.nodes) return chooseLevelLine();
    if (request.limits.lines > 1) return;
    for (int i = 1; i < activeCount; ++i) {
        const SearchResult& helper = searchers[i].result;
        if (helper.depth > answer.depth && helper.bound == EXACT_BOUND && moveType(helper.best.move) != NOT_A_MOVE)
            answer = helper;
    }
}

// One search of the thread `index`. A helper searches quietly, one line, and its result is its
// last completed iteration; the main search reports, ends the helpers with its own end, and only
// then, with the table at rest, settles its result and chooses the answer.
void search(int index) {
    Searcher& me = searchers[index];
    SearchThread& thread = *me.state;
    prepareSearch(thread);
    if (index > 0) {
        SearchLimits limits = request.limits;
        limits.helper = index;
        limits.report = nullptr;
        limits.lines = 1;
        me.result = runIterations(thread, limits, start);
        return;
    }
    const SearchResult found = runIterations(thread, request.limits, start);
    stopFlag = 1;
    for (int i = 1; i < activeCount; ++i) waitEvent(searchers[i].idleSignal);
    me.result = settleResult(thread, found, start);
    chooseAnswer();
}

void searcherThread(int index) {
    Searcher& me = searchers[index];
    for (;;) {
        setEvent(me.idleSignal);
        waitEvent(me.requestSignal);
        if (me.quit) return;
        search(index);
    }
}

void startSearcher(int index) {
    Searcher& searcher = searchers[index];
    searcher.state = std::make_unique<SearchThread>();
    initEvent(searcher.requestSignal, false);
    initEvent(searcher.idleSignal, true);
    searcher.quit = false;
    startThread(searcher.handle, searcherThread, index);
    waitEvent(searcher.idleSignal);
}

void endSearcher(int index) {
    Searcher& searcher = searchers[index];
    searcher.quit = true;
    setEvent(searcher.requestSignal);
    joinThread(searcher.handle);
    searcher.state.reset();
}

void registerThreads() {
    SearchThread* threads[MAX_SEARCH_THREADS];
    for (int i = 0; i < searcherCount; ++i) threads[i] = searchers[i].state.get();
    setSearchingThreads(threads, searcherCount);
}

}  // namespace

uint64_t searchElapsedMs() {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - startTime).count();
    return ms > 0 ? uint64_t(ms) : 0;
}

void launchEngine() {
    startSearcher(0);
    searcherCount = 1;
    registerThreads();
}

void setSearchThreads(int count) {
    waitForSearch();
    count = count < 1 ? 1 : count > MAX_SEARCH_THREADS ? MAX_SEARCH_THREADS : count;
    for (; searcherCount < count; ++searcherCount) startSearcher(searcherCount);
    for (; searcherCount > count; --searcherCount) endSearcher(searcherCount - 1);
    registerThreads();
}

int searchThreads() { return searcherCount; }

void startSearch(const SearchRequest& newRequest) {
    waitForSearch();
    request = newRequest;
    const unsigned ceiling = depthCeiling < DEEPEST_ITERATION ? depthCeiling : DEEPEST_ITERATION;
    if (request.limits.depth > ceiling) request.limits.depth = ceiling;
    if (request.fromScratch) forgetHashEntry(game.position);
    if (request.level.nodes) {
        if (request.nodes > request.level.nodes) request.nodes = request.level.nodes;
        request.limits.shownLines = request.limits.lines;
        if (request.limits.lines < request.level.lines) request.limits.lines = request.level.lines;
    }
    start = searchStart(game);
    resetSearchControl(request.nodes);
    startTime = std::chrono::steady_clock::now();
    // A level searches on the main thread alone: more threads would play above it.
    activeCount = request.level.nodes ? 1 : searcherCount;
    for (int i = activeCount - 1; i >= 0; --i) {
        resetEvent(searchers[i].idleSignal);
        setEvent(searchers[i].requestSignal);
    }
}

void stopSearch() {
    lastIterationFlag = 1;
    stopFlag = 1;
}

void finishIteration() { lastIterationFlag = 1; }

void waitForSearch() { waitEvent(searchers[0].idleSignal); }

bool waitForSearch(uint64_t ms) {
    for (;;) {
        const uint64_t step = ms < LONGEST_WAIT_MS ? ms : LONGEST_WAIT_MS;
        if (waitEvent(searchers[0].idleSignal, uint32_t(step))) return true;
        ms -= step;
        if (ms == 0) return false;
    }
}

void endSearchAfterBudget() {
    finishIteration();
    uint64_t extraMs = 0;
    if (failLowFlag && extraTimeAfterFailLow(request.time, searchElapsedMs(), extraMs)) {
        logLine("-M: FL - Extra time");
        waitForSearch(extraMs);
    }
    stopSearch();
    waitForSearch();
}

void finishSearchByBudget(uint64_t tickMs, void (*tick)()) {
    const uint64_t budgetMs = firstWaitMs(request.time);
    for (;;) {
        const uint64_t elapsed = searchElapsedMs();
        if (elapsed >= budgetMs) break;
        uint64_t step = budgetMs - elapsed;
        if (tick && tickMs && tickMs - elapsed % tickMs < step) step = tickMs - elapsed % tickMs;
        if (waitForSearch(step)) break;
        const uint64_t now = searchElapsedMs();
        if (tick && tickMs && now >= tickMs && now < budgetMs) tick();
    }
    endSearchAfterBudget();
}

SearchProgress searchProgress() {
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
    return SearchProgress{currentRootDepth.load(std::memory_order_relaxed), currentRootMove.load(std::memory_order_relaxed),
                          currentRootMoveNumber.load(std::memory_order_relaxed), totalNodes(), hashFullPermille(),
                          us > 0 ? uint64_t(us) : 0};
}

bool resizeTable(int megabytes) { return resizeHashTable(hashBucketsFor(megabytes)); }

void clearTable() { clearHashTable(); }

const SearchResult& searchResult() { return answer; }

void clearSearchMemory() {
    for (int i = 0; i < searcherCount; ++i) {
        forgetKillers(searchers[i].state->frames);
        forgetCutoffCounters(searchers[i].state->frames);
    }
}

void clearCutoffCounters() {
    for (int i = 0; i < searcherCount; ++i) forgetCutoffCounters(searchers[i].state->frames);
}

void quitEngine() {
    stopSearch();
    waitForSearch();
    for (int i = searcherCount - 1; i >= 0; --i) endSearcher(i);
    searcherCount = 0;
    setSearchingThreads(nullptr, 0);
}
