#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "core/model/amount.h"
#include "core/model/short_text.h"
#include "core/model/text_encoding.h"

namespace varnelle::cli {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;

bool needsEscape(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '"' || c == '\\' || u < 0x20 || u == 0x7F;
}

// The high bit of some byte of the answer is set when a byte of `w` needs an escape: the
// tests of needsEscape, on every byte of a word at once.
std::uint64_t escapes(std::uint64_t w) {
    // Some byte is below n (n at most 128).
    const auto below = [](std::uint64_t x, std::uint64_t n) {
        return (x - n * kWordOnes) & ~x & kWordHighs;
    };
    // Some byte equals b.
    const auto holds = [&below](std::uint64_t x, std::uint64_t b) {
        return below(x ^ (b * kWordOnes), 1);
    };
    return below(w, 0x20) | holds(w, '"') | holds(w, '\\') | holds(w, 0x7F);
}

// Whether none of the eight bytes at `p` needs an escape, nor a conversion when the text is
// in Windows-1252.
bool plain(const char* p, bool win1252) {
    const std::uint64_t w = textWord(p);
    return (escapes(w) | (win1252 ? w & kWordHighs : 0)) == 0;
}

// What a text holds that needs more than a copy: bytes to escape, bytes above ASCII.
struct Kinds {
    bool escapes = false;
    bool highs = false;
};

Kinds kindsOf(std::string_view text) {
    std::uint64_t escaped = 0, highs = 0;
    const auto look = [&](std::uint64_t w) {
        escaped |= escapes(w);
        highs |= w & kWordHighs;
        return false;  // every word is looked at
    };
    anyTextWord(text, kWordBlanks, look);  // blanks need nothing
    return {escaped != 0, highs != 0};
}

}  // namespace

JsonWriter::~JsonWriter() {
    flush();
}

void JsonWriter::beginObject() {
    open('{');
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[');
}
void JsonWriter::endArray() {
    close(']');
}

// Each call reserves room for all it writes once, then writes through a pointer: an
// operation takes a dozen calls, and a large budget a million.

void JsonWriter::key(std::string_view name) {
    room(separatorRoom() + kEscapeRoom * name.size() + 4);
    char* p = quoted(separate(at()), name, false);
    *p++ = ':';
    *p++ = ' ';
    done(p);
    afterKey_ = true;
}

std::string JsonWriter::headOf(std::string_view name) const {
    std::string bytes(separatorRoom() + kEscapeRoom * name.size() + 4, '\0');
    char* p = quoted(separator(bytes.data()), name, false);
    *p++ = ':';
    *p++ = ' ';
    bytes.resize(static_cast<std::size_t>(p - bytes.data()));
    return bytes;
}

void JsonWriter::head(std::string_view bytes) {
    room(bytes.size());
    std::memcpy(at(), bytes.data(), bytes.size());
    done(at() + bytes.size());
    separated();
    afterKey_ = true;
}

void JsonWriter::string(std::string_view utf8) {
    room(separatorRoom() + kEscapeRoom * utf8.size() + 2);
    done(quoted(separate(at()), utf8, false));
}

void JsonWriter::win1252String(std::string_view win1252) {
    room(separatorRoom() + kEscapeRoom * win1252.size() + 2);
    done(quoted(separate(at()), win1252, true));
}

std::string_view JsonWriter::amountText(long double value, ShortAmount& room) {
    char* const end = room + sizeof room;
    if (const char* begin = writeShortAmountBefore(end, value, '.'))
        return {begin, static_cast<std::size_t>(end - begin)};
    scratch_.clear();
    appendAmount(scratch_, value, '.');
    return scratch_;
}

void JsonWriter::amount(long double value) {
    ShortAmount shortText;
    const std::string_view text = amountText(value, shortText);
    room(separatorRoom() + text.size() + 2);
    done(inQuotes(separate(at()), text));
}

void JsonWriter::number(std::int64_t n) {
    room(separatorRoom() + 24);
    char* p = separate(at());
    done(std::to_chars(p, p + 24, n).ptr);
}

void JsonWriter::boolean(bool b) {
    const std::string_view text = b ? "true" : "false";
    room(separatorRoom() + text.size());
    done(std::copy(text.begin(), text.end(), separate(at())));
}

char* JsonWriter::separate(char* p) {
    p = separator(p);
    separated();
    return p;
}

char* JsonWriter::separator(char* p) const {
    if (!separates()) return p;
    if (hasItems_.back() != 0) *p++ = ',';
    return newLine(p);
}

void JsonWriter::separated() {
    if (separates()) hasItems_.back() = 1;
    afterKey_ = false;
}

void JsonWriter::open(char bracket) {
    room(separatorRoom() + 1);
    char* p = separate(at());
    *p++ = bracket;
    done(p);
    hasItems_.push_back(0);
}

void JsonWriter::close(char bracket) {
    const bool hadItems = hasItems_.back() != 0;
    hasItems_.pop_back();
    room(separatorRoom() + 2);
    char* p = at();
    if (hadItems) p = newLine(p);
    *p++ = bracket;
    if (hasItems_.empty()) *p++ = '\n';
    done(p);
}

char* JsonWriter::newLine(char* p) const {
    *p++ = '\n';
    const std::size_t indent = 2 * hasItems_.size();
    std::fill_n(p, indent, ' ');
    return p + indent;
}

char* JsonWriter::quoted(char* p, std::string_view text, bool win1252) {
    static constexpr char kHex[] = "0123456789abcdef";
    *p++ = '"';
    // Texts rarely need an escape: looked at a word at a time, they are copied or converted
    // whole.
    const Kinds kinds = kindsOf(text);
    if (!kinds.escapes) {
        if (win1252 && kinds.highs) {
            p = writeWin1252AsUtf8(p, text);
        } else if (!text.empty()) {
            std::memcpy(p, text.data(), text.size());
            p += text.size();
        }
        *p++ = '"';
        return p;
    }
    std::size_t run = 0;  // start of the bytes not yet copied
    const auto copyRun = [&](std::size_t end) {
        if (end > run) std::memcpy(p, text.data() + run, end - run);
        p += end - run;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Eight bytes that need nothing are passed over at once.
        while (i + 8 <= text.size() && plain(text.data() + i, win1252)) i += 8;
        if (i == text.size()) break;
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (win1252 && u >= 0x80) {
            copyRun(i);
            run = i + 1;
            p = writeWin1252AsUtf8(p, text.substr(i, 1));
            continue;
        }
        if (!needsEscape(c)) continue;
        copyRun(i);
        run = i + 1;
        *p++ = '\\';
        if (c == '"' || c == '\\') {
            *p++ = c;
        } else {
            for (const char e : {'u', '0', '0', kHex[u >> 4], kHex[u & 0xF]}) *p++ = e;
        }
    }
    copyRun(text.size());
    *p++ = '"';
    return p;
}

std::string JsonWriter::Records::asBlock(std::string bytes) {
    bytes.reserve(kBlock);  // a block can be read from it whole
    return bytes;
}

JsonWriter::Records::Records(JsonWriter& json) : json_(json) {
    // The lines as separate, open and close would write them at this depth.
    const std::string indent(2 * json.hasItems_.size(), ' ');
    openFirst_ = asBlock("\n" + indent + "{");
    openNext_ = asBlock("," + openFirst_);
    close_ = asBlock("\n" + indent + "}");
}

void JsonWriter::Records::firstObject() {
    json_.beginObject();
}

void JsonWriter::Records::endObject() {
    if (first_) {
        json_.endObject();
        first_ = false;
        return;
    }
    // An object without members closes right after it opens, as close() writes it.
    if (names_.empty()) {
        json_.room(1);
        json_.done(std::copy_n("}", 1, json_.at()));
        return;
    }
    json_.done(put(close_, 0));
}

char* JsonWriter::Records::otherMember(std::string_view name, std::size_t valueRoom) {
    if (first_) {
        names_.emplace_back(name);
        addresses_.push_back(name.data());
        heads_.push_back(asBlock(json_.headOf(name)));
        json_.key(name);
        json_.room(valueRoom);
        char* const p = json_.at();
        // The value follows its key: nothing separates them, and the object has an item.
        json_.separated();
        return p;
    }
    if (field_ >= names_.size() || names_[field_] != name)
        throw std::logic_error("JSON records whose members differ from the first one's");
    return put(heads_[field_++], valueRoom);
}

void JsonWriter::makeRoom(std::size_t n) {
    flush();
    if (buffer_.size() < std::max(n, kBufferBytes)) buffer_.resize(std::max(n, kBufferBytes));
}

void JsonWriter::flush() {
    if (used_ == 0) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

}  // namespace varnelle::cli
