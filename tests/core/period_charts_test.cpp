#include "core/drawing/period_charts.h"

#include <gtest/gtest.h>

#include "fixed_metrics.h"
#include "records.h"

namespace varnelle {
namespace {

using test::FixedMetrics;

TEST(PeriodCharts, TypesGraphTakesItsOwnColourKeysAndCodeLabels) {
    TParam p;
    p.nCoulGrapheTDFon = 0x10, p.nCoulGrapheTDLeg = 0x20, p.nCoulGrapheTDTyImp = 0x30,
    p.nCoulGrapheTDTyPai = 0x40;
    // The bars themselves are the bar chart's; here only the keys and labels are the graph's.
    const std::vector<TTD> barres{{"AAA", 100}, {"BBB", -50}};
    const Couleur fond = 0x10;
    const Drawing d = DessineGrapheTypesDep(520, 300, FixedMetrics{}, barres, p);
    ASSERT_EQ(d.primitives.size(), 5u);
    EXPECT_EQ(d.primitives[1], Primitive(Text{10, 152, "AAA", 0x20, fond}));
    EXPECT_EQ(d.primitives[2], Primitive(Rect{10, 150, 258, 10, 0x30, 0x30}));
    EXPECT_EQ(d.primitives[4], Primitive(Rect{260, 150, 508, 220, 0x40, 0x40}));
    EXPECT_EQ(DessineGrapheTypesDep(520, 300, FixedMetrics{}, {}, p),
              (Drawing{{Rect{0, 0, 520, 300, 0xFFFFFF, fond}}}));
}

TEST(PeriodCharts, OperationsWindowChartCutsDatesToTheBarStep) {
    TParam p;
    p.nCoulGrapheFDFon = 0x11, p.nCoulGrapheFDLeg = 0x21, p.nCoulGrapheFDLgImp = 0x31,
    p.nCoulGrapheFDLgPai = 0x41;
    const std::vector<TGrapheOperations> groupes{{0, 1, "05/03/2024", "EDF", 30},
                                                 {2, 2, "06/03/2024", "", -10}};
    // Step 45: wider than "88/88" (35) but not "88/88/8888" (70).
    const Drawing d = DessineGrapheOperationsTypeDep(110, 100, FixedMetrics{}, groupes, p);
    ASSERT_EQ(d.primitives.size(), 5u);
    EXPECT_EQ(d.primitives[1], Primitive(Text{10, 52, "05/03", 0x21, 0x11}));
    EXPECT_EQ(d.primitives[2], Primitive(Rect{10, 50, 53, 10, 0x31, 0x31}));
    EXPECT_EQ(d.primitives[3], Primitive(Text{55, 35, "06/03", 0x21, 0x11}));
    EXPECT_EQ(d.primitives[4], Primitive(Rect{55, 50, 98, 63, 0x41, 0x41}));
}

TEST(PeriodCharts, PeriodGraphReadsTheFieldsAsTheDrawButtonDoes) {
    Budget budget = test::smallBudget();
    budget.Param.nCoulGrapheTDFon = 0x10, budget.Param.nCoulGrapheOpFon = 0x20;
    const auto dessine = [&](GrapheDePeriode graphe, const char* deb, const char* fin) {
        return DessineGraphePeriode(graphe, budget, deb, fin, 100, 60, FixedMetrics{});
    };
    const Drawing fondTD{{Rect{0, 0, 100, 60, 0xFFFFFF, 0x10}}};
    const Drawing fondOp{{Rect{0, 0, 100, 60, 0xFFFFFF, 0x20}}};

    // A half-typed start is an open bound, as a blank one.
    GraphePeriode g = dessine(GrapheDePeriode::Operations, "01/03/20", "15/03/2024");
    EXPECT_EQ(g.resultat, ResultatPeriode::Ok);
    EXPECT_EQ(g.periode.cDateDeb, kDateVide);
    EXPECT_EQ(g.drawing, dessine(GrapheDePeriode::Operations, "", "15/03/2024").drawing);
    EXPECT_GT(g.drawing.primitives.size(), 1u);

    // Nothing to draw leaves the background; reversed bounds leave the surface alone.
    g = dessine(GrapheDePeriode::Operations, "03/03/2024", "");
    EXPECT_EQ(g.resultat, ResultatPeriode::AucuneOperation);
    EXPECT_EQ(g.drawing, fondOp);
    g = dessine(GrapheDePeriode::TypesDep, "16/03/2024", "");
    EXPECT_EQ(g.resultat, ResultatPeriode::AucuneOperation);
    EXPECT_EQ(g.drawing, fondTD);
    g = dessine(GrapheDePeriode::TypesDep, "15/03/2024", "01/03/2024");
    EXPECT_EQ(g.resultat, ResultatPeriode::DateInitialeApresFinale);
    EXPECT_TRUE(g.drawing.primitives.empty());
}

}  // namespace
}  // namespace varnelle
