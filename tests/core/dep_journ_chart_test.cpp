#include "core/drawing/dep_journ_chart.h"

#include <limits>
#include <map>

#include <gtest/gtest.h>

#include "fixed_metrics.h"

namespace varnelle {
namespace {

using test::FixedMetrics;

// Every colour different, so a primitive in the wrong colour cannot pass.
constexpr Couleur kFon = 0x101010, kLeg = 0x202020, kMl5 = 0x303030, kAut = 0x404040;

TParam chartColours() {
    TParam param;
    param.nCoulGrapheDJFon = kFon;
    param.nCoulGrapheDJLeg = kLeg;
    param.nCoulGrapheDJJrMl5 = kMl5;
    param.nCoulGrapheDJAutJr = kAut;
    return param;
}

Budget montants(const std::map<int, std::int32_t>& parJour) {
    Budget b;
    for (const auto& [jour, montant] : parJour)
        b.DepJourn[static_cast<std::size_t>(jour - 1)].nMontant = montant;
    return b;
}

Text chiffre(int x, int y, const char* c) {
    return Text{x, y, c, kLeg, kFon};
}

// Before day d come the background, two primitives for each of days 1..9 and three for
// each later day.
std::size_t premierDuJour(int jour) {
    return jour <= 10 ? 1 + 2 * static_cast<std::size_t>(jour - 1)
                      : 19 + 3 * static_cast<std::size_t>(jour - 10);
}

TEST(DepJournChart, DigitsThenBarForEachDayScaledToTheLargestAmount) {
    // 330 x 200, 31 days: slots of 310 / 31 = 10 pixels from x = 10; base line 160, bars
    // start at 170, digits at 172 and 184. The largest amount 64 rises 160 pixels: 2.5 a unit.
    const Drawing d = DessineDepJourn(330, 200, FixedMetrics{},
                                      montants({{1, 1},
                                                {3, std::numeric_limits<std::int32_t>::min()},
                                                {4, 3},
                                                {5, 64},
                                                {6, -4},
                                                {10, 2},
                                                {31, 20}}),
                                      31, chartColours());
    ASSERT_EQ(d.primitives.size(), 1 + 9 * 2 + 22 * 3u);
    EXPECT_EQ(d.primitives[0], Primitive(Rect{0, 0, 330, 200, 0xFFFFFF, kFon}));
    const struct {
        int jour;
        std::vector<Primitive> attendu;
    } cases[] = {
        // 2.5 pixels round to 2, 7.5 to 8.
        {1, {chiffre(10, 184, "1"), Rect{10, 170, 18, 169, kAut, kAut}}},
        // The largest refund would reach billions of pixels down: cut at the bottom edge.
        {3, {chiffre(30, 184, "3"), Rect{30, 170, 38, 200, kAut, kAut}}},
        {4, {chiffre(40, 184, "4"), Rect{40, 170, 48, 163, kAut, kAut}}},
        {5, {chiffre(50, 184, "5"), Rect{50, 170, 58, 11, kMl5, kMl5}}},
        // A small refund hangs below the base line, whole.
        {6, {chiffre(60, 184, "6"), Rect{60, 170, 68, 181, kAut, kAut}}},
        {10,
         {chiffre(100, 172, "1"), chiffre(100, 184, "0"), Rect{100, 170, 108, 166, kMl5, kMl5}}},
        {31,
         {chiffre(310, 172, "3"), chiffre(310, 184, "1"), Rect{310, 170, 318, 121, kAut, kAut}}},
    };
    for (const auto& c : cases)
        for (std::size_t k = 0; k < c.attendu.size(); ++k)
            EXPECT_EQ(d.primitives[premierDuJour(c.jour) + k], c.attendu[k]) << c.jour << " " << k;
}

TEST(DepJournChart, SlotsRoundHalvesToEvenAndDaysPastTheMonthAreLeftOut) {
    // 314 wide, 28 days: slots of 10.5 pixels. Height 100: base 60; day 29 is not drawn, so
    // the largest amount is day 1's 10, six pixels a unit.
    const Drawing d = DessineDepJourn(314, 100, FixedMetrics{}, montants({{1, 10}, {29, 1000}}), 28,
                                      chartColours());
    ASSERT_EQ(d.primitives.size(), 1 + 9 * 2 + 19 * 3u);
    const struct {
        int jour;
        Rect barre;
    } cases[] = {
        {1, {10, 70, 18, 11, kAut, kAut}},     // 10.5 rounds to 10
        {2, {20, 70, 29, 71, kAut, kAut}},     // 10.5 and 21
        {3, {31, 70, 40, 71, kAut, kAut}},     // 21 and 31.5 rounded up to 32
        {28, {294, 70, 302, 71, kAut, kAut}},  // 283.5 to 284, and 294
    };
    for (const auto& c : cases) {
        const std::size_t barre = premierDuJour(c.jour) + (c.jour >= 10 ? 2 : 1);
        EXPECT_EQ(d.primitives[barre], Primitive(c.barre)) << c.jour;
    }
}

TEST(DepJournChart, AnEmptyMonthHasOnePixelBarsAndTheDayCountIsClamped) {
    for (const std::int32_t nbJours : {27, 30, 35}) {
        const Drawing d =
            DessineDepJourn(330, 200, FixedMetrics{}, Budget{}, nbJours, chartColours());
        int barres = 0;
        for (std::size_t k = 1; k < d.primitives.size(); ++k)
            if (const Rect* r = std::get_if<Rect>(&d.primitives[k])) {
                ++barres;
                EXPECT_EQ(r->y1, 170);
                EXPECT_EQ(r->y2, 171) << nbJours;
            }
        EXPECT_EQ(barres, std::clamp(nbJours, 28, 31));
    }
}

TEST(DepJournChart, AClickSelectsTheDayOfItsSlotInsideTheMargins) {
    const struct {
        int x, y, width;
        std::int32_t nbJours;
        std::optional<int> jour;
    } cases[] = {
        // 330 x 200, 31 slots of 10 from x = 10; clicks count from y = 10 up to 169.
        {5, 100, 330, 31, {}},
        {10, 100, 330, 31, 1},
        {319, 100, 330, 31, 31},
        {320, 100, 330, 31, {}},
        {154, 9, 330, 31, {}},
        {154, 169, 330, 31, 15},
        {154, 170, 330, 31, {}},
        {319, 100, 330, 40, 31},
        // Slots of 10.5: x = 20 is still day 1, x = 21 day 2, not by whole slots of 10.
        {20, 100, 314, 28, 1},
        {21, 100, 314, 28, 2},
        {303, 100, 314, 28, 28},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jourSousPoint(c.x, c.y, c.width, 200, c.nbJours), c.jour) << c.x << "," << c.y;
}

}  // namespace
}  // namespace varnelle
