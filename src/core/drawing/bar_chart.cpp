#include "core/drawing/bar_chart.h"

#include <algorithm>
#include <cmath>

namespace varnelle {
namespace {

constexpr Couleur kBlanc = 0xFFFFFF;
// Label rows, from the zero line: the first under it starts 2 pixels below, the first above
// it 15 pixels above; further lines are one text row further away.
constexpr int kSousAxe = 2;
constexpr int kSurAxe = 15;
constexpr int kLigne = 12;

std::string coupe(const std::string& texte, std::size_t longueur, bool garderFin) {
    if (longueur >= texte.size()) return texte;
    return garderFin ? texte.substr(texte.size() - longueur) : texte.substr(0, longueur);
}

// A scale given by the owner may be smaller than an amount; bound the height so that the
// conversion to pixels stays within an int. Heights within the box are never changed.
int hauteurBarre(long double montant, long double echelle, int hauteurBoite) {
    const long double borne = 2.0L * std::abs(static_cast<long double>(hauteurBoite)) + 64;
    return roundHalfEven(std::clamp(montant * echelle, -borne, borne));
}

}  // namespace

CoupeLegende legendeEntiere() {
    return {};
}

CoupeLegende legendeDate() {
    return {{{"88/88/8888", 10}, {"88/88", 5}}, 2, false};
}

CoupeLegende legendeMois(char sonde) {
    return {{{std::string(9, sonde), 9}, {std::string(4, sonde), 4}}, 2, false};
}

CoupeLegende legendeAnnee(char sonde) {
    return {{{std::string(4, sonde), 4}}, 2, true};
}

std::size_t longueurLegende(const CoupeLegende& coupe, long double pas,
                            const TextMetrics& metrics) {
    const int r = roundHalfEven(pas);
    for (const auto& palier : coupe.paliers)
        if (metrics.width(palier.sonde) < r) return palier.longueur;
    return coupe.longueurSinon;
}

std::size_t couleurParPosition(std::size_t i) {
    return i % 2;
}

std::size_t couleurParParite(long long nombre) {
    return nombre % 2 != 0 ? 0 : 1;
}

long double pasBarres(int etendue, std::size_t n) {
    return static_cast<long double>(etendue) / static_cast<long double>(n);
}

void ajouteCadre(Drawing& drawing, int width, int height, Couleur fond) {
    drawing.primitives.emplace_back(Rect{0, 0, width, height, kBlanc, fond});
}

void ajouteBarres(Drawing& drawing, int width, int height, const TextMetrics& metrics,
                  const GrapheBarres& graphe) {
    const std::size_t n = graphe.barres.size();
    if (n == 0) return;
    const int marge = graphe.marge;
    const int h2 = (height - 2 * marge) / 2;
    const int axe = graphe.haut + h2 + marge;
    const long double pas = pasBarres(width - 2 * marge, n);
    long double m = 0;
    if (graphe.maximum)
        m = *graphe.maximum;
    else
        for (const auto& barre : graphe.barres) m = std::max(m, std::abs(barre.nMontant));
    // Every amount 0: no scale, bars of no height.
    const long double k = m > 0 ? h2 / m : 0.0L;

    std::vector<std::size_t> longueurs;
    longueurs.reserve(graphe.lignes.size());
    for (const auto& ligne : graphe.lignes)
        longueurs.push_back(longueurLegende(ligne, pas, metrics));

    const auto bas = [&](long double montant) {
        return montant > 0 ? axe - hauteurBarre(montant, k, height)
                           : axe + hauteurBarre(-montant, k, height);
    };
    const int x0 = graphe.gauche + marge;
    drawing.primitives.reserve(drawing.primitives.size() + n * (2 + graphe.lignes.size()));
    for (std::size_t i = 0; i < n; ++i) {
        const Barre& barre = graphe.barres[i];
        const int gauche = roundHalfEven(i * pas) + x0;
        const bool dessus = barre.nMontant > 0;
        for (std::size_t j = 0; j < barre.legendes.size(); ++j) {
            const int decalage = static_cast<int>(j) * kLigne;
            const int y = dessus ? axe + kSousAxe + decalage : axe - kSurAxe - decalage;
            const std::string texte = j < longueurs.size() ? coupe(barre.legendes[j], longueurs[j],
                                                                   graphe.lignes[j].garderFin)
                                                           : barre.legendes[j];
            drawing.primitives.emplace_back(Text{gauche, y, texte, graphe.legende, graphe.fond});
        }
        const Couleur couleur =
            barre.couleur < graphe.couleurs.size() ? graphe.couleurs[barre.couleur] : graphe.fond;
        drawing.primitives.emplace_back(Rect{gauche, axe, roundHalfEven((i + 1) * pas) + x0 - 2,
                                             bas(barre.nMontant), couleur, couleur});
        if (barre.nMontantInterieur) {
            const Couleur inverse = kBlanc - couleur;
            drawing.primitives.emplace_back(
                Rect{roundHalfEven(i * pas + pas * 0.25L) + x0, axe,
                     roundHalfEven((i + 1) * pas - pas * 0.25L) + x0 - 2,
                     bas(*barre.nMontantInterieur), inverse, inverse});
        }
    }
}

Drawing DessineGrapheBarres(int width, int height, const TextMetrics& metrics,
                            const GrapheBarres& graphe) {
    Drawing drawing;
    ajouteCadre(drawing, width, height, graphe.fond);
    ajouteBarres(drawing, width, height, metrics, graphe);
    return drawing;
}

bool dansLeTrace(int x, int y, int width, int height) {
    constexpr int kMarge = 10;
    return x >= kMarge && x < width - kMarge && y >= kMarge && y < height - kMarge;
}

std::optional<std::size_t> barreSousPoint(int x, int y, int width, int height, std::size_t n) {
    constexpr int kMarge = 10;
    if (n == 0 || !dansLeTrace(x, y, width, height)) return std::nullopt;
    const auto rang = static_cast<std::size_t>(
        std::trunc(static_cast<long double>(x - kMarge) / pasBarres(width - 2 * kMarge, n)));
    // Rounding of the step must not hand out a bar past the last.
    return std::min(rang, n - 1);
}

}  // namespace varnelle
