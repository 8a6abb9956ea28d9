#include "core/drawing/operations_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace varnelle {
namespace {

// A successful series as the period computation hands it over.
SerieOperations serie(CivilDate date0, std::vector<long double> v, std::vector<bool> op) {
    SerieOperations s;
    s.resultat = ResultatPeriode::Ok;
    s.D = static_cast<std::int32_t>(v.size());
    s.date0 = dateSerial(date0);
    for (long double solde : v) s.m = std::max(s.m, std::abs(solde));
    s.v = std::move(v);
    s.op = std::move(op);
    return s;
}

constexpr Couleur kFon = 0x101010, kAxe = 0x202020, kVer = 0x303030, kImp = 0x404040,
                  kPai = 0x505050;

TEST(OperationsGraph, DropLinesAndSegmentsColouredByTheLeftDaysMonth) {
    TParam p;
    p.nCoulGrapheOpFon = kFon, p.nCoulGrapheOpAxe = kAxe, p.nCoulGrapheOpTrVer = kVer;
    p.nCoulGrapheOpMsImp = kImp, p.nCoulGrapheOpMsPai = kPai;
    const Rect cadre{0, 0, 220, 120, 0xFFFFFF, kFon};
    const auto pointille = [](int x, int y) { return Line{x, 60, x, y, kVer, true}; };
    const struct {
        SerieOperations serie;
        std::vector<Primitive> apresAxes;
    } cases[] = {
        // 220 x 120: axis at 60, days 50 pixels apart, largest balance 100 at half a pixel a
        // unit; y = 61 - Round(v / 2), 12.5 rounding to 12. 31/01's segment is January's.
        {serie({30, 1, 2024}, {100, 100, -50, 0, 25}, {true, false, true, true, true}),
         {Line{10, 11, 60, 11, kImp}, pointille(110, 86), Line{60, 11, 110, 86, kImp},
          pointille(160, 61), Line{110, 86, 160, 61, kPai}, pointille(210, 49),
          Line{160, 61, 210, 49, kPai}}},
        // Always 0: flat, one pixel under the axis; December then January.
        {serie({31, 12, 2023}, {0, 0, 0}, {true, false, true}),
         {Line{10, 61, 110, 61, kPai}, pointille(210, 61), Line{110, 61, 210, 61, kImp}}},
        // 29/02 exists in 2024, not in 2023.
        {serie({28, 2, 2024}, {0, 0, 0, 0}, {true, false, false, false}),
         {Line{10, 61, 77, 61, kPai}, Line{77, 61, 143, 61, kPai}, Line{143, 61, 210, 61, kImp}}},
        {serie({28, 2, 2023}, {0, 0, 0, 0}, {true, false, false, false}),
         {Line{10, 61, 77, 61, kPai}, Line{77, 61, 143, 61, kImp}, Line{143, 61, 210, 61, kImp}}},
    };
    for (const auto& c : cases) {
        Drawing attendu{{cadre, Line{10, 10, 10, 110, kAxe}, Line{10, 60, 210, 60, kAxe}}};
        attendu.primitives.insert(attendu.primitives.end(), c.apresAxes.begin(), c.apresAxes.end());
        EXPECT_EQ(DessineGrapheOperations(220, 120, c.serie, p), attendu) << c.serie.date0;
    }
    // One day has no scale, and a failed series nothing to draw: the background only.
    EXPECT_EQ(DessineGrapheOperations(220, 120, serie({1, 1, 2024}, {10}, {true}), p),
              Drawing{{cadre}});
    EXPECT_EQ(DessineGrapheOperations(220, 120, SerieOperations{}, p), Drawing{{cadre}});
}

}  // namespace
}  // namespace varnelle
