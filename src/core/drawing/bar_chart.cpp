#include "core/drawing/bar_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>

#include "core/model/short_text.h"

namespace varnelle {
namespace {

constexpr Couleur kBlanc = 0xFFFFFF;
// Label rows, from the zero line: the first under it starts 2 pixels below, the first above
// it 15 pixels above; further lines are one text row further away.
constexpr int kSousAxe = 2;
constexpr int kSurAxe = 15;
constexpr int kLigne = 12;

std::string_view coupe(std::string_view texte, std::size_t longueur, bool garderFin) {
    if (longueur >= texte.size()) return texte;
    return garderFin ? texte.substr(texte.size() - longueur) : texte.substr(0, longueur);
}

// A scale given by the owner may be smaller than an amount; bound the height so that the
// conversion to pixels stays within an int. Heights within the box are never changed.
int hauteurBarre(long double montant, long double echelle, int hauteurBoite) {
    const long double borne = 2.0L * std::abs(static_cast<long double>(hauteurBoite)) + 64;
    return roundHalfEven(std::clamp(montant * echelle, -borne, borne));
}

// What the bars drawn after the current one cover, column by column: all of them stand on the
// zero line, so each column's cover is one run above it and one run below it.
class Recouvrement {
public:
    Recouvrement(int premiere, int colonnes, int axe)
        : premiere_(premiere), axe_(axe), haut_(static_cast<std::size_t>(colonnes), axe),
          bas_(static_cast<std::size_t>(colonnes), axe) {}

    // Appends, in painting order reversed, what of `rect` is not covered: the rect itself when
    // nothing of it is, pieces of it otherwise, nothing when it is wholly hidden.
    void visible(const Rect& rect, std::vector<Primitive>& sortie) {
        const int gauche = std::min(rect.x1, rect.x2), droite = std::max(rect.x1, rect.x2);
        const int haut = std::min(rect.y1, rect.y2), bas = std::max(rect.y1, rect.y2);
        if (gauche == droite || haut == bas || !dedans(gauche, droite) ||
            !(bas == axe_ || haut == axe_)) {
            sortie.emplace_back(rect);
            return;
        }
        // Visible rows per column, grouped into runs of columns with the same rows. The room
        // is kept from one bar to the next: most bars of a large chart come here.
        std::vector<Rect>& morceaux = morceaux_;
        morceaux.clear();
        for (int x = gauche; x < droite; ++x) {
            const auto c = static_cast<std::size_t>(x - premiere_);
            int de = haut, a = bas;
            if (bas == axe_)
                a = std::max(haut, std::min(bas, haut_[c]));
            else
                de = std::min(bas, std::max(haut, bas_[c]));
            if (de >= a) continue;
            if (!morceaux.empty() && morceaux.back().x2 == x && morceaux.back().y1 == de &&
                morceaux.back().y2 == a)
                morceaux.back().x2 = x + 1;
            else
                morceaux.push_back(Rect{x, de, x + 1, a, rect.pen, rect.brush, rect.penWidth});
        }
        if (morceaux.size() == 1 && morceaux[0].x1 == gauche && morceaux[0].x2 == droite &&
            morceaux[0].y1 == haut && morceaux[0].y2 == bas) {
            sortie.emplace_back(rect);
            return;
        }
        for (auto it = morceaux.rbegin(); it != morceaux.rend(); ++it) sortie.emplace_back(*it);
    }

    void couvre(const Rect& rect) {
        const int gauche = std::min(rect.x1, rect.x2), droite = std::max(rect.x1, rect.x2);
        const int haut = std::min(rect.y1, rect.y2), bas = std::max(rect.y1, rect.y2);
        // Only a solid rect standing on the zero line is known to cover its whole box.
        if (rect.pen != rect.brush || !dedans(gauche, droite) || !(bas == axe_ || haut == axe_))
            return;
        for (int x = gauche; x < droite; ++x) {
            const auto c = static_cast<std::size_t>(x - premiere_);
            if (bas == axe_)
                haut_[c] = std::min(haut_[c], haut);
            else
                bas_[c] = std::max(bas_[c], bas);
        }
    }

private:
    bool dedans(int gauche, int droite) const {
        return gauche >= premiere_ && droite - premiere_ <= static_cast<int>(haut_.size());
    }

    int premiere_, axe_;
    std::vector<Rect> morceaux_;
    std::vector<int> haut_, bas_;
};

// The labels already laid down at the current abscissa, later in painting order. Bars come
// from the last to the first, so their abscissae never grow: one abscissa is kept at a time.
class TextesVus {
    struct Slot {
        std::uint64_t generation = 0;
        int y = 0;
        std::string_view texte;
    };

public:
    // The texts are views into the chart's own labels, which outlive the column.
    bool dejaVu(int x, int y, std::string_view texte) {
        if (x != x_ || generation_ == 0) {
            x_ = x;
            ++generation_;
            nombre_ = 0;
        }
        if (2 * (nombre_ + 1) > slots_.size()) agrandit();
        Slot& slot = place(y, texte);
        if (slot.generation == generation_) return true;
        slot = {generation_, y, texte};
        ++nombre_;
        return false;
    }

private:
    // The slot holding (y, texte) in this column, or the free one where it would go.
    Slot& place(int y, std::string_view texte) {
        const std::size_t masque = slots_.size() - 1;
        std::size_t s =
            (shortTextHash(texte) ^ static_cast<std::size_t>(y) * 0x9E3779B97F4A7C15ull) & masque;
        for (;; s = (s + 1) & masque) {
            Slot& slot = slots_[s];
            if (slot.generation != generation_ || (slot.y == y && slot.texte == texte)) return slot;
        }
    }
    void agrandit() {
        std::vector<Slot> anciens(2 * slots_.size());
        anciens.swap(slots_);
        for (const Slot& slot : anciens)
            if (slot.generation == generation_) place(slot.y, slot.texte) = slot;
    }

    // A slot of another generation is free: a new column empties the table in one step. It
    // grows to the most labels a column holds, at most half full.
    std::vector<Slot> slots_ = std::vector<Slot>(64);
    std::uint64_t generation_ = 0;
    std::size_t nombre_ = 0;
    int x_ = 0;
};

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
    // Bars are walked from the last: what a later bar paints over needs no painting, so that
    // many bars sharing a pixel column cost what the column shows. Bars side by side hide
    // nothing and keep their primitives as they are.
    Recouvrement recouvrement(x0 - 4, std::max(width - 2 * marge, 0) + 8, axe);
    TextesVus vus;
    std::vector<Primitive> inverses;
    std::vector<Primitive> barreInverse;
    // Walked from the last bar, the right end of a bar comes from where the next one starts.
    int debutSuivant = roundHalfEven(n * pas);
    for (std::size_t i = n; i-- > 0;) {
        const Barre& barre = graphe.barres[i];
        const int debut = roundHalfEven(i * pas);
        const int gauche = debut + x0;
        const int droite = std::exchange(debutSuivant, debut) + x0 - 2;
        const bool dessus = barre.nMontant > 0;
        const Couleur couleur =
            barre.couleur < graphe.couleurs.size() ? graphe.couleurs[barre.couleur] : graphe.fond;
        barreInverse.clear();
        const Rect principal{gauche, axe, droite, bas(barre.nMontant), couleur, couleur};
        std::optional<Rect> interieur;
        if (barre.nMontantInterieur) {
            const Couleur inverse = kBlanc - couleur;
            interieur = Rect{roundHalfEven(i * pas + pas * 0.25L) + x0,
                             axe,
                             roundHalfEven((i + 1) * pas - pas * 0.25L) + x0 - 2,
                             bas(*barre.nMontantInterieur),
                             inverse,
                             inverse};
        }
        // Within a bar the inner one covers the main one on purpose: both are measured
        // against the later bars only.
        if (interieur) recouvrement.visible(*interieur, barreInverse);
        recouvrement.visible(principal, barreInverse);
        recouvrement.couvre(principal);
        if (interieur) recouvrement.couvre(*interieur);
        for (std::size_t j = barre.legendes.size(); j-- > 0;) {
            const int decalage = static_cast<int>(j) * kLigne;
            const int y = dessus ? axe + kSousAxe + decalage : axe - kSurAxe - decalage;
            const std::string_view texte =
                j < longueurs.size()
                    ? coupe(barre.legendes[j], longueurs[j], graphe.lignes[j].garderFin)
                    : std::string_view(barre.legendes[j]);
            // The same text at the same place later lays down the very same pixels.
            if (vus.dejaVu(gauche, y, texte)) continue;
            barreInverse.emplace_back(
                Text{gauche, y, std::string(texte), graphe.legende, graphe.fond});
        }
        for (Primitive& primitive : barreInverse) inverses.push_back(std::move(primitive));
    }
    drawing.primitives.reserve(drawing.primitives.size() + inverses.size());
    std::move(inverses.rbegin(), inverses.rend(), std::back_inserter(drawing.primitives));
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
