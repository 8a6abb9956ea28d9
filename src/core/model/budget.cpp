#include "core/model/budget.h"

#include <algorithm>

#include "core/model/month_mask.h"
#include "core/model/orders.h"

namespace varnelle {
namespace {

// Position of each code's first type, built once per recomputation so that a pass over the
// operations costs one lookup each instead of a scan of the types.
class CodeIndex final {
public:
    explicit CodeIndex(const std::vector<TTypeDep>& types) : types_(types) {
        std::size_t size = 16;
        while (size < 2 * types.size()) size *= 2;
        slots_.assign(size, -1);
        for (std::size_t i = 0; i < types.size(); ++i) {
            std::size_t slot = hash(types[i].cTypeDep) & (size - 1);
            while (slots_[slot] >= 0 &&
                   types_[static_cast<std::size_t>(slots_[slot])].cTypeDep != types[i].cTypeDep)
                slot = (slot + 1) & (size - 1);
            if (slots_[slot] < 0) slots_[slot] = static_cast<int>(i);  // the first one wins
        }
    }

    int find(std::string_view code) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash(code) & mask;; slot = (slot + 1) & mask) {
            const int i = slots_[slot];
            if (i < 0 || types_[static_cast<std::size_t>(i)].cTypeDep == code) return i;
        }
    }

private:
    // Codes are a few bytes: FNV-1a over them costs less than the library's string hash.
    static std::size_t hash(std::string_view code) {
        std::uint32_t h = 2166136261u;
        for (const char c : code) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h ^ (h >> 16);
    }

    const std::vector<TTypeDep>& types_;
    // Open addressing, at most half full: the position of a type, -1 for an empty slot.
    std::vector<int> slots_;
};

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
    for (TTypeDep& type : TypesDep) {
        type.nNbMois = NbMoisPeriodicite(type.nPeriodicite);
        type.nTotal = static_cast<Montant>(type.nNbMois) * type.nMontant;
        type.nSolde = 0;
    }
    if (TypesDep.empty()) return;
    const CodeIndex index(TypesDep);
    for (const TOperation& operation : Operations) {
        const int i = index.find(operation.cTypeDep);
        if (i >= 0) TypesDep[static_cast<std::size_t>(i)].nSolde += operation.nMontant;
    }
}

void Budget::CalculeSoldesOperations() {
    Montant running = 0;
    for (TOperation& operation : Operations) {
        running += operation.nMontant;
        operation.nSolde = running;
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
    CalculeTotauxTypesDep();
    CalculeSoldesOperations();
    CalculeCumulsDepJourn();
    CalculeCumulsEconomies();
}

void Budget::TrieOperations() {
    trieOperations(Operations);
}

void Budget::TrieTypesDep() {
    trieTypesDep(TypesDep);
}

}  // namespace varnelle
