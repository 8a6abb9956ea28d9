#include "core/model/history.h"

#include <functional>

#include <gtest/gtest.h>

#include "core/model/date_text.h"
#include "core/model/edits.h"
#include "core/model/entries.h"
#include "core/model/month_mask.h"
#include "core/storage/data_file.h"
#include "records.h"

namespace varnelle {
namespace {

using test::operation;

std::string saved(const Budget& budget) {
    ProfileFile file;
    EXPECT_TRUE(ecritBudget(file, budget));
    return file.render();
}

// Runs `action` as one step, then checks that undo gives back the budget as it was and redo
// as the action left it, byte for byte once saved.
void undoAndRedo(Budget& budget, Historique& h, const std::function<void(Budget&)>& action,
                 const char* what) {
    const Budget before = budget;
    h.debut(budget);
    action(budget);
    ASSERT_TRUE(h.fin(budget)) << what;
    const Budget after = budget;
    ASSERT_TRUE(h.annule(budget)) << what;
    EXPECT_EQ(budget, before) << what;
    EXPECT_EQ(saved(budget), saved(before)) << what;
    ASSERT_TRUE(h.retablit(budget)) << what;
    EXPECT_EQ(budget, after) << what;
}

TEST(History, EveryKindOfEditIsUndoneAndRedone) {
    Budget budget = test::smallBudget();
    budget.Operations.push_back(operation("15/03/2024", "AL", -20));  // the same one twice
    budget.calculeTout();
    Historique h;
    const std::vector<std::size_t> tous{0, 1, 2};
    const std::pair<const char*, std::function<void(Budget&)>> actions[] = {
        {"rename a type", [](Budget& b) { changeCodeTypeDep(b, 0, "ZA"); }},
        {"type amount", [](Budget& b) { changeMontantTypeDep(b, 1, -550); }},
        {"months due", [](Budget& b) { changePeriodiciteTypeDep(b, 1, bitDuMois(3)); }},
        {"tick", [](Budget& b) { changeSelectOperation(b, 1, 0); }},
        {"label", [](Budget& b) { changeLibelleOperation(b, 2, "Courses"); }},
        {"date, moving on", [](Budget& b) { changeDateOperation(b, 0, "31/12/2024"); }},
        {"date, moving back", [](Budget& b) { changeDateOperation(b, 3, "01/01/2024"); }},
        {"amount", [](Budget& b) { changeMontantOperation(b, 3, -19); }},
        {"type of an operation", [](Budget& b) { changeTypeOperation(b, 2, "LO"); }},
        {"batch", [&tous](Budget& b) { ajouteOperations(b, "10/03/2024", tous); }},
        {"one of two alike", [](Budget& b) { supprimeOperation(b, 3); }},
        {"a month", [](Budget& b) { supprimeOperationsDuMois(b, "03", "2024"); }},
        {"new type", [](Budget& b) { ajouteTypeDep(b); }},
        {"type deleted", [](Budget& b) { supprimeTypeDep(b, 1); }},
        {"day", [](Budget& b) { changeMontantDepJourn(b, 5, 12); }},
        {"new savings", [](Budget& b) { ajouteEconomie(b); }},
        {"savings amount", [](Budget& b) { changeMontantEconomie(b, 0, 300); }},
        {"simulation", [](Budget& b) { ajouteSimulation(b); }},
        {"salary", [](Budget& b) { b.cSalaireMoyen = "2000"; }},
        {"days in the month", [](Budget& b) { b.setNbJoursMois(30); }},
        {"settings", [](Budget& b) { b.Param.nCoulGrilleOpMsPai = 0x123456; }},
    };
    for (const auto& [what, action] : actions) undoAndRedo(budget, h, action, what);

    // A journal out of order is sorted by its first move: undo brings the order back.
    Budget unsorted = test::smallBudget();
    std::swap(unsorted.Operations[0], unsorted.Operations[2]);
    unsorted.calculeTout();
    Historique autre;
    undoAndRedo(
        unsorted, autre, [](Budget& b) { changeDateOperation(b, 1, "01/01/2024"); }, "first sort");
}

// A rename moves the renamed operations among the others of their days, or leaves them in
// place: the step lays back exactly what moved, whatever the pattern.
TEST(History, RenamesAreUndoneAndRedoneWhateverTheyMove) {
    const char* const codes[] = {"A", "AB", "A-", "B", "Z", "0"};
    const char* const jours[] = {"01/01/2024", "02/01/2024", "03/01/2024", "04/01/2024"};
    const Montant montants[] = {-1, -10, -1.5L, 2, 0, -12.34L};
    test::Tirage tire(11);
    for (int essai = 0; essai < 40; ++essai) {
        Budget budget;
        budget.TypesDep = {test::type("A", -3), test::type("B", 4), test::type("Z", -5)};
        for (int i = 0; i < 30; ++i)
            budget.Operations.push_back(
                operation(jours[tire(4)], codes[tire(6)], montants[tire(6)], 0));
        budget.TrieOperations();
        budget.calculeTout();
        Historique h;
        for (int pas = 0; pas < 8; ++pas) {
            const std::size_t t = tire(budget.TypesDep.size());
            const std::string nouveau = codes[tire(6)];
            if (budget.IndiceTypeDep(nouveau) >= 0) continue;  // refused or no change
            undoAndRedo(
                budget, h, [&](Budget& b) { changeCodeTypeDep(b, t, nouveau); }, "rename");
            if (HasFatalFailure()) return;
        }
    }
}

// A large journal's copy follows steps on a second thread: the next one must wait for it.
TEST(History, StepsInARowOnALargeJournal) {
    Budget budget = test::smallBudget();
    for (int i = 0; i < 20000; ++i) {  // four a day
        const int j = i / 4;
        budget.Operations.push_back(
            operation(dateText({j % 28 + 1, j / 28 % 12 + 1, 2030 + j / 336}).c_str(),
                      i % 3 ? "AL" : "XX", i * 7 % 900 - 450));
    }
    budget.TrieOperations();
    budget.calculeTout();
    const std::function<void(Budget&)> actions[] = {
        [](Budget& b) { changeCodeTypeDep(b, 0, "ZA"); },
        [](Budget& b) { supprimeOperation(b, 7); },
        [](Budget& b) { supprimeOperationsDuMois(b, "03", "2040"); },
        [](Budget& b) { changeCodeTypeDep(b, 2, "AL"); },
        [](Budget& b) { changeMontantOperation(b, 0, 1); },
    };
    Budget b = budget, attendu = budget;
    Historique h;
    for (const auto& action : actions) {
        action(attendu);
        h.debut(b);
        action(b);
        ASSERT_TRUE(h.fin(b));
        // The next step is seen against the copy these leave.
        ASSERT_TRUE(h.annule(b));
        ASSERT_TRUE(h.retablit(b));
    }
    EXPECT_EQ(saved(b), saved(attendu));
    while (h.annule(b)) {
    }
    EXPECT_EQ(saved(b), saved(budget));
}

TEST(History, StepsAreKeptUpToTheCapAndTheSavedOneIsKnown) {
    Budget budget = test::smallBudget();
    Historique h(2);
    const auto step = [&](auto action, std::string_view cle = {}) {
        h.debut(budget);
        action();
        return h.fin(budget, cle);
    };
    EXPECT_FALSE(step([&] {  // added then deleted: nothing changed, no step
        ajouteEconomie(budget);
        supprimeEconomie(budget, 0);
    }));
    step([&] { changeMontantTypeDep(budget, 1, -7); });
    step([&] { changeMontantTypeDep(budget, 0, -2); });
    h.marqueEnregistre();
    // Values typed one key at a time are one step; then the cap of two drops the first.
    step([&] { budget.cSalaireMoyen = "1"; }, "salaire");
    step([&] { budget.cSalaireMoyen = "12"; }, "salaire");
    EXPECT_EQ(h.nbEtapes(), 2u);
    EXPECT_EQ(h.annule(budget), (EndroitModifie{PartieBudget::Valeurs, 0}));
    EXPECT_TRUE(budget.cSalaireMoyen.empty());
    EXPECT_FALSE(h.modifie());
    EXPECT_TRUE(h.annule(budget));
    EXPECT_FALSE(h.annule(budget));
    EXPECT_TRUE(h.modifie());
    // A new action after an undo forgets the saved state it passed.
    step([&] { changeMontantTypeDep(budget, 0, -5); });
    h.annule(budget);
    EXPECT_TRUE(h.modifie());
}

// A step keeps what changed: one operation of a large journal is two records, a renamed
// type as many as its operations even when they all move, never the journal.
TEST(History, StepsCostWhatTheyChange) {
    Budget budget;
    budget.TypesDep = {test::type("AL", -1), test::type("MM", -1)};
    for (int i = 0; i < 100000; ++i)
        budget.Operations.push_back(operation("02/01/2024", i % 100 == 0 ? "AL" : "MM", -1 - i));
    budget.TrieOperations();
    budget.calculeTout();
    Historique h;
    h.debut(budget);
    changeMontantOperation(budget, 50000, -3);
    h.fin(budget);
    EXPECT_LT(h.octets(), sizeof(EtapeHistorique) + 500);
    h.debut(budget);
    changeCodeTypeDep(budget, 0, "ZA");  // its 1 000 operations go from first to last
    h.fin(budget);
    // A rename keeps the places of the renamed operations, not copies of them.
    EXPECT_LT(h.octets(), 2 * sizeof(EtapeHistorique) + 1000 + 2000 * sizeof(std::size_t));
}

}  // namespace
}  // namespace varnelle
