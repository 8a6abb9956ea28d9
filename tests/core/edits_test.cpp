#include "model/edits.h"

#include <gtest/gtest.h>

#include "model/amount.h"
#include "records.h"

namespace varnelle {
namespace {

using test::operation;
using test::type;

Budget exemple() {
    Budget budget;
    budget.TypesDep = {type("AL", -20, 4095), type("LO", -500, 4095), type("SA", 1500, 4095)};
    budget.Operations = {operation("28/02/2024", "AL", -40), operation("02/03/2024", "SA", 1500),
                         operation("15/03/2024", "AL", -20)};
    budget.calculeTout();
    return budget;
}

std::vector<std::string> dates(const Budget& budget) {
    std::vector<std::string> out;
    for (const TOperation& o : budget.Operations) out.push_back(o.cDate);
    return out;
}

TEST(Edits, RefusedChangesLeaveTheBudgetAsItWas) {
    const Budget before = exemple();
    Budget budget = before;
    EXPECT_FALSE(changeCodeTypeDep(budget, 0, "   "));
    EXPECT_FALSE(changeCodeTypeDep(budget, 0, "LO"));
    EXPECT_FALSE(changeLibelleTypeDep(budget, 0, " "));
    EXPECT_FALSE(changeLibelleOperation(budget, 0, ""));
    EXPECT_FALSE(changeDateOperation(budget, 0, "31/02/2024"));
    EXPECT_FALSE(changeDateOperation(budget, 0, "  /  /    "));
    EXPECT_FALSE(changeMontantOperation(budget, 0, 0));
    EXPECT_EQ(budget, before);
    EXPECT_TRUE(changeCodeTypeDep(budget, 1, "LO"));  // its own code again
    EXPECT_EQ(budget, before);
}

TEST(Edits, ARenamedTypeTakesItsOperationsToItsSortedPlace) {
    Budget budget = exemple();
    budget.Operations.push_back(operation("15/03/2024", "BA", -20));  // after AL that day
    budget.calculeTout();
    ASSERT_TRUE(changeCodeTypeDep(budget, 0, "ZZ"));
    EXPECT_EQ(budget.TypesDep.back().cTypeDep, "ZZ");
    EXPECT_EQ(budget.TypesDep.back().nSolde, -60);
    EXPECT_EQ(budget.Operations[0].cTypeDep, "ZZ");
    // Same day: BA now sorts before ZZ, and the balances follow the new order.
    EXPECT_EQ(budget.Operations[2].cTypeDep, "BA");
    EXPECT_EQ(budget.Operations[3].cTypeDep, "ZZ");
    EXPECT_EQ(budget.Operations[3].nSolde, 1420);
}

TEST(Edits, TypeTotalsFollowTheirAmountAndMonths) {
    Budget budget = exemple();
    changeMontantTypeDep(budget, 0, -50);
    EXPECT_EQ(budget.TypesDep[0].nTotal, -600);
    EXPECT_EQ(budget.TypesDep[0].nSolde, -60);            // booked, not budgeted
    changePeriodiciteTypeDep(budget, 0, 0b100000000001);  // January and December
    EXPECT_EQ(budget.TypesDep[0].nNbMois, 2);
    EXPECT_EQ(budget.TypesDep[0].nTotal, -100);
}

TEST(Edits, AMovedOperationIsFollowedToItsNewRow) {
    Budget budget = exemple();
    EXPECT_EQ(changeDateOperation(budget, 0, "20/03/2024"), std::size_t{2});
    EXPECT_EQ(dates(budget), (std::vector<std::string>{"02/03/2024", "15/03/2024", "20/03/2024"}));
    EXPECT_EQ(budget.Operations[2].nSolde, 1440);
    EXPECT_EQ(budget.Operations[0].nSolde, 1500);

    // Same day and type: ordered by the text of the amount, so -100 goes before -20.
    EXPECT_EQ(changeMontantOperation(budget, 2, -100), std::size_t{2});
    ASSERT_EQ(changeDateOperation(budget, 2, "15/03/2024"), std::size_t{1});
    EXPECT_EQ(budget.Operations[1].nMontant, -100);
    EXPECT_EQ(budget.TypesDep[0].nSolde, -120);
    for (const TOperation& o : budget.Operations) EXPECT_FALSE(o.lMarquee);

    // A type that exists brings its amount and label; an unknown code is only stored.
    EXPECT_EQ(changeTypeOperation(budget, 0, "LO"), std::size_t{0});
    EXPECT_EQ(budget.Operations[0].nMontant, -500);
    EXPECT_EQ(budget.Operations[0].cLibelle, "Type");
    EXPECT_EQ(budget.TypesDep[1].nSolde, -500);
    EXPECT_EQ(changeTypeOperation(budget, 2, "QQ"), std::size_t{2});
    EXPECT_EQ(budget.Operations[2].cTypeDep, "QQ");
    EXPECT_EQ(budget.Operations[2].nMontant, -20);
}

}  // namespace
}  // namespace varnelle
