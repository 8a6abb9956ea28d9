#include "drawing/bar_chart.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

class FixedMetrics final : public TextMetrics {
public:
    int width(std::string_view text) const override { return 7 * static_cast<int>(text.size()); }
    int height() const override { return 13; }
};

constexpr Couleur kBlanc = 0xFFFFFF;
// Every colour different, so a primitive in the wrong colour cannot pass.
constexpr Couleur kFon = 0x101010, kLeg = 0x202020, kImp = 0x303030, kPai = 0x404040;

GrapheBarres parPosition(const std::vector<long double>& montants) {
    GrapheBarres g;
    g.fond = kFon;
    g.legende = kLeg;
    g.couleurs = {kImp, kPai};
    for (std::size_t i = 0; i < montants.size(); ++i)
        g.barres.push_back({montants[i],
                            {std::string(1, static_cast<char>('A' + i))},
                            couleurParPosition(i),
                            std::nullopt});
    return g;
}

Text legende(int x, int y, const char* texte) {
    return Text{x, y, texte, kLeg, kFon};
}

TEST(BarChart, SignedBarsAroundTheZeroLine) {
    const struct {
        const char* cas;
        int width, height;
        std::vector<long double> montants;
        std::vector<Primitive> attendu;  // after the frame
    } cases[] = {
        // h2 = 140, zero line 150, step 125, 1.4 pixels a unit.
        {"up, down, small and zero",
         520,
         300,
         {100, -50, 25, 0},
         {legende(10, 152, "A"), Rect{10, 150, 133, 10, kImp, kImp}, legende(135, 135, "B"),
          Rect{135, 150, 258, 220, kPai, kPai}, legende(260, 152, "C"),
          Rect{260, 150, 383, 115, kImp, kImp}, legende(385, 135, "D"),
          Rect{385, 150, 508, 150, kPai, kPai}}},
        // Nothing to scale by: flat bars, labels above the line.
        {"all zero",
         320,
         200,
         {0, 0, 0},
         {legende(10, 85, "A"), Rect{10, 100, 108, 100, kImp, kImp}, legende(110, 85, "B"),
          Rect{110, 100, 208, 100, kPai, kPai}, legende(210, 85, "C"),
          Rect{210, 100, 308, 100, kImp, kImp}}},
        // H - 20 = 81 drops its odd pixel: h2 = 40; the largest reaches 2 h2 + 10.
        {"negative only",
         220,
         101,
         {-10, -40},
         {legende(10, 35, "A"), Rect{10, 50, 108, 60, kImp, kImp}, legende(110, 35, "B"),
          Rect{110, 50, 208, 90, kPai, kPai}}},
        // One bar spans the plot; H = 20 leaves no height at all.
        {"single bar, no height",
         100,
         20,
         {5},
         {legende(10, 12, "A"), Rect{10, 10, 88, 10, kImp, kImp}}},
        // Step 2.5: edges at 0, 2.5, 5, 7.5, 10 round to 0, 2, 5, 8, 10.
        {"halves to even",
         30,
         60,
         {1, 1, 1, 1},
         {legende(10, 32, "A"), Rect{10, 30, 10, 10, kImp, kImp}, legende(12, 32, "B"),
          Rect{12, 30, 13, 10, kPai, kPai}, legende(15, 32, "C"), Rect{15, 30, 16, 10, kImp, kImp},
          legende(18, 32, "D"), Rect{18, 30, 18, 10, kPai, kPai}}},
    };
    for (const auto& c : cases) {
        Drawing attendu{{Rect{0, 0, c.width, c.height, kBlanc, kFon}}};
        attendu.primitives.insert(attendu.primitives.end(), c.attendu.begin(), c.attendu.end());
        EXPECT_EQ(DessineGrapheBarres(c.width, c.height, FixedMetrics{}, parPosition(c.montants)),
                  attendu)
            << c.cas;
    }
}

TEST(BarChart, LabelsAreCutOncePerDrawingFromTheRoundedStep) {
    // Two bars, so the step is (width - 20) / 2; characters are 7 pixels wide.
    const struct {
        int width;
        CoupeLegende coupe;
        const char* texte;
        const char* attendu;
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
        ASSERT_GE(d.primitives.size(), 2u);
        EXPECT_EQ(std::get<Text>(d.primitives[1]).text, c.attendu) << c.width << " " << c.texte;
    }
}

TEST(BarChart, SecondLabelLineInnerBarAndOwnScale) {
    // h2 = 40, zero line 50, step 100; a scale of 80 gives half a pixel a unit.
    GrapheBarres g;
    g.fond = kFon;
    g.legende = kLeg;
    g.couleurs = {kImp, 0x111111, 0x222222, kPai};
    g.lignes = {legendeMois('M'), legendeAnnee('M')};
    g.maximum = 80;
    g.barres = {{20, {"Janvier", "2001"}, 0, 10}, {-40, {"Fevrier", "2002"}, 3, std::nullopt}};
    const Drawing attendu{{Rect{0, 0, 220, 100, kBlanc, kFon}, legende(10, 52, "Janvier"),
                           legende(10, 64, "2001"), Rect{10, 50, 108, 40, kImp, kImp},
                           // A quarter of the step in from each side, complementary colour.
                           Rect{35, 50, 83, 45, 0xCFCFCF, 0xCFCFCF}, legende(110, 35, "Fevrier"),
                           legende(110, 23, "2002"), Rect{110, 50, 208, 70, kPai, kPai}}};
    EXPECT_EQ(DessineGrapheBarres(220, 100, FixedMetrics{}, g), attendu);
}

TEST(BarChart, TwelveMonthsInsideAGridCell) {
    // A cell at (100, 40), 130 x 50, margins of 5: month step 10, axis at 40 + 20 + 5 = 65.
    GrapheBarres g = parPosition(std::vector<long double>(12, 0));
    g.gauche = 100;
    g.haut = 40;
    g.marge = 5;
    g.maximum = 40;
    g.lignes = {legendeMois('X')};
    g.barres[0] = {40, {"Janvier"}, 0, std::nullopt};
    g.barres[11] = {-10, {"Decembre"}, 1, std::nullopt};
    Drawing d;
    ajouteBarres(d, 130, 50, FixedMetrics{}, g);
    ASSERT_EQ(d.primitives.size(), 24u);
    EXPECT_EQ(d.primitives[0], Primitive(legende(105, 67, "Ja")));
    EXPECT_EQ(d.primitives[1], Primitive(Rect{105, 65, 113, 45, kImp, kImp}));
    EXPECT_EQ(d.primitives[22], Primitive(legende(215, 50, "De")));
    EXPECT_EQ(d.primitives[23], Primitive(Rect{215, 65, 223, 70, kPai, kPai}));
}

TEST(BarChart, NoBarDrawsOnlyTheFrameAndParityRules) {
    EXPECT_EQ(DessineGrapheBarres(100, 100, FixedMetrics{}, parPosition({})).primitives.size(), 1u);
    EXPECT_EQ(couleurParPosition(0), 0u);
    EXPECT_EQ(couleurParPosition(5), 1u);
    EXPECT_EQ(couleurParParite(1), 0u);
    EXPECT_EQ(couleurParParite(12), 1u);
    EXPECT_EQ(couleurParParite(2001), 0u);
}

TEST(BarChart, ClickTruncatesTowardTheBarUnderIt) {
    const struct {
        int x, y, width, height;
        std::size_t n;
        std::optional<std::size_t> attendu;
    } cases[] = {
        // Step 125 from x = 10.
        {10, 10, 520, 300, 4, 0},
        {134, 150, 520, 300, 4, 0},
        {135, 150, 520, 300, 4, 1},
        {509, 289, 520, 300, 4, 3},
        {9, 150, 520, 300, 4, std::nullopt},
        {510, 150, 520, 300, 4, std::nullopt},
        {100, 9, 520, 300, 4, std::nullopt},
        {100, 290, 520, 300, 4, std::nullopt},
        {100, 150, 520, 300, 0, std::nullopt},
        // Step 33.33: the edge between bars 0 and 1 lies at 43.33, between 1 and 2 at 76.67.
        {43, 50, 120, 100, 3, 0},
        {44, 50, 120, 100, 3, 1},
        {76, 50, 120, 100, 3, 1},
        {77, 50, 120, 100, 3, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(barreSousPoint(c.x, c.y, c.width, c.height, c.n), c.attendu)
            << c.x << "," << c.y << " n=" << c.n;
}

}  // namespace
}  // namespace varnelle
