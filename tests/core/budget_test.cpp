#include "core/model/budget.h"

#include <limits>

#include <gtest/gtest.h>

#include "core/model/month_mask.h"
#include "records.h"

namespace varnelle {
namespace {

// Amounts in hundredths.
TTypeDep type(const char* code, std::int32_t h, std::int32_t mask) {
    return test::type(code, fromHundredths(h), mask);
}
TOperation operation(const char* date, const char* code, std::int32_t h) {
    return test::operation(date, code, fromHundredths(h));
}

TEST(Budget, MonthsOfAMask) {
    EXPECT_EQ(NbMoisPeriodicite(0), 0);
    EXPECT_EQ(NbMoisPeriodicite(kTousLesMois), 12);
    EXPECT_EQ(bitDuMois(1), 2048);
    EXPECT_EQ(NbMoisPeriodicite(0x1000 | bitDuMois(6)), 1);  // bits above December ignored
    EXPECT_EQ(NbMoisPeriodicite(-1), 12);
}

TEST(Budget, TypeTotalsMatchCodesExactly) {
    Budget budget;
    budget.TypesDep = {type("AB", 1050, kTousLesMois), type("ab", 1000, 0), type("AB ", 100, 3),
                       type("AB", 999, 1)};
    budget.Operations = {operation("01/01/2024", "ab", 500), operation("02/01/2024", "AB", -300),
                         operation("03/01/2024", "AB", -200), operation("04/01/2024", "XY", 700),
                         operation("05/01/2024", "AB ", 1)};
    budget.CalculeTotauxTypesDep();

    EXPECT_EQ(formatAmount(budget.TypesDep[0].nTotal), "126.00");
    EXPECT_EQ(budget.TypesDep[0].nNbMois, 12);
    EXPECT_EQ(formatAmount(budget.TypesDep[0].nSolde), "-5.00");
    EXPECT_EQ(formatAmount(budget.TypesDep[1].nTotal), "0.00");  // no month due
    EXPECT_EQ(formatAmount(budget.TypesDep[1].nSolde), "5.00");
    EXPECT_EQ(formatAmount(budget.TypesDep[2].nTotal), "2.00");
    EXPECT_EQ(formatAmount(budget.TypesDep[2].nSolde), "0.01");
    // A second type with the same code gets nothing: operations go to the first.
    EXPECT_EQ(formatAmount(budget.TypesDep[3].nSolde), "0.00");
    EXPECT_EQ(budget.IndiceTypeDep("AB"), 0);
    EXPECT_EQ(budget.IndiceTypeDep("XY"), -1);

    // A second pass starts from zero.
    budget.CalculeTotauxTypesDep();
    EXPECT_EQ(formatAmount(budget.TypesDep[0].nSolde), "-5.00");
}

TEST(Budget, RunningBalancesFollowTheCollectionOrder) {
    Budget budget;
    budget.Operations = {operation("03/01/2024", "A", 10000), operation("01/01/2024", "A", -2500),
                         operation("02/01/2024", "A", 1)};
    budget.CalculeSoldesOperations();
    EXPECT_EQ(formatAmount(budget.Operations[0].nSolde), "100.00");
    EXPECT_EQ(formatAmount(budget.Operations[2].nSolde), "75.01");
    budget.TrieOperations();
    budget.CalculeSoldesOperations();
    EXPECT_EQ(formatAmount(budget.Operations[0].nSolde), "-25.00");
    EXPECT_EQ(formatAmount(budget.Operations[1].nSolde), "-24.99");
    EXPECT_EQ(formatAmount(budget.Operations[2].nSolde), "75.01");
}

TEST(Budget, DailyRowsAndSavingsAccumulate) {
    Budget budget;
    budget.setNbJoursMois(28);
    for (int day = 1; day <= kNbJoursDepJourn; ++day)
        budget.DepJourn[static_cast<std::size_t>(day - 1)].nMontant = day;
    budget.CalculeCumulsDepJourn();
    EXPECT_EQ(budget.DepJourn[30].nJour, 31);
    EXPECT_EQ(budget.DepJourn[27].nCumul, 406);
    EXPECT_EQ(budget.DepJourn[30].nCumul, 496);  // days beyond the month still count

    budget.Economies = {TEconomie{"Livret", 100, 0}, TEconomie{"Retrait", -30, 0}};
    budget.CalculeCumulsEconomies();
    EXPECT_EQ(budget.Economies[1].nCumul, 70);

    // Whole amounts are 32-bit: a sum past the limit wraps instead of being undefined.
    budget.Economies = {TEconomie{"", std::numeric_limits<std::int32_t>::max(), 0},
                        TEconomie{"", 1, 0}};
    budget.CalculeCumulsEconomies();
    EXPECT_EQ(budget.Economies[1].nCumul, std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace varnelle
