#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>

#include "core/model/amount.h"
#include "core/model/text_encoding.h"

namespace varnelle::cli {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;

bool needsEscape(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '"' || c == '\\' || u < 0x20 || u == 0x7F;
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

void JsonWriter::key(std::string_view name) {
    beginValue();
    writeQuoted(name);
    put(std::string_view(": "));
    afterKey_ = true;
}

void JsonWriter::string(std::string_view utf8) {
    beginValue();
    writeQuoted(utf8);
}

void JsonWriter::win1252String(std::string_view win1252) {
    for (const char c : win1252) {
        if (needsEscape(c)) {
            // Escapes are ASCII, the same in both code pages: the slow way is rare.
            string(win1252ToUtf8(win1252));
            return;
        }
    }
    beginValue();
    scratch_.clear();
    scratch_ += '"';
    appendWin1252AsUtf8(scratch_, win1252);
    scratch_ += '"';
    put(scratch_);
}

void JsonWriter::amount(long double value) {
    beginValue();
    scratch_.clear();
    scratch_ += '"';
    appendAmount(scratch_, value, '.');
    scratch_ += '"';
    put(scratch_);
}

void JsonWriter::number(std::int64_t n) {
    beginValue();
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void JsonWriter::boolean(bool b) {
    beginValue();
    put(b ? std::string_view("true") : std::string_view("false"));
}

void JsonWriter::beginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back() != 0) put(',');
    hasItems_.back() = 1;
    newLine();
}

void JsonWriter::open(char bracket) {
    beginValue();
    put(bracket);
    hasItems_.push_back(0);
}

void JsonWriter::close(char bracket) {
    const bool hadItems = hasItems_.back() != 0;
    hasItems_.pop_back();
    if (hadItems) newLine();
    put(bracket);
    if (hasItems_.empty()) put('\n');
}

void JsonWriter::newLine() {
    // A line break and the indentation of most depths in one copy.
    static constexpr char kIndent[] = "\n                                ";
    const std::size_t length = 1 + 2 * hasItems_.size();
    if (length < sizeof kIndent) {
        put(std::string_view(kIndent, length));
    } else {
        put('\n');
        for (std::size_t i = 0; i < hasItems_.size(); ++i) put(std::string_view("  "));
    }
}

void JsonWriter::writeQuoted(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    put('"');
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (!needsEscape(c)) continue;
        put(utf8.substr(run, i - run));
        run = i + 1;
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            const char escape[] = {'\\', c};
            put(std::string_view(escape, sizeof escape));
        } else {
            const char escape[] = {'\\', 'u', '0', '0', kHex[u >> 4], kHex[u & 0xF]};
            put(std::string_view(escape, sizeof escape));
        }
    }
    put(utf8.substr(run));
    put('"');
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
