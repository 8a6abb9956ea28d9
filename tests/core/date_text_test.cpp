#include "model/date_text.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(DateText, ValidDates) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"01/01/2001", true},  {"29/02/2000", true},  {"31/12/9999", true},  {"01/01/0001", true},
        {"29/02/1900", false}, {"31/04/2024", false}, {"00/01/2001", false}, {"01/13/2001", false},
        {"01/00/2001", false}, {"01/01/0000", false}, {"1/01/2001 ", false}, {"01/01/2001x", false},
        {"01/1/2001", false},  {"01-01-2001", false}, {"__/__/____", false}, {"  /  /    ", false},
        {"0a/01/2001", false}, {"", false},           {"+1/01/2001", false}, {"01/01/200_", false},
    };
    for (const Case& c : cases) EXPECT_EQ(DateValide(c.text), c.valid) << c.text;
}

TEST(DateText, SerialNumbersCountDaysFromTheEndOf1899) {
    struct Case {
        const char* text;
        std::int32_t serial;
    };
    const Case cases[] = {
        {"30/12/1899", 0},       {"01/01/1900", 2},       {"01/01/2001", 36892},
        {"18/05/1927", 10000},   {"13/10/2173", 99999},   {"29/02/2000", 36585},
        {"01/01/0001", -693593}, {"31/12/9999", 2958465},
    };
    for (const Case& c : cases) {
        const auto date = parseDate(c.text);
        ASSERT_TRUE(date) << c.text;
        EXPECT_EQ(dateSerial(*date), c.serial) << c.text;
        EXPECT_EQ(dateText(dateFromSerial(c.serial)), c.text);
    }
    for (std::int32_t serial = -800; serial < 80000; serial += 7) {
        const CivilDate date = dateFromSerial(serial);
        ASSERT_EQ(dateSerial(date), serial);
        ASSERT_TRUE(DateValide(dateText(date))) << serial;
    }
}

}  // namespace
}  // namespace varnelle
