#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

// Records added at the end of their list, with empty texts and zero numbers, and records
// deleted, each with the recomputations that depend on them.

void ajouteTypeDep(Budget& budget);
// Refused while an operation carries the type's code.
bool supprimeTypeDep(Budget& budget, std::size_t index);

void ajouteOperation(Budget& budget);
// One operation at `date` for each type of `types` (positions in TypesDep, in that order),
// with the type's code, amount and label; then the journal is sorted and every total follows.
void ajouteOperations(Budget& budget, std::string_view date, const std::vector<std::size_t>& types);
void supprimeOperation(Budget& budget, std::size_t index);

void ajouteEconomie(Budget& budget);
void supprimeEconomie(Budget& budget, std::size_t index);
void ajouteSimulation(Budget& budget);
void supprimeSimulation(Budget& budget, std::size_t index);

// The day's spending (day 1 to 31) and the savings rows, with their running totals.
void changeMontantDepJourn(Budget& budget, std::size_t jour, MontantEntier montant);
void changeLibelleEconomie(Budget& budget, std::size_t index, std::string_view libelle);
void changeMontantEconomie(Budget& budget, std::size_t index, MontantEntier montant);

}  // namespace varnelle
