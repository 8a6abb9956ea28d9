#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/statement.h"
#include "core/model/budget.h"

namespace varnelle {

enum class StatutImport {
    AAjouter,
    DejaDansJournal,  // same date, same amount, same label after trimming and case
    DejaImportee,     // its transaction id was imported before, or earlier in the statement
    MontantNul,       // the journal holds no operation of 0
};

// Where the proposed type code comes from, first found first.
enum class OrigineType {
    ChoixPrecedent,  // the code last used for the same label
    Regle,           // the first rule whose text the label contains
    Defaut,          // the code given for the lines nothing else types
    Aucune,          // the user has to choose
};

struct LignePlan {
    LigneReleve ligne;
    StatutImport statut = StatutImport::AAjouter;
    std::string cTypeDep;  // the code to give; the window may change it before applying
    OrigineType origine = OrigineType::Aucune;
    // For DejaDansJournal: the position in the journal of the operation it matches.
    std::size_t indiceJournal = 0;
};

struct PlanImport {
    std::vector<LignePlan> lignes;
    std::size_t nbAAjouter() const;
    // Lines to add that still have no code, by position in `lignes`.
    std::vector<std::size_t> sansType() const;
};

// What importing `lignes` into `budget` would do. A journal operation stands for one statement
// line at most, so two equal purchases of one day in the statement are both kept when the
// journal has one of them. Proposed codes name an existing expense type; `typeDefaut` is
// taken only when it does.
PlanImport prepareImport(const Budget& budget, std::vector<LigneReleve> lignes,
                         std::string_view typeDefaut = {});
// The same with the rules and earlier choices of `memoire`, as the window edits them before
// they become the budget's.
PlanImport prepareImport(const Budget& budget, const MemoireImport& memoire,
                         std::vector<LigneReleve> lignes, std::string_view typeDefaut = {});

// Adds the plan's lines to add, unticked, each with its own date, amount, label and the code
// of its plan line (the type's amount and label are not copied in, unlike a choice in the
// grid: the statement says what was paid); sorts the journal and recomputes the balances and
// type totals; remembers the transaction ids and the code of each label. Nothing, and nothing
// changed, while a line to add has no code.
// `premiere`, when given, receives the position of the first operation added, once sorted.
std::optional<std::size_t> appliqueImport(Budget& budget, const PlanImport& plan,
                                          std::size_t* premiere = nullptr);

}  // namespace varnelle
