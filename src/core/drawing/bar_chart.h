#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing/drawing.h"
#include "core/model/param.h"

namespace varnelle {

// The one bar chart of the program: a zero line across the middle of a box, one bar per item
// going up for a positive amount and down for zero or less, labels beside the zero line on the
// other side of the bar, and colours the owner picks per bar (odd and even, or four by year and
// month). Every bar chart, whole-surface or inside a grid cell, is drawn by it.

// How long a label line may be, chosen once per drawing from the bar step: the first tier whose
// probe text is narrower than the rounded step gives the length, otherwise `longueurSinon`.
struct CoupeLegende {
    struct Palier {
        std::string sonde;
        std::size_t longueur;
    };
    std::vector<Palier> paliers;
    std::size_t longueurSinon = std::string::npos;
    // Keep the last characters (a year "2001" cut to "01") rather than the first.
    bool garderFin = false;
};

// The whole label, whatever the step.
CoupeLegende legendeEntiere();
// dd/mm/yyyy, dd/mm or dd, from a dd/mm/yyyy text.
CoupeLegende legendeDate();
// 9, 4 or 2 first characters of a month name, measured on `sonde` repeated.
CoupeLegende legendeMois(char sonde);
// The 4 or 2 last characters of a year, measured on `sonde` repeated 4 times.
CoupeLegende legendeAnnee(char sonde);

// Number of characters kept of every label of a line, for a bar step of `pas` pixels.
std::size_t longueurLegende(const CoupeLegende& coupe, long double pas, const TextMetrics& metrics);

// The label lines of a bar: texts it holds, or one line it views in text its owner keeps
// while the chart is drawn, so that a chart of a hundred thousand bars copies none.
class LignesLegende {
public:
    LignesLegende() = default;
    LignesLegende(std::initializer_list<std::string> lignes)
        : lignes_(std::make_unique<std::vector<std::string>>(lignes)) {}
    LignesLegende(const LignesLegende& autre)
        : lignes_(autre.lignes_ ? std::make_unique<std::vector<std::string>>(*autre.lignes_)
                                : nullptr),
          vue_(autre.vue_) {}
    LignesLegende(LignesLegende&&) noexcept = default;
    LignesLegende& operator=(LignesLegende autre) noexcept {
        lignes_ = std::move(autre.lignes_);
        vue_ = autre.vue_;
        return *this;
    }
    ~LignesLegende() = default;
    static LignesLegende vue(std::string_view ligne) {
        LignesLegende lignes;
        lignes.vue_ = ligne.data() != nullptr ? ligne : std::string_view("");
        return lignes;
    }
    std::size_t size() const { return lignes_ ? lignes_->size() : vue_.data() != nullptr; }
    std::string_view operator[](std::size_t j) const { return lignes_ ? (*lignes_)[j] : vue_; }

private:
    // Held apart, so that a bar stays as small as its owner's view of a line makes it.
    std::unique_ptr<std::vector<std::string>> lignes_;
    std::string_view vue_;
};

struct Barre {
    long double nMontant = 0;
    // One text per label line; a line past the chart's `lignes` is written whole.
    LignesLegende legendes;
    // Index into GrapheBarres::couleurs.
    std::size_t couleur = 0;
    // A second amount drawn as a narrower bar over the main one, in the complementary colour
    // (the simulated balance over the reference one).
    std::optional<long double> nMontantInterieur{};
};

// Colour index of the bar at position i (from 0) under the position rule: 0, the odd colour,
// for the first, third... bar; 1, the even colour, otherwise.
std::size_t couleurParPosition(std::size_t i);
// Colour index under a number's parity (a month 1..12, a year): 0 when odd, 1 when even.
std::size_t couleurParParite(long long nombre);

struct GrapheBarres {
    std::vector<Barre> barres;
    Couleur fond = 0;                    // the chart's background, also behind the labels
    Couleur legende = 0;                 // labels
    std::vector<Couleur> couleurs;       // {odd, even} for most charts
    std::vector<CoupeLegende> lignes{};  // one per label line, top line first
    // The box of the chart on the surface; bars keep `marge` pixels from each of its sides.
    int gauche = 0, haut = 0;
    int marge = 10;
    // Top of the scale when it is not the largest |amount| (a scale shared by two amounts).
    std::optional<long double> maximum{};
};

// Pixel step between bars: `etendue` pixels shared by n bars, in real arithmetic.
long double pasBarres(int etendue, std::size_t n);

// The white-bordered background of a whole surface.
void ajouteCadre(Drawing& drawing, int width, int height, Couleur fond);

// The bars and labels of `graphe` in its box of `width` x `height` pixels. Nothing when there
// is no bar. When every amount is 0 (or the maximum is not above 0) the bars have no height.
void ajouteBarres(Drawing& drawing, int width, int height, const TextMetrics& metrics,
                  const GrapheBarres& graphe);

// Frame then bars, on a whole surface of `width` x `height`.
Drawing DessineGrapheBarres(int width, int height, const TextMetrics& metrics,
                            const GrapheBarres& graphe);

// Whether a click at (x, y) falls inside the plot of a whole-surface chart:
// 10 <= x < width - 10 and 10 <= y < height - 10.
bool dansLeTrace(int x, int y, int width, int height);

// The bar (0 .. n - 1) under a click at (x, y) on a whole-surface chart of n bars, or empty when
// the click is outside the plot or n is 0. The
// operations graph passes its number of segments, days - 1.
std::optional<std::size_t> barreSousPoint(int x, int y, int width, int height, std::size_t n);

}  // namespace varnelle
