#include "core/model/entries.h"

#include <gtest/gtest.h>

#include "records.h"

namespace varnelle {
namespace {

using test::smallBudget;

TEST(Entries, ATypeInUseStays) {
    Budget budget = smallBudget();
    EXPECT_FALSE(supprimeTypeDep(budget, 0));
    EXPECT_EQ(budget.TypesDep.size(), 3u);
    EXPECT_TRUE(supprimeTypeDep(budget, 1));
    EXPECT_EQ(budget.TypesDep[1].cTypeDep, "SA");
    ajouteTypeDep(budget);
    EXPECT_EQ(budget.TypesDep.back(), TTypeDep{});
}

TEST(Entries, OperationsAddedAtADateAreSortedIntoPlaceAndCounted) {
    Budget budget = smallBudget();
    ajouteOperations(budget, "10/03/2024", {0, 1});
    ASSERT_EQ(budget.Operations.size(), 5u);
    EXPECT_EQ(budget.Operations[2].cDate, "10/03/2024");
    EXPECT_EQ(budget.Operations[2].cTypeDep, "AL");
    EXPECT_EQ(budget.Operations[3].cTypeDep, "LO");
    EXPECT_EQ(budget.Operations[3].nMontant, -500);
    EXPECT_EQ(budget.Operations[3].cLibelle, "Type");
    EXPECT_EQ(budget.Operations[3].nSelect, 0);
    EXPECT_EQ(budget.Operations[4].nSolde, 1500 - 40 - 20 - 500 - 20);
    EXPECT_EQ(budget.TypesDep[0].nSolde, -80);
    EXPECT_EQ(budget.TypesDep[1].nSolde, -500);

    supprimeOperation(budget, 0);
    EXPECT_EQ(budget.TypesDep[0].nSolde, -40);
    EXPECT_EQ(budget.Operations[0].nSolde, 1500);
    ajouteOperation(budget);
    EXPECT_EQ(budget.Operations.back(), TOperation{});
}

TEST(Entries, DailyAndSavingsTotalsRunOn) {
    Budget budget;
    changeMontantDepJourn(budget, 1, 20);
    changeMontantDepJourn(budget, 3, 40);
    EXPECT_EQ(budget.DepJourn[1].nCumul, 20);
    EXPECT_EQ(budget.DepJourn[30].nCumul, 60);
    ajouteEconomie(budget);
    ajouteEconomie(budget);
    changeMontantEconomie(budget, 0, 100);
    changeMontantEconomie(budget, 1, 50);
    EXPECT_EQ(budget.Economies[1].nCumul, 150);
    supprimeEconomie(budget, 0);
    EXPECT_EQ(budget.Economies[0].nCumul, 50);
}

}  // namespace
}  // namespace varnelle
