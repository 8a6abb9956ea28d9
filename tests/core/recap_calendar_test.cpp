#include <gtest/gtest.h>

#include "core/drawing/recap_calendar_cells.h"
#include "core/stats/calend_op.h"
#include "core/stats/recap_types_dep.h"
#include "fixed_metrics.h"
#include "records.h"

namespace varnelle {
namespace {

using test::FixedMetrics;
using test::operation;
using test::type;

template <class T> const T& at(const Drawing& drawing, std::size_t i) {
    return std::get<T>(drawing.primitives.at(i));
}

TEST(RecapTypesDep, OneColumnPerYearOfTheSpanAndSumsPerTypeAndMonth) {
    Budget budget;
    budget.TypesDep = {type("AL", 0), type("LO", 0), type("AL", 0)};
    budget.Operations = {
        operation("15/12/2000", "LO", -10),     operation("03/03/2001", "AL", 308.86L),
        operation("04/03/2001", "AL", -72.23L), operation("05/03/2001", "AL", -630.85L),
        operation("  /  /    ", "AL", 999),     operation("06/03/2001", "AL", 477.93L),
        operation("07/03/2001", "AL", -83.71L), operation("09/05/2001", "AL", -50),
        operation("10/05/2001", "XX", 70),      operation("10/02/2002", "LO", -30)};
    const RecapTypesDep recap = ConstruitRecapTypesDep(budget, false);
    ASSERT_EQ(recap.nNbAnnees, 3);
    EXPECT_EQ(recap.annee(1), 2000);
    ASSERT_EQ(recap.lignes.size(), 3u);

    const TRecapAnnee* al2001 = recap.cellule(0, 2);
    ASSERT_NE(al2001, nullptr);
    // March cancels out to a residue of about 2e-17: no amount.
    EXPECT_EQ(al2001->nSommeMois[2], 0);
    EXPECT_EQ(al2001->nSommeMois[4], -50);
    EXPECT_EQ(al2001->nMaxMois, 50);
    EXPECT_FALSE(al2001->lGraphe);
    EXPECT_FALSE(recap.celluleRemplie(0, 1));
    EXPECT_FALSE(recap.celluleRemplie(0, 3));
    EXPECT_TRUE(recap.celluleRemplie(1, 1));
    EXPECT_EQ(recap.cellule(1, 3)->nSommeMois[1], -30);
    // A second type of the same code shows the same sums; an unknown code is in no row.
    EXPECT_EQ(recap.cellule(2, 2)->nSommeMois, al2001->nSommeMois);

    // A year typed 0024 spans two thousand columns, memory for the two years that hold any.
    budget.Operations = {operation("01/01/0024", "AL", 5), operation("01/01/2024", "AL", 6)};
    const RecapTypesDep loin = ConstruitRecapTypesDep(budget, true);
    EXPECT_EQ(loin.nNbAnnees, 2001);
    EXPECT_EQ(loin.lignes[0].annees.size(), 2u);
    EXPECT_EQ(loin.cellule(0, 2001)->nSommeMois[0], 6);

    budget.Operations = {operation("  /  /    ", "AL", 5)};
    EXPECT_TRUE(ConstruitRecapTypesDep(budget, true).lignes.empty());
}

// January -50, February 100, March -200, the rest nothing.
TRecapAnnee troisMois(bool graphe) {
    TRecapAnnee annee;
    annee.nSommeMois[0] = -50;
    annee.nSommeMois[1] = 100;
    annee.nSommeMois[2] = -200;
    annee.nMaxMois = 200;
    annee.lGraphe = graphe;
    return annee;
}

TEST(RecapTypesDep, ChartCellHasItsOwnScaleFromAnAxisAtHalfTheHeight) {
    const TParam p;
    const TRecapAnnee annee = troisMois(true);
    const Drawing d = DessineCelluleRecap(276, 100, FixedMetrics(), &annee, true, p);
    EXPECT_EQ(at<Rect>(d, 0),
              (Rect{-1, 0, 276, 101, p.nCoulToutesGrillesBordures, p.nCoulGrapheRTDTIFon}));
    // Per month: its label then its bar. Axis at 50, 45 pixels for 200; a 22.17-pixel step
    // leaves room for 2 letters only.
    EXPECT_EQ(at<Text>(d, 1), (Text{5, 35, "Ja", p.nCoulGrapheRTDTILeg, p.nCoulGrapheRTDTIFon}));
    EXPECT_EQ(at<Rect>(d, 2).y2, 61);  // 11.25 pixels
    EXPECT_EQ(at<Text>(d, 3).y, 52);
    // 22.5 pixels round to 22, and 66.5 to 66.
    EXPECT_EQ(at<Rect>(d, 4), (Rect{27, 50, 47, 28, p.nCoulGrapheRTDTIMP, p.nCoulGrapheRTDTIMP}));
    EXPECT_EQ(at<Rect>(d, 6), (Rect{49, 50, 69, 95, p.nCoulGrapheRTDTIMI, p.nCoulGrapheRTDTIMI}));

    // Even rows take their own colours; a year without amount, or a cell too small, its
    // background only.
    EXPECT_EQ(at<Rect>(DessineCelluleRecap(276, 100, FixedMetrics(), &annee, false, p), 4).pen,
              p.nCoulGrapheRTDTPMP);
    EXPECT_EQ(DessineCelluleRecap(276, 100, FixedMetrics(), nullptr, true, p).primitives.size(),
              1u);
    EXPECT_EQ(DessineCelluleRecap(276, 9, FixedMetrics(), &annee, true, p).primitives.size(), 1u);
}

TEST(RecapTypesDep, TableCellThreeColumnsOfFourMonths) {
    const TParam p;
    const TRecapAnnee annee = troisMois(false);
    const Drawing d = DessineCelluleRecap(276, 100, FixedMetrics(), &annee, true, p);
    // Columns of 92 pixels, rows of 25; 4 letters fit in a sixth of the width.
    EXPECT_EQ(at<Text>(d, 1), (Text{1, 6, "Janv", p.nCoulGrapheRTDTILeg, p.nCoulGrapheRTDTIFon}));
    EXPECT_EQ(at<Text>(d, 3),
              (Text{1, 31, "F\xE9vr", p.nCoulGrapheRTDTILeg, p.nCoulGrapheRTDTIFon}));
    EXPECT_EQ(at<Text>(d, 4),
              (Text{47, 31, "100,00", p.nCoulGrapheRTDTIMP, p.nCoulGrapheRTDTIFon}));
    EXPECT_EQ(at<Text>(d, 7), (Text{1, 81, "Avri", p.nCoulGrapheRTDTILeg, p.nCoulGrapheRTDTIFon}));
    EXPECT_EQ(at<Text>(d, 8).text, "Mai");  // no amount in a month of none
    const std::size_t n = d.primitives.size();
    EXPECT_EQ(at<Line>(d, n - 5), (Line{1, 25, 274, 25, p.nCoulGrapheRTDTILeg}));
    EXPECT_EQ(at<Line>(d, n - 1), (Line{183, 2, 183, 99, p.nCoulGrapheRTDTILeg}));

    // In a third of 40 pixels, "100,00" (42) is left out and its month still named.
    const Drawing etroit = DessineCelluleRecap(120, 100, FixedMetrics(), &annee, true, p);
    EXPECT_EQ(at<Text>(etroit, 2).text, "F\xE9");
    EXPECT_EQ(at<Text>(etroit, 3).text, "Ma");
}

TEST(CalendOp, OneColumnPerRunOfAMonthAndRowsAsTallAsTheBusiestDay) {
    const std::vector<TOperation> operations = {
        operation("05/01/2001", "AL", -12, 1), operation("  /  /    ", "AL", 1),
        operation("05/01/2001", "LO", 40, 0),  operation("20/03/2001", "AL", -3),
        operation("20/03/2002", "AL", -4),     operation("06/03/2002", "SA", 9)};
    const CalendOp c = ConstruitCalendOp(operations, true);
    ASSERT_EQ(c.mois.size(), 3u);
    EXPECT_EQ(c.mois[1].cNomMois, "Mars");
    EXPECT_EQ(c.mois[2].cAnnee, "2002");
    EXPECT_EQ(c.nMaxJour[5], 2);
    EXPECT_EQ(c.nMaxJour[20], 1);
    EXPECT_EQ(c.nMaxJour[31], 1);
    EXPECT_EQ(c.mois[0].nNbOpJour[5], 2);
    EXPECT_EQ(c.operation(0, 5, 1), (TOpJour{0, "LO", 40}));
    // Days of a column in day order, whatever the journal's order.
    EXPECT_EQ(c.operation(2, 6, 0).cTypeDep, "SA");
    EXPECT_EQ(c.operation(2, 20, 0).nMontant, -4);
    EXPECT_TRUE(c.mois[2].lGrapheJour[0]);

    // Padded dates filter; the caption keeps the calendar's own writing.
    TCalendOp fevrier;
    fevrier.cAnnee = "2024";
    fevrier.nMois = 2;
    EXPECT_EQ(PeriodeMoisCalendOp(fevrier),
              (PeriodeCalendOp{"01/02/2024", "29/02/2024", "01/2/2024", "29/2/2024"}));
    EXPECT_EQ(PeriodeJourCalendOp(fevrier, 5),
              (PeriodeCalendOp{"05/02/2024", "05/02/2024", "5/2/2024", "5/2/2024"}));
}

TEST(CalendOp, DayCellListsOrBarsWithTheCodeOppositeTheBar) {
    const TParam p;
    CalendOp c = ConstruitCalendOp({operation("05/01/2001", "AL", -30, 1),
                                    operation("05/01/2001", "SA", 60, 0),
                                    operation("06/01/2001", "AL", 7, 1)},
                                   true);
    const Drawing barres = DessineCelluleCalendOp(88, 28, FixedMetrics(), c, 0, 5, 14, p, 0, 28);
    EXPECT_EQ(at<Rect>(barres, 0),
              (Rect{-1, -1, 88, 28, p.nCoulToutesGrillesBordures, p.nCoulGrilleCOMsImp}));
    // Half 44, scale 42 / 60.
    EXPECT_EQ(at<Text>(barres, 1),
              (Text{71, 0, "AL", p.nCoulGrilleCOOpCLeg, p.nCoulGrilleCOMsImp}));
    EXPECT_EQ(at<Rect>(barres, 2),
              (Rect{22, 1, 44, 12, p.nCoulGrilleCOOpCVal, p.nCoulGrilleCOOpCVal}));
    EXPECT_EQ(at<Text>(barres, 3),
              (Text{1, 14, "SA", p.nCoulGrilleCOOpDLeg, p.nCoulGrilleCOMsImp}));
    EXPECT_EQ(at<Rect>(barres, 4),
              (Rect{43, 15, 86, 26, p.nCoulGrilleCOOpDVal, p.nCoulGrilleCOOpDVal}));
    // Only the lines crossing the repainted rows.
    EXPECT_EQ(
        DessineCelluleCalendOp(88, 28, FixedMetrics(), c, 0, 5, 14, p, 14, 20).primitives.size(),
        3u);

    // A single operation is always a list line.
    const Drawing seule = DessineCelluleCalendOp(88, 14, FixedMetrics(), c, 0, 6, 14, p, 0, 14);
    ASSERT_EQ(seule.primitives.size(), 3u);
    EXPECT_EQ(at<Text>(seule, 2),
              (Text{57, 0, "7,00", p.nCoulGrilleCOOpCVal, p.nCoulGrilleCOMsImp}));

    // Amounts all 0 give bars of no length, not a division by zero.
    c = ConstruitCalendOp({operation("05/02/2001", "AL", 0), operation("05/02/2001", "AL", 0)},
                          true);
    const Drawing zero = DessineCelluleCalendOp(88, 28, FixedMetrics(), c, 0, 5, 14, p, 0, 28);
    EXPECT_EQ(at<Rect>(zero, 2),
              (Rect{43, 1, 44, 12, p.nCoulGrilleCOOpCVal, p.nCoulGrilleCOOpCVal}));
    EXPECT_EQ(at<Rect>(zero, 0).brush, p.nCoulGrilleCOMsPai);
}

}  // namespace
}  // namespace varnelle
