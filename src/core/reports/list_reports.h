#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/drawing/drawing.h"
#include "core/model/budget.h"

namespace varnelle {

// The three printed lists: one line per record of a collection under a heading line, on A4
// pages laid out in hundredths of a millimetre from the paper's top-left corner.
enum class ListeImprimee { TypesDep, Operations, DepJourn };

namespace page_a4 {
inline constexpr int kLargeur = 21000;
inline constexpr int kHauteur = 29700;
inline constexpr int kMarge = 1000;
inline constexpr int kBande = 420;
// Lines under the heading band in the 277 mm between the margins, counted in millimetres so
// that every device breaks pages on the same records.
inline constexpr std::size_t kLignesParPage = (kHauteur - 2 * kMarge - kBande) / kBande;
}  // namespace page_a4

// "jfmamjjasond" with the letters of the due months in upper case.
std::string MoisPaiementImprimes(std::int32_t nPeriodicite);

// A report over the budget as it is when a page is asked for: pages are laid out one at a
// time, on demand, so a long journal costs a page's worth of memory whatever its length.
class RapportListe {
public:
    RapportListe(const Budget& budget, ListeImprimee liste);

    ListeImprimee liste() const { return liste_; }
    // "Report Opérations" and the like (Windows-1252).
    std::string titre() const;
    std::size_t nbLignes() const;
    // No page without a line.
    std::size_t nbPages() const;
    // Page `p` from 0: the heading band, then lines [64 p, 64 p + 64). `metrics` measure the
    // texts in hundredths of a millimetre, for right-aligned amounts.
    Drawing page(std::size_t p, const TextMetrics& metrics) const;

private:
    const Budget& budget_;
    ListeImprimee liste_;
};

}  // namespace varnelle
