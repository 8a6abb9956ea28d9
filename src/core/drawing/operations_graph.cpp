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
    return DessineGrapheOperations(width, height, SerieJoursDe(serie), param);
}

Drawing DessineGrapheOperations(int width, int height, const SerieJours& serie,
                                const TParam& param) {
    Drawing drawing;
    ajouteCadre(drawing, width, height, param.nCoulGrapheOpFon);
    const std::int32_t nbJours = serie.D;
    if (serie.resultat != ResultatPeriode::Ok || nbJours < 2 || serie.jours.empty() ||
        serie.jours.front().d != 0)
        return drawing;

    const int h2 = (height - 2 * kMarge) / 2;
    const int axe = h2 + kMarge;
    // Shared with the double-click, which maps the pointer to a segment by the same step.
    const long double xs = pasBarres(width - 2 * kMarge, static_cast<std::size_t>(nbJours - 1));
    // A period whose balance stays at 0 is drawn flat on the axis.
    const long double k = serie.m > 0 ? h2 / serie.m : 0.0L;
    const auto x = [&](std::int32_t d) {
        return roundHalfEven(static_cast<long double>(d) * xs) + kMarge;
    };
    // A balance of 0 sits one pixel under the axis line.
    const auto y = [&](Montant v) { return axe + 1 - roundHalfEven(v * k); };
    // Each segment takes the colour of the month of its left day.
    const auto couleur = [&](std::int32_t d) {
        return MoisImpair(serie.date0 + d) ? param.nCoulGrapheOpMsImp : param.nCoulGrapheOpMsPai;
    };
    // The last day whose abscissa is at or left of pixel column px.
    const auto dernierJour = [&](int px) {
        auto t = static_cast<std::int32_t>(std::clamp<long double>(
            std::floor((px - kMarge + 0.5L) / xs), 0, static_cast<long double>(nbJours - 1)));
        while (t + 1 < nbJours && x(t + 1) <= px) ++t;
        while (t > 0 && x(t) > px) --t;
        return t;
    };

    drawing.primitives.emplace_back(
        Line{kMarge, kMarge, kMarge, height - kMarge, param.nCoulGrapheOpAxe, false});
    drawing.primitives.emplace_back(
        Line{kMarge, axe, width - kMarge, axe, param.nCoulGrapheOpAxe, false});
    // The days between two entries keep one balance: their segments are flat and side by
    // side, each pixel drawn by one of them. Once several days share a pixel column, each
    // column is drawn once, in the colour of the last day that starts at or before it.
    const auto plat = [&](std::int32_t premier, std::int32_t dernier, int yPlat) {
        if (premier > dernier) return;
        if (xs >= 1) {
            for (std::int32_t d = premier; d <= dernier; ++d)
                drawing.primitives.emplace_back(Line{x(d - 1), yPlat, x(d), yPlat, couleur(d - 1)});
            return;
        }
        const int fin = x(dernier);
        for (int px = x(premier - 1); px < fin;) {
            const Couleur c = couleur(dernierJour(px));
            int suite = px + 1;
            while (suite < fin && couleur(dernierJour(suite)) == c) ++suite;
            drawing.primitives.emplace_back(Line{px, yPlat, suite, yPlat, c});
            px = suite;
        }
    };
    for (std::size_t i = 1; i <= serie.jours.size(); ++i) {
        const JourSerie& avant = serie.jours[i - 1];
        const int yAvant = y(avant.v);
        const std::int32_t suivant = i < serie.jours.size() ? serie.jours[i].d : nbJours;
        plat(avant.d + 1, std::min(suivant, nbJours) - 1, yAvant);
        if (i == serie.jours.size() || suivant >= nbJours) break;
        const JourSerie& jour = serie.jours[i];
        const int xd = x(jour.d), yd = y(jour.v);
        if (jour.op)
            drawing.primitives.emplace_back(Line{xd, axe, xd, yd, param.nCoulGrapheOpTrVer, true});
        drawing.primitives.emplace_back(
            Line{x(jour.d - 1), yAvant, xd, yd, couleur(jour.d - 1), false});
    }
    return drawing;
}

}  // namespace varnelle
