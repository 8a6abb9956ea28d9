#include "core/reports/list_reports.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/model/amount.h"
#include "core/model/locale_facts.h"
#include "core/model/month_mask.h"

namespace varnelle {

namespace {

using namespace page_a4;

constexpr Couleur kNoir = 0x000000;
// Rules are thin but seen on paper: a tenth of a millimetre.
constexpr int kTrait = 10;
// A rule stands this far left of the column it opens.
constexpr int kAvantColonne = 100;

const Font kArial{"Arial", 10};
const Font kCourier{"Courier New", 10};

// One column of a report, positions in hundredths of a millimetre from the left margin.
struct Colonne {
    const char* entete;
    int gauche;       // heading, and a left-aligned value
    int valeur = -1;  // left edge of the value's box when it differs from the heading's
    int boite = 0;    // width of a right-aligned value's box; 0: left-aligned
    bool courier = false;
};

struct Modele {
    const char* titre;
    std::vector<Colonne> colonnes;
    int regleEntete;  // length of the rule under the heading band; 0: none
    int regleMois;    // length of the rule above each new month; 0: none
};

const Modele& modele(ListeImprimee liste) {
    static const Modele types{"Report Types de D\xE9penses",
                              {{"Type", 0},
                               {"Libell\xE9", 1060},
                               {"Montant", 6560, -1, 1530},
                               {"P\xE9riodicit\xE9", 8470, -1, 0, true},
                               {"Total", 11430, 12070, 1140},
                               {"Solde", 13550, 13970, 1270}},
                              15350,
                              0};
    static const Modele operations{"Report Op\xE9rations",
                                   {{"Sel", 0},
                                    {"Date", 630},
                                    {"Type", 2540},
                                    {"Montant", 3600, -1, 1720},
                                    {"Libell\xE9", 5710},
                                    {"Solde", 11850, -1, 1720}},
                                   0,
                                   13650};
    static const Modele jours{"Report D\xE9penses Journali\xE8res",
                              {{"Jour", 0}, {"Montant", 850, -1, 1640}, {"Solde", 2750, -1, 1270}},
                              4230,
                              0};
    switch (liste) {
    case ListeImprimee::TypesDep: return types;
    case ListeImprimee::Operations: return operations;
    case ListeImprimee::DepJourn: break;
    }
    return jours;
}

std::string montant(Montant valeur) {
    // "%11.2f" less the blanks it pads with, which a right-aligned box does not need.
    return formatDeuxDecimales(valeur, localeFacts().separateurDecimal);
}

// The texts of line `i` of the report, one per column.
std::vector<std::string> valeurs(const Budget& budget, ListeImprimee liste, std::size_t i) {
    switch (liste) {
    case ListeImprimee::TypesDep: {
        const TTypeDep& t = budget.TypesDep[i];
        return {t.cTypeDep,          t.cLibelle,
                montant(t.nMontant), MoisPaiementImprimes(t.nPeriodicite),
                montant(t.nTotal),   montant(t.nSolde)};
    }
    case ListeImprimee::Operations: {
        const TOperation& o = budget.Operations[i];
        return {o.nSelect == 1 ? "[*]" : "[ ]",
                o.cDate,
                o.cTypeDep,
                montant(o.nMontant),
                o.cLibelle,
                montant(o.nSolde)};
    }
    case ListeImprimee::DepJourn: break;
    }
    const TDepJourn& j = budget.DepJourn[i];
    return {std::to_string(j.nJour), std::to_string(j.nMontant), std::to_string(j.nCumul)};
}

// Characters 4-5 of a date text, as the month rule compares them.
std::string_view moisDe(const std::string& date) {
    return date.size() >= 5 ? std::string_view(date).substr(3, 2) : std::string_view();
}

}  // namespace

std::string MoisPaiementImprimes(std::int32_t nPeriodicite) {
    std::string lettres = "jfmamjjasond";
    for (int mois = 1; mois <= 12; ++mois)
        if ((nPeriodicite & bitDuMois(mois)) != 0)
            lettres[static_cast<std::size_t>(mois - 1)] =
                static_cast<char>(lettres[static_cast<std::size_t>(mois - 1)] - 'a' + 'A');
    return lettres;
}

RapportListe::RapportListe(const Budget& budget, ListeImprimee liste)
    : budget_(budget), liste_(liste) {}

std::string RapportListe::titre() const {
    return modele(liste_).titre;
}

std::size_t RapportListe::nbLignes() const {
    switch (liste_) {
    case ListeImprimee::TypesDep: return budget_.TypesDep.size();
    case ListeImprimee::Operations: return budget_.Operations.size();
    case ListeImprimee::DepJourn: break;
    }
    return budget_.DepJourn.size();
}

std::size_t RapportListe::nbPages() const {
    return (nbLignes() + kLignesParPage - 1) / kLignesParPage;
}

Drawing RapportListe::page(std::size_t p, const TextMetrics& metrics) const {
    const Modele& m = modele(liste_);
    Drawing drawing;
    drawing.unit = Unit::HundredthMm;
    const std::size_t premiere = p * kLignesParPage;
    const std::size_t fin = std::min(nbLignes(), premiere + kLignesParPage);
    if (premiere >= fin) return drawing;
    const int haut = kMarge;
    const int bas = haut + kBande * static_cast<int>(fin - premiere + 1);
    // On white paper a text needs no ground of its own, which would double what a printer or
    // a PDF is sent.
    const auto texte = [&](int x, int y, std::string t, const Font& font,
                           std::optional<int> droite = std::nullopt) {
        // A limit only where the text reaches it: clipping costs every device some work.
        if (droite && x + metrics.textWidth(font, t) <= *droite) droite.reset();
        drawing.primitives.emplace_back(
            Text{x, y, std::move(t), kNoir, std::nullopt, font, droite});
    };
    const auto regle = [&](int x1, int y1, int x2, int y2) {
        drawing.primitives.emplace_back(Line{x1, y1, x2, y2, kNoir, false, kTrait});
    };

    for (const Colonne& c : m.colonnes) texte(kMarge + c.gauche, haut, c.entete, kArial);
    std::vector<int> moisNouveaux;
    for (std::size_t i = premiere; i < fin; ++i) {
        const int y = haut + kBande * static_cast<int>(i - premiere + 1);
        const std::vector<std::string> textes = valeurs(budget_, liste_, i);
        for (std::size_t k = 0; k < m.colonnes.size(); ++k) {
            const Colonne& c = m.colonnes[k];
            const Font& font = c.courier ? kCourier : kArial;
            const int gauche = kMarge + (c.valeur >= 0 ? c.valeur : c.gauche);
            if (c.boite > 0) {
                // Right-aligned on the box's right edge, even when wider than the box.
                texte(gauche + c.boite - metrics.textWidth(font, textes[k]), y, textes[k], font);
            } else if (c.courier || k + 1 == m.colonnes.size()) {
                texte(gauche, y, textes[k], font);
            } else {
                // A label stops at the rule of the next column.
                texte(gauche, y, textes[k], font,
                      kMarge + m.colonnes[k + 1].gauche - kAvantColonne);
            }
        }
        if (m.regleMois > 0 && (i == 0 || moisDe(budget_.Operations[i].cDate) !=
                                              moisDe(budget_.Operations[i - 1].cDate)))
            moisNouveaux.push_back(y);
    }
    // Rules last, so that no text's ground covers them.
    if (m.regleEntete > 0) regle(kMarge, haut + kBande, kMarge + m.regleEntete, haut + kBande);
    for (const int y : moisNouveaux) regle(kMarge, y, kMarge + m.regleMois, y);
    for (std::size_t k = 1; k < m.colonnes.size(); ++k) {
        const int x = kMarge + m.colonnes[k].gauche - kAvantColonne;
        regle(x, haut, x, bas);
    }
    return drawing;
}

}  // namespace varnelle
