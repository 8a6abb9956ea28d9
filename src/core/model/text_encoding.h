#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnelle {

// The budget's texts are Windows-1252 bytes, as in the file. These are the only
// conversions between them and UTF-8; the gui and the cli convert at their edges.

// Every byte has a character: the five bytes Windows-1252 leaves undefined become the
// C1 controls of the same value, as the system code-page conversion does.
std::string win1252ToUtf8(std::string_view bytes);
// A Windows-1252 byte takes at most this many bytes in UTF-8.
inline constexpr std::size_t kMaxUtf8ParOctet = 3;
// The same text written at `out`, which has room for kMaxUtf8ParOctet bytes per byte;
// answers the end of what it wrote.
char* writeWin1252AsUtf8(char* out, std::string_view bytes);

// Empty when the text is not valid UTF-8 or holds a character Windows-1252 cannot hold.
std::optional<std::string> utf8ToWin1252(std::string_view utf8);

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view text);

// A character a user can type into a text of the budget: printable, defined, not a control.
bool isTypeableWin1252(unsigned char c);

// Upper case within Windows-1252, one byte for one byte: a-z, the accented small letters,
// š œ ž ÿ. ß and µ have no capital of their own in the set and stay as they are.
unsigned char upperWin1252(unsigned char c);
std::string upperWin1252(std::string_view text);

}  // namespace varnelle
