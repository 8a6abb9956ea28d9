#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace varnelle::cli {

// Writes one JSON document, indented by two spaces, one member or element per line, so
// that the same budget always gives the same bytes. Texts must already be UTF-8.
class JsonWriter final {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The name of the next member of the current object.
    void key(std::string_view name);
    void string(std::string_view utf8);
    void number(std::int64_t n);
    void boolean(bool b);

private:
    // Separates a value from the one before it, unless it follows its key.
    void beginValue();
    void open(char bracket);
    void close(char bracket);
    void newLine();
    void writeQuoted(std::string_view utf8);

    std::ostream& out_;
    std::vector<bool> hasItems_;  // one per open container
    bool afterKey_ = false;
};

}  // namespace varnelle::cli
