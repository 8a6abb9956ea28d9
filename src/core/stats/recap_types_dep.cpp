#include "core/stats/recap_types_dep.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/model/code_index.h"
#include "core/model/date_text.h"

namespace varnelle {

namespace {

// Half a cent: what is left of amounts that cancel out is no amount.
constexpr Montant kResidu = 0.005L;

}  // namespace

const TRecapAnnee* RecapTypesDep::cellule(std::size_t i, int k) const {
    if (i >= lignes.size() || k < 1 || k > nNbAnnees) return nullptr;
    const int emplacement = nEmplacement[static_cast<std::size_t>(k - 1)];
    return emplacement < 0 ? nullptr : &lignes[i].annees[static_cast<std::size_t>(emplacement)];
}

TRecapAnnee* RecapTypesDep::cellule(std::size_t i, int k) {
    return const_cast<TRecapAnnee*>(std::as_const(*this).cellule(i, k));
}

bool RecapTypesDep::celluleRemplie(std::size_t i, int k) const {
    const TRecapAnnee* annee = cellule(i, k);
    return annee != nullptr && annee->nMaxMois > 0;
}

RecapTypesDep ConstruitRecapTypesDep(const Budget& budget, bool lContCellsGraphe) {
    RecapTypesDep recap;
    // The journal is sorted by date, but a just-added or damaged row need not be in place.
    int premiere = 0, derniere = 0;
    bool datee = false;
    for (const TOperation& operation : budget.Operations) {
        if (!DateValide(operation.cDate)) continue;
        const int annee = *numeroAnnee(operation.cDate);
        premiere = datee ? std::min(premiere, annee) : annee;
        derniere = datee ? std::max(derniere, annee) : annee;
        datee = true;
    }
    if (!datee) return recap;
    recap.nPremiereAnnee = premiere;
    recap.nNbAnnees = derniere - premiere + 1;
    recap.nEmplacement.assign(static_cast<std::size_t>(recap.nNbAnnees), -1);
    int emplacements = 0;
    for (const TOperation& operation : budget.Operations) {
        if (!DateValide(operation.cDate)) continue;
        int& emplacement =
            recap.nEmplacement[static_cast<std::size_t>(*numeroAnnee(operation.cDate) - premiere)];
        if (emplacement < 0) emplacement = emplacements++;
    }

    recap.lignes.reserve(budget.TypesDep.size());
    for (const TTypeDep& type : budget.TypesDep) {
        TRecapAnnee vide;
        vide.lGraphe = lContCellsGraphe;
        recap.lignes.push_back(
            {type.cTypeDep, type.cLibelle,
             std::vector<TRecapAnnee>(static_cast<std::size_t>(emplacements), vide)});
    }
    // Types sharing a code get the same sums: add into the first, copy to the others after.
    const CodeIndex index(budget.TypesDep);
    for (const TOperation& operation : budget.Operations) {
        if (!DateValide(operation.cDate)) continue;
        const int type = index.find(operation.cTypeDep);
        if (type < 0) continue;
        const auto emplacement = static_cast<std::size_t>(
            recap.nEmplacement[static_cast<std::size_t>(*numeroAnnee(operation.cDate) - premiere)]);
        recap.lignes[static_cast<std::size_t>(type)]
            .annees[emplacement]
            .nSommeMois[static_cast<std::size_t>(*numeroMois(operation.cDate) - 1)] +=
            operation.nMontant;
    }
    for (std::size_t i = 0; i < recap.lignes.size(); ++i) {
        TRecapTypesDep& ligne = recap.lignes[i];
        const int premier = index.find(ligne.cTypeDep);
        if (premier >= 0 && static_cast<std::size_t>(premier) != i) {
            ligne.annees = recap.lignes[static_cast<std::size_t>(premier)].annees;
            continue;
        }
        for (TRecapAnnee& annee : ligne.annees) {
            for (Montant& somme : annee.nSommeMois) {
                if (std::abs(somme) < kResidu) somme = 0;
                annee.nMaxMois = std::max(annee.nMaxMois, std::abs(somme));
            }
        }
    }
    return recap;
}

}  // namespace varnelle
