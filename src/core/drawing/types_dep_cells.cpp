#include "core/drawing/types_dep_cells.h"

#include <cmath>
#include <string_view>

#include "core/model/month_mask.h"

namespace varnelle {
namespace {

constexpr std::string_view kInitiales = "JFMAMJJASOND";
// Leaves the first letter clear of the cell's left border.
constexpr int kMarge = 2;

}  // namespace

Drawing DessineMoisPaiement(int width, int height, const TextMetrics& metrics,
                            std::int32_t nPeriodicite, const TParam& param) {
    const Couleur fond = param.nCoulGrilleTDFond;
    Drawing drawing;
    drawing.primitives.emplace_back(Rect{0, 0, width, height, fond, fond});
    drawing.primitives.emplace_back(
        Text{kMarge, 0, std::string(kInitiales), param.nCoulGrilleTDTexte, fond});
    if (nPeriodicite == 0) return drawing;
    for (int mois = 1; mois <= 12; ++mois) {
        if ((nPeriodicite & bitDuMois(mois)) == 0) continue;
        // Measured rather than multiplied, so the letters stay over their places whatever
        // the font's advances.
        const int x = kMarge + metrics.width(kInitiales.substr(0, mois - 1));
        drawing.primitives.emplace_back(Text{x, 0, std::string(kInitiales.substr(mois - 1, 1)),
                                             param.nCoulGrilleTDMsPaie, fond});
    }
    return drawing;
}

Drawing DessineJauge(int width, int height, const TTypeDep& type, const TParam& param) {
    Drawing drawing;
    if (type.nNbMois == 0) {
        const Couleur fond = param.nCoulGrilleTDJgeFon;
        drawing.primitives.emplace_back(Rect{0, 0, width, height, fond, fond});
        return drawing;
    }
    // Montant is long double, so the ratio keeps the extended precision.
    const long double total = std::fabs(type.nTotal);
    const long double solde = std::fabs(type.nSolde);
    Couleur fond;
    int barre;
    if (total < solde) {
        fond = param.nCoulGrilleTDJgeDep;
        barre = roundHalfEven(width * total / solde);
    } else {
        fond = param.nCoulGrilleTDJgeFon;
        barre = total == 0 ? 0 : roundHalfEven(width * solde / total);
    }
    drawing.primitives.emplace_back(Rect{0, 0, width, height, fond, fond});
    if (barre > 0) {
        const Couleur couleurBarre = param.nCoulGrilleTDJgeBar;
        drawing.primitives.emplace_back(Rect{0, 0, barre, height, couleurBarre, couleurBarre});
    }
    return drawing;
}

}  // namespace varnelle
