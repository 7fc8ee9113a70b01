// Words that searching threads share without a lock (the transposition table, the pawn cache):
// each read and written whole, as relaxed atomics, which cost no more than plain loads and stores.
// A reader may see one word of a writer and the next of another, never half a word.
#pragma once

#include <atomic>
#include <cstdint>

inline uint32_t loadWord(const uint32_t& word) {
    return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(word)).load(std::memory_order_relaxed);
}

inline void storeWord(uint32_t& word, uint32_t value) {
    std::atomic_ref<uint32_t>(word).store(value, std::memory_order_relaxed);
}
