#include "cli/json_writer.h"

#include <charconv>

namespace varnelle::cli {

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
    out_ << ": ";
    afterKey_ = true;
}

void JsonWriter::string(std::string_view utf8) {
    beginValue();
    writeQuoted(utf8);
}

void JsonWriter::number(std::int64_t n) {
    beginValue();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out_.write(buffer, result.ptr - buffer);
}

void JsonWriter::boolean(bool b) {
    beginValue();
    out_ << (b ? "true" : "false");
}

void JsonWriter::beginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) out_ << ',';
    hasItems_.back() = true;
    newLine();
}

void JsonWriter::open(char bracket) {
    beginValue();
    out_ << bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    const bool hadItems = hasItems_.back();
    hasItems_.pop_back();
    if (hadItems) newLine();
    out_ << bracket;
    if (hasItems_.empty()) out_ << '\n';
}

void JsonWriter::newLine() {
    out_ << '\n';
    for (std::size_t i = 0; i < hasItems_.size(); ++i) out_ << "  ";
}

void JsonWriter::writeQuoted(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_ << '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ << '\\' << c;
        } else if (u < 0x20 || u == 0x7F) {
            out_ << "\\u00" << kHex[u >> 4] << kHex[u & 0xF];
        } else {
            out_ << c;
        }
    }
    out_ << '"';
}

}  // namespace varnelle::cli
