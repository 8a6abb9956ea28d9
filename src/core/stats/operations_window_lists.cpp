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
    const std::string_view date = operation.cDate, code = operation.cTypeDep;
    for (std::size_t i = groupes.size(); i-- > premierGroupe;) {
        TGrapheOperations& groupe = groupes[i];
        if (groupe.cDate == date && groupe.cTypeDep == code) {
            groupe.nLigneFin = ligne;
            groupe.nMontant += operation.nMontant;
            return;
        }
    }
    groupes.push_back(TGrapheOperations{ligne, ligne, date, code, operation.nMontant});
}

}  // namespace

TOpTypDep LignesOperations::operator[](std::size_t i) const {
    const std::size_t nb = nbOperations();
    if (i < nb) {
        const TOperation& operation = (*operations_)[filtre_ ? positions_[i] : debut_ + i];
        return {operation.nSelect,
                operation.cDate,
                operation.cTypeDep,
                operation.nMontant,
                operation.cLibelle,
                filtre_ ? cumuls_[i] : Montant{0},
                operation.nSolde + nSoldeDeb_};
    }
    const std::size_t k = i - nb;
    const TOperation& simulation = (*simulations_)[k];
    return {kSelectSimulation,   simulation.cDate,    (*codesSimulation_)[k],
            simulation.nMontant, simulation.cLibelle, 0,
            soldesSimulation_[k]};
}

ListesOperationsTypeDep ConstruitListesOperations(const Budget& budget, std::string_view code,
                                                  std::string_view cDateDeb,
                                                  std::string_view cDateFin, Montant nSoldeDeb,
                                                  const std::vector<TOperation>* simulations) {
    ListesOperationsTypeDep listes;
    listes.lFiltre = !code.empty();
    LignesOperations& lignes = listes.Lignes;
    const auto& operations = budget.Operations;
    lignes.operations_ = &operations;
    lignes.filtre_ = listes.lFiltre;
    lignes.nSoldeDeb_ = nSoldeDeb;
    const PlageOperations plage = PlageDansPeriode(operations, cDateDeb, cDateFin);
    lignes.debut_ = plage.debut;
    lignes.fin_ = plage.fin;
    const std::size_t nbDatees = NbOperationsDatees(operations);
    // Groups from this position on have an invalid date; before it, only the last can match.
    std::size_t premierGroupeNonDate = SIZE_MAX;
    // At most one bar per row: growing the bars as they come costs as much as the rows.
    if (!listes.lFiltre)
        listes.Groupes.reserve(plage.fin - plage.debut + (simulations ? simulations->size() : 0));
    std::int32_t ligne = 0;
    Montant cumul = 0;
    for (std::size_t i = plage.debut; i < plage.fin; ++i) {
        const TOperation& operation = operations[i];
        if (listes.lFiltre) {
            if (operation.cTypeDep != code) continue;
            cumul += operation.nMontant;
            lignes.positions_.push_back(i);
            lignes.cumuls_.push_back(cumul);
        }
        listes.nTotal += operation.nMontant;
        std::size_t depuis = listes.Groupes.empty() ? 0 : listes.Groupes.size() - 1;
        if (i >= nbDatees) {
            if (premierGroupeNonDate == SIZE_MAX) premierGroupeNonDate = listes.Groupes.size();
            depuis = premierGroupeNonDate;
        }
        ajouteAuGroupe(listes.Groupes, depuis, ligne++, operation);
    }
    const std::int32_t nbOperations = ligne;
    if (simulations != nullptr) {
        auto codes = std::make_shared<std::vector<std::string>>();
        codes->reserve(simulations->size());
        for (std::size_t k = 1; k <= simulations->size(); ++k)
            codes->push_back("sim " + std::to_string(k));
        lignes.codesSimulation_ = codes;
        lignes.simulations_ = simulations;
        Montant courant = lignes.empty() ? nSoldeDeb : lignes.back().nSolde;
        for (const TOperation& simulation : *simulations) {
            courant += simulation.nMontant;
            listes.nTotal += simulation.nMontant;
            lignes.soldesSimulation_.push_back(courant);
            listes.Groupes.push_back(
                TGrapheOperations{ligne, ligne, simulation.cDate, {}, simulation.nMontant});
            ++ligne;
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
