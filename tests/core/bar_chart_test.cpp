#include "core/drawing/bar_chart.h"

#include <array>

#include <gtest/gtest.h>

#include "fixed_metrics.h"

namespace varnelle {
namespace {

using test::FixedMetrics;

// Every colour different, so a primitive in the wrong colour cannot pass.
constexpr Couleur kFon = 0x101010, kLeg = 0x202020, kImp = 0x303030, kPai = 0x404040;

Text texte(int x, int y, std::string t) {
    return Text{x, y, std::move(t), kLeg, kFon};
}

// Bars labelled A, B, C... with the position rule.
GrapheBarres parPosition(const std::vector<long double>& montants) {
    GrapheBarres g{{}, kFon, kLeg, {kImp, kPai}};
    for (std::size_t i = 0; i < montants.size(); ++i)
        g.barres.push_back({montants[i], {{static_cast<char>('A' + i)}}, couleurParPosition(i)});
    return g;
}

TEST(BarChart, SignedBarsAroundTheZeroLine) {
    // Per bar: label corner, rectangle corners, colour.
    using B = std::array<int, 7>;
    const struct {
        int width, height;
        std::vector<long double> montants;
        std::vector<B> barres;
    } cases[] = {
        // h2 = 140, zero line 150, step 125, 1.4 pixels a unit.
        {520,
         300,
         {100, -50, 25, 0},
         {B{10, 152, 10, 150, 133, 10, kImp}, B{135, 135, 135, 150, 258, 220, kPai},
          B{260, 152, 260, 150, 383, 115, kImp}, B{385, 135, 385, 150, 508, 150, kPai}}},
        // Nothing to scale by: flat bars, labels above the line.
        {320,
         200,
         {0, 0},
         {B{10, 85, 10, 100, 158, 100, kImp}, B{160, 85, 160, 100, 308, 100, kPai}}},
        // H - 20 = 81 drops its odd pixel: h2 = 40; the largest reaches 2 h2 + 10.
        {220,
         101,
         {-10, -40},
         {B{10, 35, 10, 50, 108, 60, kImp}, B{110, 35, 110, 50, 208, 90, kPai}}},
        // One bar spans the plot; H = 20 leaves no height at all.
        {100, 20, {5}, {B{10, 12, 10, 10, 88, 10, kImp}}},
        // Step 2.5: edges at 0, 2.5, 5, 7.5, 10 round to 0, 2, 5, 8, 10.
        {30,
         60,
         {1, 1, 1, 1},
         {B{10, 32, 10, 30, 10, 10, kImp}, B{12, 32, 12, 30, 13, 10, kPai},
          B{15, 32, 15, 30, 16, 10, kImp}, B{18, 32, 18, 30, 18, 10, kPai}}},
        // No bar: the frame alone.
        {100, 100, {}, {}},
    };
    for (const auto& c : cases) {
        Drawing attendu{{Rect{0, 0, c.width, c.height, 0xFFFFFF, kFon}}};
        for (std::size_t i = 0; i < c.barres.size(); ++i) {
            const B& b = c.barres[i];
            attendu.primitives.push_back(texte(b[0], b[1], {static_cast<char>('A' + i)}));
            attendu.primitives.push_back(Rect{b[2], b[3], b[4], b[5], b[6], b[6]});
        }
        EXPECT_EQ(DessineGrapheBarres(c.width, c.height, FixedMetrics{}, parPosition(c.montants)),
                  attendu)
            << c.width << "x" << c.height;
    }
}

TEST(BarChart, LabelsAreCutOncePerDrawingFromTheRoundedStep) {
    // Two bars, so the step is (width - 20) / 2; characters are 7 pixels wide.
    const struct {
        int width;
        CoupeLegende coupe;
        const char *texte, *attendu;
    } cases[] = {
        {162, legendeDate(), "05/03/2024", "05/03/2024"},  // step 71 > 70
        {161, legendeDate(), "05/03/2024", "05/03"},       // 70.5 rounds to 70
        {91, legendeDate(), "05/03/2024", "05/03"},        // 35.5 rounds to 36 > 35
        {90, legendeDate(), "05/03/2024", "05"},
        {148, legendeMois('M'), "Septembre", "Septembre"},  // 64 > 63
        {146, legendeMois('M'), "Septembre", "Sept"},
        {76, legendeMois('M'), "Septembre", "Se"},
        {78, legendeAnnee('M'), "2001", "2001"},  // 29 > 28
        {76, legendeAnnee('M'), "2001", "01"},
        {30, legendeEntiere(), "ABCDEFG", "ABCDEFG"},
    };
    for (const auto& c : cases) {
        GrapheBarres g = parPosition({1, 1});
        g.lignes = {c.coupe};
        g.barres[0].legendes = {c.texte};
        const Drawing d = DessineGrapheBarres(c.width, 100, FixedMetrics{}, g);
        EXPECT_EQ(d.primitives.at(1), Primitive(texte(10, 52, c.attendu))) << c.width;
    }
}

TEST(BarChart, TwoLabelLinesInnerBarOwnScaleAndGridCell) {
    // Four colours by year and month. h2 = 40, zero line 50, step 100; a scale of 80 gives
    // half a pixel a unit.
    GrapheBarres g{{{20, {"Janvier", "2001"}, 0, 10}, {-40, {"Fevrier", "2002"}, 3}},
                   kFon,
                   kLeg,
                   {kImp, 1, 2, kPai},
                   {legendeMois('M'), legendeAnnee('M')}};
    g.maximum = 80;
    EXPECT_EQ(DessineGrapheBarres(220, 100, FixedMetrics{}, g),
              (Drawing{{Rect{0, 0, 220, 100, 0xFFFFFF, kFon}, texte(10, 52, "Janvier"),
                        texte(10, 64, "2001"), Rect{10, 50, 108, 40, kImp, kImp},
                        // A quarter of the step in from each side, complementary colour.
                        Rect{35, 50, 83, 45, 0xCFCFCF, 0xCFCFCF}, texte(110, 35, "Fevrier"),
                        texte(110, 23, "2002"), Rect{110, 50, 208, 70, kPai, kPai}}}));
    EXPECT_EQ(couleurParParite(2001), 0u);
    EXPECT_EQ(couleurParParite(12), 1u);

    // Twelve months in a cell at (100, 40), 130 x 50, margins 5: step 10, axis at 65.
    GrapheBarres cellule = parPosition(std::vector<long double>(12, 0));
    cellule.gauche = 100, cellule.haut = 40, cellule.marge = 5, cellule.maximum = 40;
    cellule.lignes = {legendeMois('X')};
    cellule.barres[0] = {40, {"Janvier"}, 0};
    cellule.barres[11] = {-10, {"Decembre"}, 1};
    Drawing d;
    ajouteBarres(d, 130, 50, FixedMetrics{}, cellule);
    ASSERT_EQ(d.primitives.size(), 24u);
    EXPECT_EQ(d.primitives[0], Primitive(texte(105, 67, "Ja")));
    EXPECT_EQ(d.primitives[1], Primitive(Rect{105, 65, 113, 45, kImp, kImp}));
    EXPECT_EQ(d.primitives[22], Primitive(texte(215, 50, "De")));
    EXPECT_EQ(d.primitives[23], Primitive(Rect{215, 65, 223, 70, kPai, kPai}));
}

TEST(BarChart, ClickTruncatesTowardTheBarUnderIt) {
    using O = std::optional<std::size_t>;
    const struct {
        int x, y, width;
        std::size_t n;
        O attendu;
    } cases[] = {
        // Height 300, step 125 from x = 10; then a step of 33.33, edges at 43.33 and 76.67.
        {10, 10, 520, 4, 0},   {134, 150, 520, 4, 0},   {135, 150, 520, 4, 1},
        {509, 289, 520, 4, 3}, {9, 150, 520, 4, O{}},   {510, 150, 520, 4, O{}},
        {100, 9, 520, 4, O{}}, {100, 290, 520, 4, O{}}, {100, 150, 520, 0, O{}},
        {43, 50, 120, 3, 0},   {44, 50, 120, 3, 1},     {76, 50, 120, 3, 1},
        {77, 50, 120, 3, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(barreSousPoint(c.x, c.y, c.width, 300, c.n), c.attendu) << c.x << "," << c.y;
}

}  // namespace
}  // namespace varnelle
