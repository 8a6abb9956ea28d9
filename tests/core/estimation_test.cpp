#include "core/model/estimation.h"

#include <limits>
#include <map>

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TTypeDep typeDep(Montant nMontant, std::int32_t nNbMois) {
    TTypeDep type;
    type.nMontant = nMontant;
    type.nNbMois = nNbMois;
    return type;
}

Budget budget(const std::map<int, std::int32_t>& montantsParJour) {
    Budget b;
    // Outgoing 600 once and 50 every month: 1200 a year. The income and the type never
    // due stay out of it.
    b.TypesDep = {typeDep(-600, 1), typeDep(-50, 12), typeDep(2000, 12), typeDep(-999, 0)};
    for (const auto& [jour, montant] : montantsParJour)
        b.DepJourn[static_cast<std::size_t>(jour - 1)].nMontant = montant;
    b.CalculeCumulsDepJourn();
    return b;
}

TEST(Estimation, MonthlyExpensesRemainderAndDailyExtrapolation) {
    const struct {
        std::map<int, std::int32_t> jours;
        const char* salaire;
        std::int32_t nbJours;
        char separateur;
        bool salaireLu;
        const char *reste, *estimDepJourn, *estimReste;
    } cases[] = {
        // 1200 / 12 = 100; (12 x 1500 - 1200) / 12 = 1400; 60 over 3 days = 20 a day, 600
        // for 30 days.
        {{{1, 20}, {3, 40}}, "1500", 30, '.', true, "1400.00", "600.00", "800.00"},
        {{{1, 20}, {3, 40}}, " 1500,5 ", 30, ',', true, "1400,50", "600,00", "800,50"},
        // Day 31 is past a 30-day month for the count of days, not for the total: 90 / 3.
        {{{1, 20}, {3, 40}, {31, 30}}, "1500", 30, '.', true, "1400.00", "900.00", "500.00"},
        {{{31, 50}}, "1500", 30, '.', true, "1400.00", "", ""},
        // 15 over 2 days, 31 days: 232.5. A salary below the expenses leaves a negative rest.
        {{{1, 10}, {2, 5}}, "50", 31, '.', true, "-50.00", "232.50", "-282.50"},
        {{{1, 20}}, "mille", 30, '.', false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const Estimation e = CalculeEstimation(budget(c.jours), c.salaire, c.nbJours, c.separateur);
        EXPECT_EQ(e.totalDepensesMois, c.separateur == ',' ? "100,00" : "100.00");
        EXPECT_EQ(e.salaireLu, c.salaireLu);
        EXPECT_EQ(e.resteMois, c.reste);
        EXPECT_EQ(e.estimDepJournMois, c.estimDepJourn);
        EXPECT_EQ(e.estimResteMois, c.estimReste);
    }
}

TEST(Estimation, CurrentRemainderIsTheStartMinusTheMonthsTotal) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        const char* debut;
        std::map<int, std::int32_t> jours;
        std::optional<std::int32_t> attendu;
    } cases[] = {
        {"800", {{2, 100}, {30, 50}}, 650},
        {" -20 ", {{31, 150}}, -170},
        // A refund beyond the 32-bit range wraps as the cumulatives do.
        {"2147483647", {{1, -1}}, std::numeric_limits<std::int32_t>::min()},
        {"2147483647", {{1, 1}}, kMax - 1},
        {"abc", {{1, 150}}, std::nullopt},
        {"800,5", {}, std::nullopt},
        {"", {}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resteCourantMois(c.debut, budget(c.jours)), c.attendu) << c.debut;
}

}  // namespace
}  // namespace varnelle
