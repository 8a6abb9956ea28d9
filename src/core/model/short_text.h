#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace varnelle {

// The 1 to 8 bytes at `p` as one word, for tests on every byte at once. They are read where
// they lie, in overlapping pieces: a word put together in memory would be read back slowly.
// Every byte of the answer is one of the text's, or of `filler` where fewer than four bytes
// leave room.
inline std::uint64_t shortTextWord(const char* p, std::size_t n, std::uint64_t filler) {
    const auto load = [p]<class Word>(std::size_t at, Word) {
        Word w;
        std::memcpy(&w, p + at, sizeof w);
        return std::uint64_t{w};
    };
    if (n >= 4) return load(0, std::uint32_t{}) | load(n - 4, std::uint32_t{}) << 32;
    if (n >= 2)
        return load(0, std::uint16_t{}) | load(n - 2, std::uint16_t{}) << 16 |
               (filler & ~0xFFFFFFFFull);
    return load(0, std::uint8_t{}) | (filler & ~0xFFull);
}

}  // namespace varnelle
