#include "core/drawing/types_dep_cells.h"

#include <gtest/gtest.h>

#include "fixed_metrics.h"

#include "core/model/month_mask.h"

namespace varnelle {
namespace {

using test::FixedMetrics;

// Every colour different (the defaults share some), so a primitive in the wrong colour
// cannot pass.
constexpr Couleur kFond = 0x101010, kTexte = 0x202020, kPaie = 0x303030;
constexpr Couleur kJgeFon = 0x404040, kJgeBar = 0x505050, kJgeDep = 0x606060;

TParam cellColours() {
    TParam param;
    param.nCoulGrilleTDFond = kFond;
    param.nCoulGrilleTDTexte = kTexte;
    param.nCoulGrilleTDMsPaie = kPaie;
    param.nCoulGrilleTDJgeFon = kJgeFon;
    param.nCoulGrilleTDJgeBar = kJgeBar;
    param.nCoulGrilleTDJgeDep = kJgeDep;
    return param;
}

Text due(int x, const char* letter) {
    return Text{x, 0, letter, kPaie, kFond};
}

TEST(TypesDepCells, MonthsDueOverwriteTheirInitialAtItsPlace) {
    const Primitive cell = Rect{0, 0, 104, 15, kFond, kFond};
    const Primitive initiales = Text{2, 0, "JFMAMJJASOND", kTexte, kFond};
    const struct {
        std::int32_t masque;
        std::vector<Primitive> overwritten;
    } cases[] = {
        {0, {}},
        // January alone sits on the margin; December after eleven letters of 7 pixels.
        {bitDuMois(1), {due(2, "J")}},
        {bitDuMois(12), {due(2 + 11 * 7, "D")}},
        // March, June and July: the second "M" and both "J" of summer, in month order.
        {bitDuMois(3) | bitDuMois(6) | bitDuMois(7),
         {due(2 + 2 * 7, "M"), due(2 + 5 * 7, "J"), due(2 + 6 * 7, "J")}},
        // Bits above the twelve months are not months.
        {0x1000 | bitDuMois(9), {due(2 + 8 * 7, "S")}},
    };
    const FixedMetrics metrics;
    for (const auto& c : cases) {
        Drawing expected{{cell, initiales}};
        expected.primitives.insert(expected.primitives.end(), c.overwritten.begin(),
                                   c.overwritten.end());
        EXPECT_EQ(DessineMoisPaiement(104, 15, metrics, c.masque, cellColours()), expected)
            << c.masque;
    }
}

TTypeDep typeDep(std::int32_t nNbMois, Montant nTotal, Montant nSolde) {
    TTypeDep type;
    type.nNbMois = nNbMois;
    type.nTotal = nTotal;
    type.nSolde = nSolde;
    return type;
}

TEST(TypesDepCells, GaugeComparesTheBookedAmountWithTheYearlyTotal) {
    const struct {
        const char* what;
        TTypeDep type;
        Couleur fond;
        int barre;  // 0: no bar primitive at all
    } cases[] = {
        {"no month due", typeDep(0, 0, -300), kJgeFon, 0},
        {"everything booked", typeDep(12, -600, -600), kJgeFon, 100},
        {"income counts by size", typeDep(12, 600, -150), kJgeFon, 25},
        // 900 against 600: the bar shows 600/900 of the cell, 66.67 pixels.
        {"overrun", typeDep(12, -600, -900), kJgeDep, 67},
        // A zero total is overrun by any booking, with nothing to show as a bar.
        {"zero total overrun", typeDep(12, 0, -10), kJgeDep, 0},
        {"zero total, nothing booked", typeDep(12, 0, 0), kJgeFon, 0},
        // 100 x 15 / 600 = 2.5 and 100 x 21 / 600 = 3.5: halves go to the even pixel.
        {"half down to even", typeDep(12, -600, -15), kJgeFon, 2},
        {"half up to even", typeDep(12, -600, -21), kJgeFon, 4},
    };
    for (const auto& c : cases) {
        Drawing expected{{Rect{0, 0, 100, 15, c.fond, c.fond}}};
        if (c.barre > 0)
            expected.primitives.emplace_back(Rect{0, 0, c.barre, 15, kJgeBar, kJgeBar});
        EXPECT_EQ(DessineJauge(100, 15, c.type, cellColours()), expected) << c.what;
    }
}

}  // namespace
}  // namespace varnelle
