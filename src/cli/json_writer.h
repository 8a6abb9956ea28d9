#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/amount.h"

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
    // What key(name) would write at this point, for a writer of many alike objects to give
    // to head() in their place instead.
    std::string headOf(std::string_view name) const;
    void head(std::string_view bytes);
    void string(std::string_view utf8);
    // A Windows-1252 text, converted to UTF-8 on the way.
    void win1252String(std::string_view win1252);
    // A decimal amount as a string with two decimals: a JSON number would invite binary
    // rounding.
    void amount(long double value);
    void number(std::int64_t n);
    void boolean(bool b);

    // Objects of one array whose members always come by the same names in the same order,
    // written as beginObject, a key and a value for each member, then endObject would write
    // them. What opens each object and each member is made on the first object and copied for
    // the others, with no bookkeeping per value.
    class Records;

private:
    // An escape takes six bytes, more than a Windows-1252 byte in UTF-8.
    static constexpr std::size_t kEscapeRoom = 6;

    // Separates a value from the one before it, unless it follows its key: a comma and a
    // new line, at `p`; answers the end of what it wrote.
    char* separate(char* p);
    // What separate writes, and what it changes: a value after its key, or the first one of
    // the document, is not separated.
    char* separator(char* p) const;
    void separated();
    bool separates() const { return !afterKey_ && !hasItems_.empty(); }
    // What separate and a new line write at most.
    std::size_t separatorRoom() const { return 2 + 2 * hasItems_.size(); }
    void open(char bracket);
    void close(char bracket);
    char* newLine(char* p) const;
    // The text between double quotes, escaped and converted to UTF-8 if it is in
    // Windows-1252, at `p`, which has kEscapeRoom bytes a byte of the text.
    static char* quoted(char* p, std::string_view text, bool win1252);
    // `text` between double quotes, as it is, at `p`.
    static char* inQuotes(char* p, std::string_view text) {
        *p++ = '"';
        p = std::copy(text.begin(), text.end(), p);
        *p++ = '"';
        return p;
    }
    // The text of an amount: in `room` when it is short, as nearly all are, else in scratch_.
    using ShortAmount = char[kRoomShortAmount];
    std::string_view amountText(long double value, ShortAmount& room);
    // Makes room for n more bytes, handing what the buffer holds to the stream if needed.
    void room(std::size_t n) {
        if (used_ + n > buffer_.size()) makeRoom(n);
    }
    void makeRoom(std::size_t n);
    // Where the next byte goes, and the end of what was written there.
    char* at() { return buffer_.data() + used_; }
    void done(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
    void flush();

    std::ostream& out_;
    std::string buffer_;  // its size is its capacity; used_ bytes of it are written
    std::size_t used_ = 0;
    std::string scratch_;
    std::vector<unsigned char> hasItems_;  // one per open container
    bool afterKey_ = false;
};

class JsonWriter::Records final {
public:
    // Inside an array `json` has just begun.
    explicit Records(JsonWriter& json);
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    // Inline with the writing of the values: a large budget has a million members.
    void beginObject() {
        if (first_) return firstObject();
        field_ = 0;
        unsigned char& arrayHasItems = json_.hasItems_.back();
        const std::string& open = arrayHasItems != 0 ? openNext_ : openFirst_;
        arrayHasItems = 1;
        json_.done(put(open, 0));
    }
    void endObject();
    // The next member: its name must be the one the first object gave at this place.
    void text(std::string_view name, std::string_view win1252) {
        json_.done(quoted(member(name, kEscapeRoom * win1252.size() + 2), win1252, true));
    }
    void amount(std::string_view name, long double value) {
        ShortAmount shortText;
        const std::string_view text = json_.amountText(value, shortText);
        json_.done(inQuotes(member(name, text.size() + 2), text));
    }
    void number(std::string_view name, std::int64_t n) {
        char* const p = member(name, 24);
        json_.done(std::to_chars(p, p + 24, n).ptr);
    }

    // Heads and brackets are copied as whole blocks of this many bytes when they are that
    // short, as nearly all are: a move or two of the processor instead of a call.
    static constexpr std::size_t kBlock = 32;

private:
    void firstObject();
    // Writes the head of the next member and answers where its value goes, with `valueRoom`
    // bytes there.
    char* member(std::string_view name, std::size_t valueRoom) {
        // The same call site passes the same literal: its address spares comparing its bytes.
        if (!first_ && field_ < addresses_.size() && name.data() == addresses_[field_] &&
            name.size() == names_[field_].size())
            return put(heads_[field_++], valueRoom);
        return otherMember(name, valueRoom);
    }
    // The members of the first object, and names given from elsewhere.
    char* otherMember(std::string_view name, std::size_t valueRoom);
    static std::string asBlock(std::string bytes);
    // Writes `bytes`, made by asBlock, with room for `after` more bytes behind them, and
    // answers their end. Forced inline: left as a call, it costs the writing 4 %.
    [[gnu::always_inline]] char* put(const std::string& bytes, std::size_t after) {
        json_.room(std::max(bytes.size(), kBlock) + after);
        char* const p = json_.at();
        if (bytes.size() > kBlock) return std::copy(bytes.begin(), bytes.end(), p);
        std::memcpy(p, bytes.data(), kBlock);
        return p + bytes.size();
    }

    JsonWriter& json_;
    std::string openFirst_, openNext_, close_;  // an object's brackets with their lines
    std::vector<std::string> names_, heads_;
    std::vector<const char*> addresses_;  // of the names the first object gave
    std::size_t field_ = 0;
    bool first_ = true;  // no object written yet: the first one names the members
};

}  // namespace varnelle::cli
