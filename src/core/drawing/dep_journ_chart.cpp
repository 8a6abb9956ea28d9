#include "core/drawing/dep_journ_chart.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace varnelle {
namespace {

constexpr Couleur kBlanc = 0xFFFFFF;
// Left and right margins; the slots share what is between them.
constexpr int kMarge = 10;
// Room under the base line for the two rows of day digits.
constexpr int kLegende = 40;
// The click area stops above the day digits.
constexpr int kBasClic = 30;

std::int32_t nbJoursAffiches(std::int32_t nbJoursMois) {
    return std::clamp(nbJoursMois, kNbJoursMoisMin, kNbJoursMoisMax);
}

}  // namespace

Drawing DessineDepJourn(int width, int height, const TextMetrics& /*metrics*/, const Budget& budget,
                        std::int32_t nbJoursMois, const TParam& param) {
    const Couleur fond = param.nCoulGrapheDJFon;
    const Couleur legende = param.nCoulGrapheDJLeg;
    const std::int32_t nbJours = nbJoursAffiches(nbJoursMois);

    std::int32_t plusGrand = 0;
    for (std::int32_t jour = 0; jour < nbJours; ++jour)
        plusGrand = std::max(plusGrand, budget.DepJourn[static_cast<std::size_t>(jour)].nMontant);
    const int base = height - kLegende;
    const long double largeur = static_cast<long double>(width - 2 * kMarge) / nbJours;
    const long double echelle = plusGrand == 0 ? 0.0L : static_cast<long double>(base) / plusGrand;

    Drawing drawing;
    drawing.primitives.reserve(1 + 3 * static_cast<std::size_t>(nbJours));
    drawing.primitives.emplace_back(Rect{0, 0, width, height, kBlanc, fond});
    for (std::int32_t i = 0; i < nbJours; ++i) {
        const std::int32_t jour = i + 1;
        const int x = roundHalfEven(i * largeur) + kMarge;
        // The day reads downwards under its bar, tens above units; a day below 10 has only
        // its units.
        if (jour >= 10) {
            const char dizaines = static_cast<char>('0' + jour / 10);
            drawing.primitives.emplace_back(Text{x, base + 12, {dizaines}, legende, fond});
        }
        const char unites = static_cast<char>('0' + jour % 10);
        drawing.primitives.emplace_back(Text{x, base + 24, {unites}, legende, fond});

        const Couleur barre = jour % 5 == 0 ? param.nCoulGrapheDJJrMl5 : param.nCoulGrapheDJAutJr;
        const std::int32_t montant = budget.DepJourn[static_cast<std::size_t>(i)].nMontant;
        // A negative bar stops at the bottom row rather than leave the surface. Its height is
        // bounded first, as a large refund against small days would not fit in an int.
        const long double borne = 2.0L * std::abs(height) + 2 * kLegende;
        const int hauteur = roundHalfEven(std::clamp(montant * echelle, -borne, borne));
        const int haut = std::clamp(base + 11 - hauteur, 0, height);
        drawing.primitives.emplace_back(Rect{x, std::clamp(base + 10, 0, height),
                                             roundHalfEven((i + 1) * largeur) + kMarge - 2, haut,
                                             barre, barre});
    }
    return drawing;
}

std::optional<int> jourSousPoint(int x, int y, int width, int height, std::int32_t nbJoursMois) {
    if (x < kMarge || x >= width - kMarge || y < kMarge || y >= height - kBasClic)
        return std::nullopt;
    const std::int32_t nbJours = nbJoursAffiches(nbJoursMois);
    const long double largeur = static_cast<long double>(width - 2 * kMarge) / nbJours;
    const auto rang = static_cast<int>(std::trunc((x - kMarge) / largeur));
    // Rounding must not hand out a day past the last slot.
    return std::min(rang + 1, nbJours);
}

}  // namespace varnelle
