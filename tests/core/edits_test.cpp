#include "core/model/edits.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "core/model/amount.h"
#include "core/model/date_text.h"
#include "core/model/entries.h"
#include "core/model/month_mask.h"
#include "records.h"

namespace varnelle {
namespace {

using test::operation;
using test::smallBudget;
using test::type;

std::vector<std::string> dates(const Budget& budget) {
    std::vector<std::string> out;
    for (const TOperation& o : budget.Operations) out.push_back(o.cDate);
    return out;
}

TEST(Edits, RefusedChangesLeaveTheBudgetAsItWas) {
    Budget budget = smallBudget();
    ajouteSimulation(budget);
    const Budget before = budget;
    EXPECT_FALSE(changeCodeTypeDep(budget, 0, "   "));
    EXPECT_FALSE(changeCodeTypeDep(budget, 0, "LO"));
    EXPECT_FALSE(changeLibelleTypeDep(budget, 0, " "));
    EXPECT_FALSE(changeLibelleOperation(budget, 0, ""));
    EXPECT_FALSE(changeDateOperation(budget, 0, "31/02/2024"));
    EXPECT_FALSE(changeDateOperation(budget, 0, "  /  /    "));
    EXPECT_FALSE(changeMontantOperation(budget, 0, 0));
    EXPECT_FALSE(changeLibelleSimulation(budget, 0, "  "));
    EXPECT_FALSE(changeDateSimulation(budget, 0, true, "1/3/2024"));
    // Less than half a hundredth would be saved as 0, an incomplete simulation.
    EXPECT_FALSE(changeMontantSimulation(budget, 0, 0.004L));
    EXPECT_EQ(budget, before);
    EXPECT_TRUE(changeCodeTypeDep(budget, 1, "LO"));  // its own code again
    EXPECT_EQ(budget, before);
}

TEST(Edits, ARenamedTypeTakesItsOperationsToItsSortedPlace) {
    Budget budget = smallBudget();
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

    // A journal read from a file, each day in order but the days not: the rename sorts it all.
    Budget lu;
    lu.TypesDep = {type("AL", -1)};
    lu.Operations = {operation("02/01/2024", "AL", -1), operation("02/01/2024", "ZZ", -2),
                     operation("01/01/2024", "AL", -3)};
    ASSERT_TRUE(changeCodeTypeDep(lu, 0, "BB"));
    EXPECT_EQ(dates(lu), (std::vector<std::string>{"01/01/2024", "02/01/2024", "02/01/2024"}));
}

TEST(Edits, TypeTotalsFollowTheirAmountAndMonths) {
    Budget budget = smallBudget();
    changeMontantTypeDep(budget, 0, -50);
    EXPECT_EQ(budget.TypesDep[0].nTotal, -600);
    EXPECT_EQ(budget.TypesDep[0].nSolde, -60);            // booked, not budgeted
    changePeriodiciteTypeDep(budget, 0, 0b100000000001);  // January and December
    EXPECT_EQ(budget.TypesDep[0].nNbMois, 2);
    EXPECT_EQ(budget.TypesDep[0].nTotal, -100);
}

TEST(Edits, AMovedOperationIsFollowedToItsNewRow) {
    Budget budget = smallBudget();
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

TEST(Edits, TypesDueAndNotYetBookedThatMonthArePreTicked) {
    Budget budget;
    const std::int32_t mai = bitDuMois(5);
    budget.TypesDep = {type("AL", -20, mai),  type("EA", -30, mai | bitDuMois(6)),
                       type("LO", -500, mai), type("SA", 1500, bitDuMois(4)),
                       type("TE", -9, mai),   type("ZZ", -1, bitDuMois(1) | bitDuMois(12))};
    budget.Operations = {operation("02/05/2023", "AL", -20),   // another year
                         operation("30/04/2024", "TE", -9),    // another month
                         operation("03/05/2024", "EA", -30),   // booked: unticked
                         operation("31/05/2024", "SA", 1500),  // booked but not due anyway
                         operation("15/06/2024", "LO", -500)};
    const std::vector<bool> mai2024 = {true, false, true, false, true, false};
    EXPECT_EQ(typesAPreCocher(budget, "10/05/2024"), mai2024);
    // Only the month and the year count; the day may still be blank.
    EXPECT_EQ(typesAPreCocher(budget, "  /05/2024"), mai2024);
    EXPECT_EQ(typesAPreCocher(budget, "01/05/2023"),
              (std::vector<bool>{false, true, true, false, true, false}));
    // December is bit 0, January bit 11.
    EXPECT_EQ(typesAPreCocher(budget, "01/12/2024"),
              (std::vector<bool>{false, false, false, false, false, true}));
    for (const char* incomplete : {"  /  /    ", "10/ 5/2024", "10/13/2024", "10/00/2024", "10/0"})
        EXPECT_EQ(typesAPreCocher(budget, incomplete), std::nullopt) << incomplete;
    EXPECT_EQ(typesAPreCocher(Budget{}, "10/05/2024"), std::vector<bool>{});
}

TEST(Edits, DeletingAMonthTakesOnlyThatMonthOfThatYear) {
    Budget budget;
    budget.TypesDep = {type("AL", -20), type("LO", -500)};
    budget.Operations = {operation("31/03/2023", "AL", -1),  operation("01/03/2024", "LO", -500),
                         operation("15/03/2024", "AL", -20), operation("31/03/2024", "AL", -40),
                         operation("15/04/2024", "AL", -2),  operation("  /  /    ", "", 0)};
    budget.calculeTout();
    EXPECT_EQ(supprimeOperationsDuMois(budget, "03", "2024"), std::size_t{3});
    EXPECT_EQ(dates(budget), (std::vector<std::string>{"31/03/2023", "15/04/2024", "  /  /    "}));
    EXPECT_EQ(budget.TypesDep[0].nSolde, -3);
    EXPECT_EQ(budget.TypesDep[1].nSolde, 0);
    EXPECT_EQ(budget.Operations[1].nSolde, -3);
    EXPECT_EQ(supprimeOperationsDuMois(budget, "03", "2024"), std::size_t{0});
}

// Every edit that moves operations must leave the journal, its balances and the type totals
// exactly as a full stable sort followed by the same recomputations would.
TEST(Edits, MovesInPlaceMatchAFullSortOnRandomEdits) {
    const char* const codes[] = {"A", "AB", "A-", "B", "", "Z"};
    const char* const jours[] = {"01/01/2024", "02/01/2024", "3/1/2024", "02/02/2024", "x"};
    const Montant montants[] = {-1, -10, -1.5L, 2, 0, -0.0L, -12.34L};
    test::Tirage tire(7);
    for (int essai = 0; essai < 60; ++essai) {
        Budget budget;
        budget.TypesDep = {type("A", -3), type("AB", 4), type("B", -5)};
        for (int i = 0; i < 40; ++i)
            budget.Operations.push_back(
                operation(jours[tire(5)], codes[tire(6)], montants[tire(7)], 0));
        if (essai % 3 != 0) budget.TrieOperations();      // a file may hold an unsorted journal
        if (essai % 3 == 1) budget.suiviOperations = {};  // in order, as read, but not known to be
        budget.calculeTout();
        for (int pas = 0; pas < 30; ++pas) {
            Budget attendu = budget;
            const std::size_t i = tire(budget.Operations.size());
            attendu.Operations[i].lMarquee = true;
            std::optional<std::size_t> position;
            bool totaux = true, trie = true;
            switch (tire(5)) {
            case 0:
                attendu.Operations[i].cDate = jours[tire(4)];
                if (!DateValide(attendu.Operations[i].cDate)) continue;
                position = changeDateOperation(budget, i, attendu.Operations[i].cDate);
                totaux = false;
                break;
            case 1:
                attendu.Operations[i].nMontant = montants[tire(4)];
                position = changeMontantOperation(budget, i, attendu.Operations[i].nMontant);
                break;
            case 2: {
                if (const std::string code = codes[tire(6)]; budget.IndiceTypeDep(code) < 0) {
                    // A code no type holds: the operation stays, out of order perhaps, and
                    // the balance of its former type loses it.
                    attendu.Operations[i].cTypeDep = code;
                    EXPECT_EQ(changeTypeOperation(budget, i, code), i);
                    attendu.Operations[i].lMarquee = false;
                    trie = false;
                    break;
                }
                const TTypeDep& t = budget.TypesDep[tire(3)];
                attendu.Operations[i].cTypeDep = t.cTypeDep;
                attendu.Operations[i].nMontant = t.nMontant;
                attendu.Operations[i].cLibelle = t.cLibelle;
                position = changeTypeOperation(budget, i, t.cTypeDep);
                break;
            }
            case 3: {
                const std::size_t t = tire(3);
                const std::string ancien = budget.TypesDep[t].cTypeDep, nouveau = codes[tire(6)];
                trie = false;
                for (TOperation& o : attendu.Operations)
                    if (o.cTypeDep == ancien && ancien != nouveau)
                        o.cTypeDep = nouveau, trie = true;
                if (!changeCodeTypeDep(budget, t, nouveau)) continue;
                attendu.TypesDep[t].cTypeDep = nouveau;
                attendu.Operations[i].lMarquee = false;
                attendu.TrieTypesDep();
                break;
            }
            default:
                attendu.Operations.erase(attendu.Operations.begin() +
                                         static_cast<std::ptrdiff_t>(i));
                supprimeOperation(budget, i);
                trie = false;
            }
            if (trie) attendu.TrieOperations();
            for (std::size_t j = 0; j < attendu.Operations.size(); ++j)
                if (std::exchange(attendu.Operations[j].lMarquee, false)) {
                    EXPECT_EQ(position, j) << essai << ' ' << pas;
                }
            if (totaux) attendu.CalculeTotauxTypesDep();
            attendu.CalculeSoldesOperations();
            ASSERT_EQ(budget, attendu) << essai << ' ' << pas;
        }
    }
}

}  // namespace
}  // namespace varnelle
