#include "core/model/entries.h"

#include <algorithm>
#include <iterator>

namespace varnelle {

namespace {

template <class Record> void supprime(std::vector<Record>& records, std::size_t index) {
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace

void ajouteTypeDep(Budget& budget) {
    budget.TypesDep.emplace_back();
}

bool supprimeTypeDep(Budget& budget, std::size_t index) {
    const std::string& code = budget.TypesDep[index].cTypeDep;
    if (std::any_of(budget.Operations.begin(), budget.Operations.end(),
                    [&code](const TOperation& o) { return o.cTypeDep == code; }))
        return false;
    supprime(budget.TypesDep, index);
    return true;
}

void ajouteOperation(Budget& budget) {
    SuiviJournal& suivi = budget.suiviOperations;
    const std::size_t n = budget.Operations.size();
    const bool enOrdre = suivi.enOrdreSansException(n);
    budget.Operations.emplace_back();
    suivi.signale(n, {}, {n}, n + 1);
    // The new blank operation waits at the end for its date.
    if (enOrdre)
        suivi.enOrdre(n + 1, n);
    else
        suivi.ordreInconnu();
}

void ajouteOperations(Budget& budget, std::string_view date,
                      const std::vector<std::size_t>& types) {
    for (const std::size_t position : types) {
        const TTypeDep& type = budget.TypesDep[position];
        TOperation& operation = budget.Operations.emplace_back();
        operation.cDate = date;
        operation.cTypeDep = type.cTypeDep;
        operation.nMontant = type.nMontant;
        operation.cLibelle = type.cLibelle;
    }
    budget.TrieOperations();
    budget.CalculeTotauxTypesDep();
    budget.CalculeSoldesOperations();
}

void supprimeOperation(Budget& budget, std::size_t index) {
    SuiviJournal& suivi = budget.suiviOperations;
    const std::size_t n = budget.Operations.size();
    // Taking the one record that may be out of order out leaves them all in order.
    const bool enOrdre = suivi.autresEnOrdre(n, index);
    const std::string code = std::move(budget.Operations[index].cTypeDep);
    supprime(budget.Operations, index);
    suivi.signale(n, {index}, {}, n - 1);
    if (enOrdre)
        suivi.enOrdre(n - 1);
    else
        suivi.ordreInconnu();
    budget.CalculeSoldes(index, code);
}

void ajouteEconomie(Budget& budget) {
    budget.Economies.emplace_back();
}

void supprimeEconomie(Budget& budget, std::size_t index) {
    supprime(budget.Economies, index);
    budget.CalculeCumulsEconomies();
}

void ajouteSimulation(Budget& budget) {
    budget.Simulations.emplace_back();
}

void supprimeSimulation(Budget& budget, std::size_t index) {
    supprime(budget.Simulations, index);
}

void changeMontantDepJourn(Budget& budget, std::size_t jour, MontantEntier montant) {
    budget.DepJourn[jour - 1].nMontant = montant;
    budget.CalculeCumulsDepJourn();
}

void changeLibelleEconomie(Budget& budget, std::size_t index, std::string_view libelle) {
    budget.Economies[index].cLibelle = libelle;
}

void changeMontantEconomie(Budget& budget, std::size_t index, MontantEntier montant) {
    budget.Economies[index].nMontant = montant;
    budget.CalculeCumulsEconomies();
}

}  // namespace varnelle
