#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

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

// Eight bytes to be tested at once: one in every byte, the high bit of every byte, and
// blanks, the filler for texts whose bytes are tested for control characters.
inline constexpr std::uint64_t kWordOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kWordHighs = 0x8080808080808080ull;
inline constexpr std::uint64_t kWordBlanks = 0x2020202020202020ull;

// The eight bytes at `p` as one word.
inline std::uint64_t textWord(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Hands every byte of `text` to look(word), eight at a time: whole words from the start, then
// the last eight bytes, overlapping the word before; a shorter text is one word, filled with
// `filler`. Stops at the first look that answers true, and answers whether one did.
template <class Look> bool anyTextWord(std::string_view text, std::uint64_t filler, Look look) {
    const char* const p = text.data();
    const std::size_t n = text.size();
    if (n == 0) return false;
    if (n < 8) return look(shortTextWord(p, n, filler));
    for (std::size_t i = 0; i + 8 <= n; i += 8)
        if (look(textWord(p + i))) return true;
    return look(textWord(p + n - 8));
}

// FNV-1a over a text of a few bytes (a code, a date, a label cut to a bar's width): less
// than the library's string hash, which is a call.
inline std::size_t shortTextHash(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h ^ (h >> 16);
}

}  // namespace varnelle
