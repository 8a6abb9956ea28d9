#include "drawing/operations_graph.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

constexpr Couleur kFon = 0x101010, kAxe = 0x202020, kVer = 0x303030, kImp = 0x404040,
                  kPai = 0x505050;

TParam couleurs() {
    TParam p;
    p.nCoulGrapheOpFon = kFon;
    p.nCoulGrapheOpAxe = kAxe;
    p.nCoulGrapheOpTrVer = kVer;
    p.nCoulGrapheOpMsImp = kImp;
    p.nCoulGrapheOpMsPai = kPai;
    return p;
}

Drawing avecCadreEtAxes(int width, int height, std::vector<Primitive> suite) {
    const int axe = (height - 20) / 2 + 10;
    Drawing d{{Rect{0, 0, width, height, 0xFFFFFF, kFon}, Line{10, 10, 10, height - 10, kAxe},
               Line{10, axe, width - 10, axe, kAxe}}};
    d.primitives.insert(d.primitives.end(), suite.begin(), suite.end());
    return d;
}

TEST(OperationsGraph, DropLinesAndSegmentsColouredByTheLeftDaysMonth) {
    const struct {
        const char* cas;
        SerieOperations serie;
        Drawing attendu;
    } cases[] = {
        // 220 x 120: axis at 60, days 50 pixels apart, largest balance 100 at half a pixel a
        // unit; y = 61 - Round(v / 2), 12.5 rounding to 12.
        {"across a month end",
         {{30, 1, 2024}, {100, 100, -50, 0, 25}, {true, false, true, true, true}},
         avecCadreEtAxes(220, 120,
                         {Line{10, 11, 60, 11, kImp}, Line{110, 60, 110, 86, kVer, true},
                          Line{60, 11, 110, 86, kImp}, Line{160, 60, 160, 61, kVer, true},
                          Line{110, 86, 160, 61, kPai}, Line{210, 60, 210, 49, kVer, true},
                          Line{160, 61, 210, 49, kPai}})},
        // A balance always at 0 lies flat one pixel under the axis; December then January.
        {"all zero across a year end",
         {{31, 12, 2023}, {0, 0, 0}, {true, false, true}},
         avecCadreEtAxes(220, 120,
                         {Line{10, 61, 110, 61, kPai}, Line{210, 60, 210, 61, kVer, true},
                          Line{110, 61, 210, 61, kImp}})},
        {"one day has no scale",
         {{1, 1, 2024}, {10}, {true}},
         {{Rect{0, 0, 220, 120, 0xFFFFFF, kFon}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DessineGrapheOperations(220, 120, c.serie, couleurs()), c.attendu) << c.cas;
}

TEST(OperationsGraph, SegmentColoursFollowTheCalendar) {
    const struct {
        CivilDate date0;
        std::vector<Couleur> attendu;
    } cases[] = {
        {{28, 2, 2024}, {kPai, kPai, kImp}},  // 29/02 exists in 2024
        {{28, 2, 2023}, {kPai, kImp, kImp}},
        {{30, 11, 2023}, {kImp, kPai, kPai}},  // November is odd
    };
    for (const auto& c : cases) {
        const SerieOperations serie{c.date0, {1, 2, 3, 4}, {true, false, false, false}};
        const Drawing d = DessineGrapheOperations(100, 100, serie, couleurs());
        ASSERT_EQ(d.primitives.size(), 6u);
        for (std::size_t s = 0; s < 3; ++s)
            EXPECT_EQ(std::get<Line>(d.primitives[3 + s]).pen, c.attendu[s])
                << c.date0.day << "/" << c.date0.month << "/" << c.date0.year << " " << s;
    }
}

}  // namespace
}  // namespace varnelle
