#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

// The changes a user makes to one record, each with the recomputations that depend on it.
// A refused change leaves the budget exactly as it was. Indices are positions in their
// collection.

// Codes must be neither blank nor held by another type. The operations of the former code
// take the new one; types and operations are sorted again.
bool changeCodeTypeDep(Budget& budget, std::size_t index, std::string_view code);
// Refused when blank.
bool changeLibelleTypeDep(Budget& budget, std::size_t index, std::string_view libelle);
// The yearly total follows; the balance does not depend on the amount.
void changeMontantTypeDep(Budget& budget, std::size_t index, Montant montant);
void changePeriodiciteTypeDep(Budget& budget, std::size_t index, std::int32_t masque);

// The check mark changes nothing else.
void changeSelectOperation(Budget& budget, std::size_t index, std::int32_t select);
// Refused when blank.
bool changeLibelleOperation(Budget& budget, std::size_t index, std::string_view libelle);

// The changes that move an operation answer its position after the sort, or nothing when
// refused.

// Refused unless the text is a valid date.
std::optional<std::size_t> changeDateOperation(Budget& budget, std::size_t index,
                                               std::string_view date);
// Refused when 0.
std::optional<std::size_t> changeMontantOperation(Budget& budget, std::size_t index,
                                                  Montant montant);
// The operation takes the code; when a type holds it, also that type's amount and label.
// Never refused.
std::size_t changeTypeOperation(Budget& budget, std::size_t index, std::string_view code);

// The simulations: a label never blank, dates valid, an amount that the file keeps as at least
// one hundredth; a refused change leaves the simulation as it was.
void changeSelectSimulation(Budget& budget, std::size_t index, std::int32_t select);
bool changeLibelleSimulation(Budget& budget, std::size_t index, std::string_view libelle);
bool changeDateSimulation(Budget& budget, std::size_t index, bool fin, std::string_view date);
bool changeMontantSimulation(Budget& budget, std::size_t index, Montant montant);

// Which types a batch of operations dated `date` should tick, in type-list order: those due
// in its month that have no operation yet in that month and year. Nothing while the month of
// the text is not a number from 1 to 12, so that a date being typed leaves the ticks alone.
std::optional<std::vector<bool>> typesAPreCocher(const Budget& budget, std::string_view date);

// Deletes every operation dated in month `mois` ("01".."12") of year `annee` ("2024"), the
// others keeping their order, and answers how many went.
std::size_t supprimeOperationsDuMois(Budget& budget, std::string_view mois, std::string_view annee);

}  // namespace varnelle
