// Ending a timed search whose budget is spent: no new iteration, extra time when the root is
// being re-searched after a fail low (the front end's rule says how much), then an abort.
#pragma once

#include <chrono>
#include <cstdint>

// A front end's rule for extra time after a fail low, `elapsedMs` into the search: false when
// it grants none; otherwise true, with the most the search may still take in `extraMs`.
using ExtraTimeRule = bool (*)(uint32_t elapsedMs, uint32_t& extraMs);

// End the search started at `searchStart`: it starts no new iteration; a fail low granted extra
// time by `rule` may finish its iteration within it ("-M: FL - Extra time" in the log); then it
// is aborted. Returns when the engine thread waits idle.
void endSearchAfterBudget(std::chrono::steady_clock::time_point searchStart, ExtraTimeRule rule);
