#include "core/stats/operations_window_lists.h"

#include <cstdint>
#include <string>

#include "core/stats/period.h"

namespace varnelle {
namespace {

void ajouteAuGroupe(std::vector<TGrapheOperations>& groupes, std::size_t premierGroupe,
                    std::int32_t ligne, const TOperation& operation) {
    // Operations are sorted by date then code, so a row joins the last group or a new one.
    // Invalid dates all rank together whatever their text, so their groups are searched.
    int g = -1;
    if (premierGroupe < groupes.size()) {
        for (std::size_t i = groupes.size(); i-- > premierGroupe;) {
            if (groupes[i].cDate == operation.cDate && groupes[i].cTypeDep == operation.cTypeDep) {
                g = static_cast<int>(i);
                break;
            }
        }
    }
    if (g >= 0) {
        TGrapheOperations& groupe = groupes[static_cast<std::size_t>(g)];
        groupe.nLigneFin = ligne;
        groupe.nMontant += operation.nMontant;
    } else {
        groupes.push_back(TGrapheOperations{ligne, ligne, operation.cDate, operation.cTypeDep,
                                            operation.nMontant});
    }
}

}  // namespace

ListesOperationsTypeDep ConstruitListesOperations(const Budget& budget, std::string_view code,
                                                  std::string_view cDateDeb,
                                                  std::string_view cDateFin, Montant nSoldeDeb,
                                                  const std::vector<TOperation>* simulations) {
    ListesOperationsTypeDep listes;
    listes.lFiltre = !code.empty();
    const auto& operations = budget.Operations;
    const PlageOperations plage = PlageDansPeriode(operations, cDateDeb, cDateFin);
    const std::size_t nbDatees = NbOperationsDatees(operations);
    // Groups from this position on have an invalid date; before it, only the last can match.
    std::size_t premierGroupeNonDate = SIZE_MAX;
    if (!listes.lFiltre) {
        // At most one bar per row: growing the bars as they come costs as much as the rows.
        listes.Lignes.reserve(plage.fin - plage.debut + (simulations ? simulations->size() : 0));
        listes.Groupes.reserve(listes.Lignes.capacity());
    }
    Montant cumul = 0;
    for (std::size_t i = plage.debut; i < plage.fin; ++i) {
        const TOperation& operation = operations[i];
        if (listes.lFiltre && operation.cTypeDep != code) continue;
        TOpTypDep ligne{operation.nSelect,           operation.cDate,    operation.cTypeDep,
                        operation.nMontant,          operation.cLibelle, 0,
                        operation.nSolde + nSoldeDeb};
        if (listes.lFiltre) {
            cumul += operation.nMontant;
            ligne.nCumul = cumul;
        }
        listes.Lignes.push_back(ligne);
        listes.nTotal += operation.nMontant;
        const auto position = static_cast<std::int32_t>(listes.Lignes.size() - 1);
        std::size_t depuis = listes.Groupes.empty() ? 0 : listes.Groupes.size() - 1;
        if (i >= nbDatees) {
            if (premierGroupeNonDate == SIZE_MAX) premierGroupeNonDate = listes.Groupes.size();
            depuis = premierGroupeNonDate;
        }
        ajouteAuGroupe(listes.Groupes, depuis, position, operation);
    }
    const auto nbOperations = static_cast<std::int32_t>(listes.Lignes.size());
    if (simulations != nullptr) {
        auto codes = std::make_shared<std::vector<std::string>>();
        codes->reserve(simulations->size());
        for (std::size_t k = 1; k <= simulations->size(); ++k)
            codes->push_back("sim " + std::to_string(k));
        listes.codesSimulation = codes;
        Montant courant = listes.Lignes.empty() ? nSoldeDeb : listes.Lignes.back().nSolde;
        std::size_t k = 0;
        for (const TOperation& simulation : *simulations) {
            courant += simulation.nMontant;
            listes.nTotal += simulation.nMontant;
            listes.Lignes.push_back(TOpTypDep{kSelectSimulation, simulation.cDate, (*codes)[k++],
                                              simulation.nMontant, simulation.cLibelle, 0,
                                              courant});
            const auto position = static_cast<std::int32_t>(listes.Lignes.size() - 1);
            listes.Groupes.push_back(
                TGrapheOperations{position, position, simulation.cDate, "", simulation.nMontant});
        }
    }
    listes.nPremiereLigneSim = nbOperations + 1;
    return listes;
}

int IndiceGroupe(const std::vector<TGrapheOperations>& groupes, std::string_view cDate,
                 std::string_view cTypeDep) {
    for (std::size_t i = 0; i < groupes.size(); ++i)
        if (groupes[i].cDate == cDate && groupes[i].cTypeDep == cTypeDep)
            return static_cast<int>(i);
    return -1;
}

}  // namespace varnelle
