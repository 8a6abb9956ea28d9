#include "core/reports/list_reports.h"

#include <gtest/gtest.h>

#include "fixed_metrics.h"
#include "records.h"

namespace varnelle {
namespace {

using test::FixedMetrics;
using test::operation;

std::vector<Text> textes(const Drawing& page) {
    std::vector<Text> t;
    for (const Primitive& p : page.primitives)
        if (const auto* text = std::get_if<Text>(&p)) t.push_back(*text);
    return t;
}

std::vector<Line> regles(const Drawing& page) {
    std::vector<Line> l;
    for (const Primitive& p : page.primitives)
        if (const auto* line = std::get_if<Line>(&p)) l.push_back(*line);
    return l;
}

TEST(ListReports, MonthsDueInUpperCase) {
    EXPECT_EQ(MoisPaiementImprimes(2340), "JfmAmjJasOnd");
    EXPECT_EQ(MoisPaiementImprimes(0), "jfmamjjasond");
    EXPECT_EQ(MoisPaiementImprimes(4095), "JFMAMJJASOND");
}

TEST(ListReports, OperationsRuleOffTheirMonthsUnderTheHeadingBand) {
    Budget budget = test::smallBudget();
    budget.Operations[1].nSelect = 0;
    budget.Operations[0].cLibelle = std::string(1000, 'x');
    const RapportListe rapport(budget, ListeImprimee::Operations);
    EXPECT_EQ(rapport.titre(), "Report Op\xE9rations");
    const Drawing page = rapport.page(0, FixedMetrics());
    EXPECT_EQ(page.unit, Unit::HundredthMm);
    const std::vector<Text> t = textes(page);
    ASSERT_EQ(t.size(), 6u * 4);
    EXPECT_EQ(t[3].text, "Montant");
    EXPECT_EQ(t[3].x, 4600);
    EXPECT_EQ(t[3].y, 1000);
    // Line 1: a label too long stops at the next rule; the amount ends on its box's right edge.
    EXPECT_EQ(t[6].text, "[*]");
    EXPECT_FALSE(t[6].droite);
    EXPECT_EQ(t[6].y, 1420);
    EXPECT_EQ(t[10].droite, 1000 + 11850 - 100);
    EXPECT_FALSE(t[10].background);
    EXPECT_EQ(t[9].text, "-40,00");
    EXPECT_EQ(t[9].x, 6320 - 42);
    EXPECT_EQ(t[12].text, "[ ]");
    EXPECT_EQ(t[12].y, 1840);
    EXPECT_EQ(t[10].font->family, "Arial");

    // Above the first operation and the first of March only; then the five column rules.
    const std::vector<Line> l = regles(page);
    ASSERT_EQ(l.size(), 2u + 5);
    EXPECT_EQ(l[0], (Line{1000, 1420, 14650, 1420, 0, false, 10}));
    EXPECT_EQ(l[1].y1, 1840);
    EXPECT_EQ(l[2], (Line{1530, 1000, 1530, 2680, 0, false, 10}));
}

TEST(ListReports, SixtyFourLinesAPageEachUnderItsHeadings) {
    Budget budget;
    for (int i = 0; i < 130; ++i) budget.Operations.push_back(operation("01/01/2024", "AL", i));
    const RapportListe rapport(budget, ListeImprimee::Operations);
    EXPECT_EQ(page_a4::kLignesParPage, 64u);
    ASSERT_EQ(rapport.nbPages(), 3u);
    const std::vector<Text> deuxieme = textes(rapport.page(1, FixedMetrics()));
    EXPECT_EQ(deuxieme[0].text, "Sel");
    EXPECT_EQ(deuxieme[6 + 3].text, "64,00");
    EXPECT_EQ(deuxieme.back().y, 1000 + 420 * 64);  // 27.88 cm: within the 28.7 cm of the body
    EXPECT_EQ(textes(rapport.page(2, FixedMetrics())).size(), 6u * 3);
    // One month: the rule above the first operation only, on the first page.
    EXPECT_EQ(regles(rapport.page(1, FixedMetrics())).size(), 5u);

    EXPECT_EQ(RapportListe(Budget(), ListeImprimee::TypesDep).nbPages(), 0u);
}

TEST(ListReports, TypesAndDailyRows) {
    const Budget budget = test::smallBudget();
    const std::vector<Text> types =
        textes(RapportListe(budget, ListeImprimee::TypesDep).page(0, FixedMetrics()));
    EXPECT_EQ(types[6 + 3].text, "JFMAMJJASOND");
    EXPECT_EQ(types[6 + 3].font->family, "Courier New");
    EXPECT_FALSE(types[6 + 3].droite);
    EXPECT_EQ(types[6 + 4].x, 1000 + 12070 + 1140 - 7 * 7);  // "-240,00"

    const RapportListe jours(budget, ListeImprimee::DepJourn);
    EXPECT_EQ(jours.titre(), "Report D\xE9penses Journali\xE8res");
    ASSERT_EQ(jours.nbPages(), 1u);
    const Drawing page = jours.page(0, FixedMetrics());
    EXPECT_EQ(textes(page).size(), 3u * 32);
    EXPECT_EQ(textes(page)[3 * 31].text, "31");
    EXPECT_EQ(regles(page)[0], (Line{1000, 1420, 5230, 1420, 0, false, 10}));
}

}  // namespace
}  // namespace varnelle
