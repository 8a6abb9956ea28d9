#include "core/stats/monthly_balances.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/drawing/monthly_balances_chart.h"
#include "core/model/budget.h"
#include "fixed_metrics.h"
#include "records.h"

namespace varnelle {
namespace {

using test::operation;

// 2000: December. 2001: January, February and April (no March); an operation not yet dated.
Budget annee2001() {
    Budget budget;
    budget.Operations = {operation("31/12/2000", "A", 1000), operation("05/01/2001", "A", 100),
                         operation("20/01/2001", "A", -50),  operation("10/02/2001", "A", -200),
                         operation("03/04/2001", "A", 50),   operation("  /  /    ", "A", 7)};
    budget.calculeTout();
    return budget;
}

TPSimulation simulation(const char* debut, const char* fin, Montant montant, int select = 1) {
    return {select, "Pr\xEAt", debut, fin, montant};
}

std::vector<std::string> textes(const ArbreSoldesMensuels& arbre) {
    std::vector<std::string> t;
    for (const TreeNode& noeud : arbre.noeuds) t.push_back(noeud.text);
    return t;
}

TEST(MonthlyBalances, MonthsWithOperationsAndTheSimulatedBalances) {
    ArbreSoldesMensuels arbre = ConstruitArbreSoldesMensuels(annee2001().Operations, "10/02/2001");
    ASSERT_EQ(arbre.noeuds.size(), 6u);  // 2000, December, 2001, January, February, April
    EXPECT_EQ(arbre.selection, 4u);
    EXPECT_EQ(arbre.infos[3].cJour, "20");
    const std::vector<TickState> ticks = {TickState::Unticked, TickState::Unticked,
                                          TickState::Ticked,   TickState::Ticked,
                                          TickState::Ticked,   TickState::Ticked};
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_EQ(arbre.noeuds[i].tick, ticks[i]) << i;

    // Each month of 2001 in the period adds 100 once more; the missing March adds nothing.
    // Ignored: unticked, without a start date, without an amount.
    const std::vector<TPSimulation> simulations = {
        simulation("01/01/2001", "31/12/2001", 100), simulation("01/01/2001", "", 5, 0),
        simulation("  /  /    ", "", 5), simulation("01/01/2001", "", 0)};
    CalculeSoldesMensuels(arbre, simulations, true);
    EXPECT_EQ(textes(arbre),
              (std::vector<std::string>{"2000      1000,00",
                                        "D\xE9"
                                        "cembre       1000,00",
                                        "2001      1200,00", "JANVIER        1150,00",
                                        "F\xC9VRIER        1050,00", "AVRIL          1200,00"}));
    const std::vector<int> images = {0, 2, 8, 12, 10, 12};
    for (std::size_t i = 0; i < images.size(); ++i) EXPECT_EQ(arbre.noeuds[i].image, images[i]);

    // Without simulations: the reference balances; 2001 ends below 2000.
    CalculeSoldesMensuels(arbre, simulations, false);
    EXPECT_EQ(arbre.noeuds[4].text, "F\xE9vrier         850,00");
    EXPECT_EQ(arbre.noeuds[4].image, 10);
    EXPECT_EQ(arbre.noeuds[2].image, 6);
}

// From 15/03 to 15/06/2001: April is the first month (1 April is not before 15 March), June the
// last; July keeps three times the amount.
TEST(MonthlyBalances, APeriodStartsWithTheFirstMonthWhoseFirstDayIsInIt) {
    Budget budget;
    for (const char* date : {"10/03/2001", "10/04/2001", "10/05/2001", "10/06/2001", "10/07/2001"})
        budget.Operations.push_back(operation(date, "A", 100));
    budget.calculeTout();
    ArbreSoldesMensuels arbre = ConstruitArbreSoldesMensuels(budget.Operations, "");
    EXPECT_FALSE(arbre.selection);
    CalculeSoldesMensuels(arbre, {simulation("15/03/2001", "15/06/2001", 10)}, true);
    std::vector<Montant> ajouts;
    for (std::size_t i = 1; i < arbre.infos.size(); ++i)
        ajouts.push_back(arbre.infos[i].nSoldeAff - arbre.infos[i].nSoldeRef);
    EXPECT_EQ(ajouts, (std::vector<Montant>{0, 10, 20, 30, 30}));
    EXPECT_FALSE(arbre.infos[1].lSimule || arbre.infos[5].lSimule);
}

// Spring 2001 falls below zero with the simulation; its reference balance stays above.
TEST(MonthlyBalances, TheGraphDrawsTheTickedMonthsOfTickedYearsOverTheirReference) {
    ArbreSoldesMensuels arbre = ConstruitArbreSoldesMensuels(annee2001().Operations, "10/02/2001");
    CalculeSoldesMensuels(arbre, {simulation("01/04/2001", "", -1000)}, true);
    arbre.noeuds[4].tick = TickState::Unticked;  // February
    arbre.noeuds[1].tick = TickState::Ticked;    // December, of an unticked year
    const std::vector<TSoldeMensuel> barres = ConstruitSoldesMensuels(arbre);
    ASSERT_EQ(barres.size(), 2u);  // January and April
    EXPECT_EQ(barres[1], (TSoldeMensuel{5, "2001", "AVRIL    ", "04", "03", -100, 900}));

    // One bar on 500 x 300: the axis at 150, a step of 480, 900 reaching the top margin.
    const Drawing d =
        DessineGrapheSoldesMensuels(500, 300, test::FixedMetrics{}, {barres[1]}, TParam{});
    const auto dessine = [&d](const Rect& r) {
        return std::find(d.primitives.begin(), d.primitives.end(), Primitive(r)) !=
               d.primitives.end();
    };
    EXPECT_TRUE(dessine(Rect{10, 150, 488, 10, 0x00FFFF, 0x00FFFF}));    // odd year, even month
    EXPECT_TRUE(dessine(Rect{130, 150, 368, 166, 0xFF0000, 0xFF0000}));  // -100 inside it
}

}  // namespace
}  // namespace varnelle
