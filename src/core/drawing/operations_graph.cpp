#include "core/drawing/operations_graph.h"

#include <algorithm>
#include <cmath>

#include "core/drawing/bar_chart.h"

namespace varnelle {
namespace {

constexpr int kMarge = 10;

}  // namespace

Drawing DessineGrapheOperations(int width, int height, const SerieOperations& serie,
                                const TParam& param) {
    Drawing drawing;
    ajouteCadre(drawing, width, height, param.nCoulGrapheOpFon);
    const std::size_t nbJours = std::min(serie.v.size(), serie.op.size());
    if (serie.resultat != ResultatPeriode::Ok || nbJours < 2) return drawing;

    const int h2 = (height - 2 * kMarge) / 2;
    const int axe = h2 + kMarge;
    // Shared with the double-click, which maps the pointer to a segment by the same step.
    const long double xs = pasBarres(width - 2 * kMarge, nbJours - 1);
    // A period whose balance stays at 0 is drawn flat on the axis.
    const long double k = serie.m > 0 ? h2 / serie.m : 0.0L;
    const auto x = [&](std::size_t d) { return roundHalfEven(d * xs) + kMarge; };
    // A balance of 0 sits one pixel under the axis line.
    const auto y = [&](std::size_t d) { return axe + 1 - roundHalfEven(serie.v[d] * k); };

    drawing.primitives.reserve(3 + 2 * nbJours);
    drawing.primitives.emplace_back(
        Line{kMarge, kMarge, kMarge, height - kMarge, param.nCoulGrapheOpAxe, false});
    drawing.primitives.emplace_back(
        Line{kMarge, axe, width - kMarge, axe, param.nCoulGrapheOpAxe, false});
    // The month of each segment's left day, walked one day at a time from date0.
    CivilDate jour = dateFromSerial(serie.date0);
    int precedent = x(0), yPrecedent = y(0);
    for (std::size_t d = 1; d < nbJours; ++d) {
        const int xd = x(d), yd = y(d);
        if (serie.op[d])
            drawing.primitives.emplace_back(Line{xd, axe, xd, yd, param.nCoulGrapheOpTrVer, true});
        const Couleur couleur =
            jour.month % 2 != 0 ? param.nCoulGrapheOpMsImp : param.nCoulGrapheOpMsPai;
        drawing.primitives.emplace_back(Line{precedent, yPrecedent, xd, yd, couleur, false});
        precedent = xd;
        yPrecedent = yd;
        if (jour.day < daysInMonth(jour.month, jour.year)) {
            ++jour.day;
        } else {
            jour.day = 1;
            jour.month = jour.month % 12 + 1;
            if (jour.month == 1) ++jour.year;
        }
    }
    return drawing;
}

}  // namespace varnelle
