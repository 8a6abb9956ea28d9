#include "core/model/text_encoding.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(TextEncoding, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
    const std::string utf8 = win1252ToUtf8(all);
    EXPECT_EQ(utf8ToWin1252(utf8), all);
    EXPECT_EQ(win1252ToUtf8("\x80\xE9\x9C"), "\u20AC\u00E9\u0153");
}

TEST(TextEncoding, RefusesWhatTheSetCannotHold) {
    EXPECT_EQ(utf8ToWin1252("\u00C9t\u00E9 \u20AC"), std::string("\xC9t\xE9 \x80"));
    for (const char* refused : {"\u0100", "\u4E2D", "\xF0\x9F\x98\x80", "\xC3", "\xC3(", "\xE2\x82",
                                "\xC0\x80", "\xED\xA0\x80", "\xFF"})
        EXPECT_FALSE(utf8ToWin1252(refused)) << refused;
}

TEST(TextEncoding, UpperCaseKeepsOneByteForOne) {
    EXPECT_EQ(upperWin1252("abc xyz"), "ABC XYZ");
    EXPECT_EQ(upperWin1252("\xE9t\xE9 \xE0 \xFF\x9C\x9A\x9E"), "\xC9T\xC9 \xC0 \x9F\x8C\x8A\x8E");
    EXPECT_EQ(upperWin1252("\xDF\xB5\xF7"), "\xDF\xB5\xF7");  // ß µ ÷ have no capital here
    for (int c = 0; c < 256; ++c) {
        const auto upper = upperWin1252(static_cast<unsigned char>(c));
        EXPECT_EQ(upperWin1252(upper), upper) << c;
        EXPECT_EQ(isTypeableWin1252(upper), isTypeableWin1252(static_cast<unsigned char>(c))) << c;
    }
}

}  // namespace
}  // namespace varnelle
