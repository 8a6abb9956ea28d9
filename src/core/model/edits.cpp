#include "core/model/edits.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "core/model/amount.h"
#include "core/model/date_text.h"
#include "core/model/month_mask.h"
#include "core/model/orders.h"

namespace varnelle {

namespace {

bool blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Sorts the operations again and answers where the operation at `index` went.
std::size_t trieEtSuit(Budget& budget, std::size_t index) {
    budget.Operations[index].lMarquee = true;
    budget.TrieOperations();
    std::size_t position = 0;
    for (std::size_t i = 0; i < budget.Operations.size(); ++i) {
        if (budget.Operations[i].lMarquee) {
            budget.Operations[i].lMarquee = false;
            position = i;
            break;
        }
    }
    return position;
}

// The operation at `index` changed: it alone moves, in one step when the rest of the journal
// is in order, and the balances follow from the first row that changed, with those of the types
// `code` and `autre`. Answers its place.
std::size_t replace(Budget& budget, std::size_t index, std::string_view code = {},
                    std::string_view autre = {}) {
    SuiviJournal& suivi = budget.suiviOperations;
    const std::size_t n = budget.Operations.size();
    if (const std::optional<std::size_t> position =
            placeOperation(budget.Operations, index, suivi.autresEnOrdre(n, index))) {
        budget.CalculeSoldes(std::min(index, *position), code, autre);
        suivi.signale(n, {index}, {*position}, n);
        suivi.enOrdre(n);
        return *position;
    }
    const std::size_t position = trieEtSuit(budget, index);
    budget.CalculeSoldes(0, code, autre);
    return position;
}

}  // namespace

bool changeCodeTypeDep(Budget& budget, std::size_t index, std::string_view code) {
    if (blank(code)) return false;
    const int existant = budget.IndiceTypeDep(code);
    if (existant >= 0 && static_cast<std::size_t>(existant) != index) return false;
    TTypeDep& type = budget.TypesDep[index];
    if (type.cTypeDep == code) return true;
    const std::string ancien = type.cTypeDep;
    type.cTypeDep = code;
    std::vector<TOperation>& operations = budget.Operations;
    budget.TrieTypesDep();
    // The code is part of the order of operations of the same day; keep the journal sorted
    // so that its running balances stay those of its order. In a journal in order, only the
    // renamed ones move, within their days, and where they went is all the undo history
    // needs. A journal just read is not known to be in order, but it is most of the time: it
    // is checked on the way.
    SuiviJournal& suivi = budget.suiviOperations;
    const std::size_t n = operations.size();
    // The balances follow each day as it is laid, and so does the type's, summed in the
    // journal's new order as a full recomputation does.
    Montant courant = 0, solde = 0;
    Recodees recodees = recodeOperations(operations, ancien, code, !suivi.enOrdreSansException(n),
                                         [&](std::size_t debut, std::size_t fin) {
                                             for (std::size_t i = debut; i < fin; ++i) {
                                                 TOperation& operation = operations[i];
                                                 courant += operation.nMontant;
                                                 operation.nSolde = courant;
                                                 if (operation.cTypeDep == code)
                                                     solde += operation.nMontant;
                                             }
                                         });
    if (recodees.enOrdre) {
        budget.TypesDep[static_cast<std::size_t>(budget.IndiceTypeDep(code))].nSolde = solde;
        if (!recodees.avant.empty())
            suivi.signaleRecodage(n, std::move(recodees.avant), std::move(recodees.apres), ancien,
                                  std::string(code));
        suivi.enOrdre(n);
        return true;
    }
    if (!recodees.avant.empty()) {
        if (!trieJoursOperations(operations)) budget.TrieOperations();
        suivi.inconnu();
        suivi.enOrdre(n);
        budget.CalculeSoldesOperations();
    }
    // Operations that already held the new code now count in this type's balance.
    budget.CalculeSoldeTypeDep(code);
    return true;
}

bool changeLibelleTypeDep(Budget& budget, std::size_t index, std::string_view libelle) {
    if (blank(libelle)) return false;
    budget.TypesDep[index].cLibelle = libelle;
    return true;
}

void changeMontantTypeDep(Budget& budget, std::size_t index, Montant montant) {
    TTypeDep& type = budget.TypesDep[index];
    type.nMontant = montant;
    type.nTotal = type.nNbMois * montant;
}

void changePeriodiciteTypeDep(Budget& budget, std::size_t index, std::int32_t masque) {
    TTypeDep& type = budget.TypesDep[index];
    type.nPeriodicite = masque;
    type.nNbMois = NbMoisPeriodicite(masque);
    type.nTotal = type.nNbMois * type.nMontant;
}

// The operation at `index` changed in a field outside the order of the journal.
void signaleSurPlace(Budget& budget, std::size_t index) {
    const std::size_t n = budget.Operations.size();
    budget.suiviOperations.signale(n, {index}, {index}, n);
}

void changeSelectOperation(Budget& budget, std::size_t index, std::int32_t select) {
    budget.Operations[index].nSelect = select;
    signaleSurPlace(budget, index);
}

bool changeLibelleOperation(Budget& budget, std::size_t index, std::string_view libelle) {
    if (blank(libelle)) return false;
    budget.Operations[index].cLibelle = libelle;
    signaleSurPlace(budget, index);
    return true;
}

std::optional<std::size_t> changeDateOperation(Budget& budget, std::size_t index,
                                               std::string_view date) {
    if (!DateValide(date)) return std::nullopt;
    budget.Operations[index].cDate = date;
    return replace(budget, index);
}

std::optional<std::size_t> changeMontantOperation(Budget& budget, std::size_t index,
                                                  Montant montant) {
    if (montant == 0) return std::nullopt;
    TOperation& operation = budget.Operations[index];
    operation.nMontant = montant;
    // A copy: the record moves while its type's balance is summed.
    const std::string code = operation.cTypeDep;
    return replace(budget, index, code);
}

std::size_t changeTypeOperation(Budget& budget, std::size_t index, std::string_view code) {
    TOperation& operation = budget.Operations[index];
    const std::string ancien = operation.cTypeDep;
    operation.cTypeDep = code;
    const int type = budget.IndiceTypeDep(code);
    if (type < 0) {
        // A code no type holds yet leaves the operation where it is, perhaps out of order.
        SuiviJournal& suivi = budget.suiviOperations;
        const std::size_t n = budget.Operations.size();
        signaleSurPlace(budget, index);
        budget.CalculeSoldeTypeDep(ancien);
        if (suivi.autresEnOrdre(n, index))
            suivi.enOrdre(n, index);
        else
            suivi.ordreInconnu();
        return index;
    }
    operation.nMontant = budget.TypesDep[static_cast<std::size_t>(type)].nMontant;
    operation.cLibelle = budget.TypesDep[static_cast<std::size_t>(type)].cLibelle;
    return replace(budget, index, ancien, code);
}

void changeSelectSimulation(Budget& budget, std::size_t index, std::int32_t select) {
    budget.Simulations[index].nSelect = select;
}

bool changeLibelleSimulation(Budget& budget, std::size_t index, std::string_view libelle) {
    if (blank(libelle)) return false;
    budget.Simulations[index].cLibelle = libelle;
    return true;
}

bool changeDateSimulation(Budget& budget, std::size_t index, bool fin, std::string_view date) {
    if (!DateValide(date)) return false;
    TPSimulation& simulation = budget.Simulations[index];
    (fin ? simulation.cDateFin : simulation.cDateDeb) = date;
    return true;
}

bool changeMontantSimulation(Budget& budget, std::size_t index, Montant montant) {
    // An amount below half a hundredth would be saved as 0: an incomplete simulation that
    // would keep the user on the page after the next opening.
    const std::optional<std::int32_t> centimes = toHundredths(montant);
    if (!centimes || *centimes == 0) return false;
    budget.Simulations[index].nMontant = montant;
    return true;
}

std::optional<std::vector<bool>> typesAPreCocher(const Budget& budget, std::string_view date) {
    const std::string_view mois = partieMois(date);
    const std::optional<int> numero = numeroMois(date);
    if (!numero || *numero < 1 || *numero > 12) return std::nullopt;
    const std::string_view annee = partieAnnee(date);
    // One pass over the journal, so that a large budget answers as fast as a small one.
    std::unordered_set<std::string_view> passes;
    for (const TOperation& operation : budget.Operations)
        if (partieMois(operation.cDate) == mois && partieAnnee(operation.cDate) == annee)
            passes.insert(operation.cTypeDep);
    std::vector<bool> coches;
    coches.reserve(budget.TypesDep.size());
    for (const TTypeDep& type : budget.TypesDep)
        coches.push_back((type.nPeriodicite & bitDuMois(*numero)) != 0 &&
                         !passes.contains(type.cTypeDep));
    return coches;
}

std::size_t supprimeOperationsDuMois(Budget& budget, std::string_view mois,
                                     std::string_view annee) {
    const auto du = [&](const TOperation& o) {
        return partieMois(o.cDate) == mois && partieAnnee(o.cDate) == annee;
    };
    std::vector<TOperation>& operations = budget.Operations;
    const std::size_t n = operations.size();
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < n; ++i)
        if (du(operations[i])) positions.push_back(i);
    if (positions.empty()) return 0;
    const auto fin = std::remove_if(
        operations.begin() + static_cast<std::ptrdiff_t>(positions.front()), operations.end(), du);
    operations.erase(fin, operations.end());
    // Taking records out keeps the others in order.
    SuiviJournal& suivi = budget.suiviOperations;
    const bool enOrdre = suivi.enOrdreSansException(n);
    const std::size_t debut = positions.front(), supprimees = positions.size();
    suivi.signale(n, std::move(positions), {}, operations.size());
    if (enOrdre)
        suivi.enOrdre(operations.size());
    else
        suivi.ordreInconnu();
    budget.CalculeTotauxTypesDep();
    budget.CalculeSoldesOperations(debut);
    return supprimees;
}

}  // namespace varnelle
