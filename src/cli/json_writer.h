#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varnelle::cli {

// Writes one JSON document, indented by two spaces, one member or element per line, so
// that the same budget always gives the same bytes. Texts must already be UTF-8. The text is
// gathered in a buffer and handed to the stream in large pieces, and whatever is left when the
// writer goes.
class JsonWriter final {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The name of the next member of the current object.
    void key(std::string_view name);
    void string(std::string_view utf8);
    // A Windows-1252 text, converted to UTF-8 on the way.
    void win1252String(std::string_view win1252);
    // A decimal amount as a string with two decimals: a JSON number would invite binary
    // rounding.
    void amount(long double value);
    void number(std::int64_t n);
    void boolean(bool b);

private:
    // Separates a value from the one before it, unless it follows its key.
    void beginValue();
    void open(char bracket);
    void close(char bracket);
    void newLine();
    void writeQuoted(std::string_view utf8);
    // Makes room for n more bytes, handing what the buffer holds to the stream if needed.
    void room(std::size_t n) {
        if (used_ + n > buffer_.size()) makeRoom(n);
    }
    void makeRoom(std::size_t n);
    void put(char c) {
        room(1);
        buffer_[used_++] = c;
    }
    void put(std::string_view text) {
        room(text.size());
        text.copy(buffer_.data() + used_, text.size());
        used_ += text.size();
    }
    void flush();

    std::ostream& out_;
    std::string buffer_;  // its size is its capacity; used_ bytes of it are written
    std::size_t used_ = 0;
    std::string scratch_;
    std::vector<unsigned char> hasItems_;  // one per open container
    bool afterKey_ = false;
};

}  // namespace varnelle::cli
