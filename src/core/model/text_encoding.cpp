#include "core/model/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace varnelle {
namespace {

// Code points of bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> kPlageC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePoint(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? kPlageC1[c - 0x80] : c;
}

std::optional<unsigned char> byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kPlageC1.size(); ++i)
        if (kPlageC1[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

char* copie(char* out, std::string_view bytes) {
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

char* writeUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

}  // namespace

std::string win1252ToUtf8(std::string_view bytes) {
    std::string out(kMaxUtf8ParOctet * bytes.size(), '\0');
    out.resize(static_cast<std::size_t>(writeWin1252AsUtf8(out.data(), bytes) - out.data()));
    return out;
}

char* writeWin1252AsUtf8(char* out, std::string_view bytes) {
    // Runs of ASCII, nearly all of a French text, are copied whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) continue;
        out = writeUtf8(copie(out, bytes.substr(run, i - run)), codePoint(c));
        run = i + 1;
    }
    return copie(out, bytes.substr(run));
}

std::optional<std::string> utf8ToWin1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2;
            cp = lead & 0x0F;
        } else {
            // Four-byte sequences lie outside the set anyway.
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= utf8.size()) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) return std::nullopt;
        const auto byte = byteOf(cp);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view text) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byteAt(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // what the second byte may be
        if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > text.size() || byteAt(i + 1) < low || byteAt(i + 1) > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((byteAt(i + k) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

bool isTypeableWin1252(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return false;
    return !(c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D);
}

unsigned char upperWin1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
    }
}

std::string upperWin1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(upperWin1252(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace varnelle
