#include "core/model/locale_facts.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(LocaleFacts, MonthNamesTakeACapitalFromTheLocaleInUse) {
    EXPECT_EQ(NomMois(2), "F\xE9vrier");
    EXPECT_EQ(NomMois(12), "D\xE9"
                           "cembre");
    EXPECT_EQ(NomMois(0), "");
    EXPECT_EQ(NomMois(13), "");

    const LocaleFacts saved = localeFacts();
    LocaleFacts other = saved;
    other.nomsMois[7] = "\xE9t\xE9";  // the first letter is accented
    other.nomsMois[0] = "";
    setLocaleFacts(other);
    EXPECT_EQ(NomMois(8), "\xC9t\xE9");
    EXPECT_EQ(NomMois(1), "");
    setLocaleFacts(saved);
}

}  // namespace
}  // namespace varnelle
