#include "core/model/date_text.h"

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

TEST(DateText, MonthAndYearPartsOfAnyText) {
    EXPECT_EQ(numeroMois("05/03/2024"), 3);
    EXPECT_EQ(numeroAnnee("05/03/2024"), 2024);
    EXPECT_EQ(partieAnnee("05/03/20"), "20");
    EXPECT_EQ(numeroAnnee("05/03/20"), std::nullopt);
    EXPECT_EQ(numeroAnnee("05/03/2O24"), std::nullopt);
    EXPECT_EQ(partieMois("05"), "");
    EXPECT_EQ(numeroMois("05/3/2024"), std::nullopt);
}

TEST(DateText, MonthStepsKeepTheDayWithinTheMonth) {
    struct Case {
        CivilDate from;
        int steps;
        const char* to;
    };
    const Case cases[] = {{{31, 1, 2024}, 1, "29/02/2024"},
                          {{31, 1, 2023}, 1, "28/02/2023"},
                          {{15, 12, 2023}, 1, "15/01/2024"},
                          {{15, 1, 2024}, -1, "15/12/2023"},
                          {{31, 3, 2024}, -13, "28/02/2023"}};
    for (const Case& c : cases) EXPECT_EQ(dateText(ajouteMois(c.from, c.steps)), c.to);
}

}  // namespace
}  // namespace varnelle
