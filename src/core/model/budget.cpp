#include "core/model/budget.h"

#include <algorithm>
#include <cstring>

#include "core/model/code_index.h"
#include "core/model/month_mask.h"
#include "core/model/orders.h"

namespace varnelle {
namespace {

// Running sums of 32-bit whole amounts wrap as the 32-bit field they are stored in would.
MontantEntier addWrapping(MontantEntier a, MontantEntier b) {
    return static_cast<MontantEntier>(static_cast<std::uint32_t>(a) +
                                      static_cast<std::uint32_t>(b));
}

}  // namespace

Budget::Budget() {
    for (int i = 0; i < kNbJoursDepJourn; ++i) DepJourn[static_cast<std::size_t>(i)].nJour = i + 1;
}

void Budget::setNbJoursMois(std::int32_t jours) {
    nbJoursMois_ = std::clamp(jours, kNbJoursMoisMin, kNbJoursMoisMax);
}

int Budget::IndiceTypeDep(std::string_view code) const {
    for (std::size_t i = 0; i < TypesDep.size(); ++i)
        if (TypesDep[i].cTypeDep == code) return static_cast<int>(i);
    return -1;
}

void Budget::CalculeTotauxTypesDep() {
    calculeTypes(false);
}

void Budget::calculeTypes(bool soldes) {
    for (TTypeDep& type : TypesDep) {
        type.nNbMois = NbMoisPeriodicite(type.nPeriodicite);
        type.nTotal = static_cast<Montant>(type.nNbMois) * type.nMontant;
        type.nSolde = 0;
    }
    if (TypesDep.empty()) {
        if (soldes) CalculeSoldesOperations();
        return;
    }
    const CodeIndex index(TypesDep);
    Montant running = 0;
    for (TOperation& operation : Operations) {
        const int i = index.find(operation.cTypeDep);
        if (i >= 0) TypesDep[static_cast<std::size_t>(i)].nSolde += operation.nMontant;
        if (soldes) {
            running += operation.nMontant;
            operation.nSolde = running;
        }
    }
}

void Budget::CalculeSoldeTypeDep(std::string_view code) {
    CalculeSoldes(Operations.size(), code);
}

namespace {

// Codes are short and mostly differ in their first letter: that is tested before a call.
bool memeCode(const std::string& code, std::string_view autre) {
    return code.size() == autre.size() && !autre.empty() && code.front() == autre.front() &&
           std::memcmp(code.data(), autre.data(), autre.size()) == 0;
}

}  // namespace

void Budget::CalculeSoldes(std::size_t debut, std::string_view code, std::string_view autre) {
    const int premier = IndiceTypeDep(code);
    const int second = autre == code ? -1 : IndiceTypeDep(autre);
    if (premier < 0 && second < 0) {
        CalculeSoldesOperations(debut);
        return;
    }
    if (premier < 0) code = {};
    if (second < 0) autre = {};
    // Types summed in journal order, as the whole recomputation does, to the last bit.
    Montant soldePremier = 0, soldeSecond = 0;
    const std::size_t n = Operations.size();
    debut = std::min(debut, n);
    Montant courant = debut > 0 ? Operations[debut - 1].nSolde : 0;
    for (std::size_t i = 0; i < n; ++i) {
        TOperation& operation = Operations[i];
        if (memeCode(operation.cTypeDep, code))
            soldePremier += operation.nMontant;
        else if (memeCode(operation.cTypeDep, autre))
            soldeSecond += operation.nMontant;
        if (i >= debut) {
            courant += operation.nMontant;
            operation.nSolde = courant;
        }
    }
    if (premier >= 0) TypesDep[static_cast<std::size_t>(premier)].nSolde = soldePremier;
    if (second >= 0) TypesDep[static_cast<std::size_t>(second)].nSolde = soldeSecond;
}

void Budget::CalculeSoldesOperations() {
    CalculeSoldesOperations(0);
}

void Budget::CalculeSoldesOperations(std::size_t debut) {
    Montant running = debut > 0 && debut <= Operations.size() ? Operations[debut - 1].nSolde : 0;
    for (std::size_t i = debut; i < Operations.size(); ++i) {
        running += Operations[i].nMontant;
        Operations[i].nSolde = running;
    }
}

void Budget::CalculeCumulsDepJourn() {
    MontantEntier running = 0;
    for (TDepJourn& jour : DepJourn) {
        running = addWrapping(running, jour.nMontant);
        jour.nCumul = running;
    }
}

void Budget::CalculeCumulsEconomies() {
    MontantEntier running = 0;
    for (TEconomie& economie : Economies) {
        running = addWrapping(running, economie.nMontant);
        economie.nCumul = running;
    }
}

void Budget::calculeTout() {
    calculeTypes(true);
    CalculeCumulsDepJourn();
    CalculeCumulsEconomies();
}

void Budget::TrieOperations() {
    trieOperations(Operations);
    suiviOperations.inconnu();
    suiviOperations.enOrdre(Operations.size());
}

void Budget::TrieTypesDep() {
    trieTypesDep(TypesDep);
}

}  // namespace varnelle
