#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/import_memory.h"
#include "core/model/journal_tracking.h"
#include "core/model/param.h"
#include "core/model/records.h"

namespace varnelle {

inline constexpr int kNbJoursDepJourn = 31;
inline constexpr std::int32_t kNbJoursMoisMin = 28;
inline constexpr std::int32_t kNbJoursMoisMax = 31;

// The whole budget of one data file: five collections, the general values and the display
// settings. Row r of a grid shows record r - 1 of its collection.
struct Budget {
    Budget();

    std::vector<TTypeDep> TypesDep;                    // sorted by code after each commit of a code
    std::vector<TOperation> Operations;                // sorted by CompareOperations after edits
    std::array<TDepJourn, kNbJoursDepJourn> DepJourn;  // days 1 to 31, never more or fewer
    std::vector<TEconomie> Economies;                  // order of entry
    std::vector<TPSimulation> Simulations;             // order of entry

    std::string cSalaireMoyen;
    std::string nResteDebMois;  // a whole amount, kept as typed
    TParam Param;
    // What imports of bank statements remember; saved with the settings.
    MemoireImport Import;
    // What the edits of the journal say of where they changed it; not part of its value. The
    // undo history starts each action on it, though it sees the budget as constant.
    mutable SuiviJournal suiviOperations;

    std::int32_t nNbJoursMois() const { return nbJoursMois_; }
    // Clamps into 28..31.
    void setNbJoursMois(std::int32_t jours);

    // Position of the first type whose code equals `code` byte for byte, or -1.
    int IndiceTypeDep(std::string_view code) const;

    void CalculeTotauxTypesDep();
    // The balance of the type holding `code`, as CalculeTotauxTypesDep finds it, when only the
    // operations of that code changed.
    void CalculeSoldeTypeDep(std::string_view code);
    void CalculeSoldesOperations();
    // The balances from position `debut` on, those before it being up to date.
    void CalculeSoldesOperations(std::size_t debut);
    // Both of the above in one walk through the journal, which a large one makes the cost of
    // an edit: the balances from `debut` on, and those of the types holding `code` and `autre`
    // (either may be empty).
    void CalculeSoldes(std::size_t debut, std::string_view code, std::string_view autre = {});
    void CalculeCumulsDepJourn();
    void CalculeCumulsEconomies();
    // The four recomputations in the order loading needs them.
    void calculeTout();

    void TrieOperations();
    void TrieTypesDep();

    bool operator==(const Budget&) const = default;

private:
    // CalculeTotauxTypesDep, and with `soldes` the balances of the operations in the same walk
    // through the journal.
    void calculeTypes(bool soldes);

    std::int32_t nbJoursMois_ = kNbJoursMoisMin;
};

}  // namespace varnelle
