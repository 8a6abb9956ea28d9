#include "cli/json_writer.h"

#include <charconv>

#include "core/model/amount.h"
#include "core/model/text_encoding.h"

namespace varnelle::cli {
namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 16;

bool needsEscape(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '"' || c == '\\' || u < 0x20 || u == 0x7F;
}

}  // namespace

JsonWriter::~JsonWriter() {
    if (!buffer_.empty()) out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
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
    flushIfLarge();
}

void JsonWriter::key(std::string_view name) {
    beginValue();
    writeQuoted(name);
    buffer_ += ": ";
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
    buffer_ += '"';
    appendWin1252AsUtf8(buffer_, win1252);
    buffer_ += '"';
}

void JsonWriter::amount(long double value) {
    beginValue();
    buffer_ += '"';
    appendAmount(buffer_, value, '.');
    buffer_ += '"';
}

void JsonWriter::number(std::int64_t n) {
    beginValue();
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    buffer_.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

void JsonWriter::boolean(bool b) {
    beginValue();
    buffer_ += b ? "true" : "false";
}

void JsonWriter::beginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) buffer_ += ',';
    hasItems_.back() = true;
    newLine();
}

void JsonWriter::open(char bracket) {
    beginValue();
    buffer_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    const bool hadItems = hasItems_.back();
    hasItems_.pop_back();
    if (hadItems) newLine();
    buffer_ += bracket;
    if (hasItems_.empty()) buffer_ += '\n';
    flushIfLarge();
}

void JsonWriter::newLine() {
    buffer_ += '\n';
    buffer_.append(2 * hasItems_.size(), ' ');
}

void JsonWriter::writeQuoted(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    buffer_ += '"';
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (!needsEscape(c)) continue;
        buffer_.append(utf8.data() + run, i - run);
        run = i + 1;
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            buffer_ += '\\';
            buffer_ += c;
        } else {
            const char escape[] = {'\\', 'u', '0', '0', kHex[u >> 4], kHex[u & 0xF]};
            buffer_.append(escape, sizeof escape);
        }
    }
    buffer_.append(utf8.data() + run, utf8.size() - run);
    buffer_ += '"';
}

void JsonWriter::flushIfLarge() {
    if (buffer_.size() < kFlushBytes) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

}  // namespace varnelle::cli
