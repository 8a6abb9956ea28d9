#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/budget.h"

namespace varnelle {

// The part of the budget a step changed first, and the position there of its first changed
// record, so that the page showing it can bring that row back into view.
enum class PartieBudget {
    TypesDep,
    Operations,
    DepJourn,
    Economies,
    Simulations,
    Valeurs,
    Parametres
};
struct EndroitModifie {
    PartieBudget partie = PartieBudget::Valeurs;
    std::size_t indice = 0;
    bool operator==(const EndroitModifie&) const = default;
};

// What an action did to one collection: the records it took out, at their positions before
// it, and those it put in, at their positions after it, both ascending; the other records
// keep their order. That is enough to go either way, and costs what the action changed.
template <class T> struct Retouche {
    std::vector<std::pair<std::size_t, T>> retires;
    std::vector<std::pair<std::size_t, T>> ajoutes;
    bool vide() const { return retires.empty() && ajoutes.empty(); }
};

// Records that only took another code, and perhaps other places, as the operations of a
// renamed type: the k-th taken out at `avant` goes in at the k-th of `apres`, both ascending.
// Their places are all it keeps, where copies would cost as much as the journal.
struct Recodage {
    std::string ancien, nouveau;
    std::vector<std::size_t> avant, apres;
    bool vide() const { return avant.empty(); }
};

// The values outside the collections, kept whole: they are a few bytes.
struct ValeursBudget {
    std::string cSalaireMoyen;
    std::string nResteDebMois;
    std::int32_t nNbJoursMois = 0;
    bool operator==(const ValeursBudget&) const = default;
};

// One user action: only what it changed among the fields a save writes. The derived fields
// (totals, balances, running sums) are computed again after an undo or a redo.
struct EtapeHistorique {
    Retouche<TTypeDep> typesDep;
    Retouche<TOperation> operations;
    Recodage recodage;  // of operations, in a step whose `operations` is empty
    Retouche<TDepJourn> depJourn;
    Retouche<TEconomie> economies;
    Retouche<TPSimulation> simulations;
    std::optional<std::pair<ValeursBudget, ValeursBudget>> valeurs;  // before, after
    std::optional<std::pair<TParam, TParam>> param;                  // before, after
    std::optional<std::pair<MemoireImport, MemoireImport>> import;   // before, after
    std::int64_t numero = 0;
    std::string cle;  // steps of the same key in a row make one
};

// The undo and redo history of one budget. The program brackets each user action, however
// many records it touches, between debut() and fin(): one action, one step.
class Historique {
public:
    explicit Historique(std::size_t nbEtapesMax = 200);

    // An action begins; fin() compares the budget with what it was before. Brackets may
    // nest: the outermost pair makes the step. Every change of the budget is expected to
    // go through brackets; one that does not joins the next step.
    void debut(const Budget& budget);
    // Records what the action changed, as one step; nothing, and false, when it changed
    // nothing that a save writes. Steps undone before are then gone. A change of the values
    // of the same non-empty `cle` as the step before, as typed in a field one key at a time,
    // joins that step.
    bool fin(const Budget& budget, std::string_view cle = {});

    // How many records the last step recorded added or took out in all, records changed in
    // place not counted: what tells a batch from the edit of one record.
    std::size_t nbAjoutesOuRetires() const;

    bool peutAnnuler() const { return courante_ > 0; }
    bool peutRetablir() const { return courante_ < etapes_.size(); }
    // Puts the budget back as it was before the last step, or after the next undone one, and
    // answers where that step changed it first; nothing when there is no such step.
    std::optional<EndroitModifie> annule(Budget& budget);
    std::optional<EndroitModifie> retablit(Budget& budget);

    // Whether the budget differs from what was last loaded or saved, undo and redo included.
    bool modifie() const;
    void marqueEnregistre();
    // The budget holds changes no file has, as when they were recovered after a crash.
    void marqueNonEnregistre() { enregistre_ = -1; }
    void vide();

    // Memory held by the steps, in bytes, strings included; besides them the history keeps
    // one copy of the budget to compare against.
    std::size_t octets() const;
    std::size_t nbEtapes() const { return etapes_.size(); }

private:
    std::int64_t numeroCourant() const;
    // The copy follows a step, on a second thread when it holds a large journal: the user
    // gets the window back while it does. Whatever reads or changes the steps or the copy
    // waits for it first.
    void suitEtape(const EtapeHistorique& e, bool enAvant);
    void attendsOmbre();

    std::size_t nbEtapesMax_;
    std::deque<EtapeHistorique> etapes_;
    std::size_t courante_ = 0;  // steps applied, from the front
    std::int64_t prochainNumero_ = 1;
    std::int64_t base_ = 0;  // the step the oldest kept one follows, once the cap drops steps
    int profondeur_ = 0;
    // The step the saved file matches (0: none applied), or -1 when no undo or redo can get
    // back to it.
    std::int64_t enregistre_ = 0;
    // The budget as of the last step, in its saved fields: an action is seen by comparing
    // against it, without copying the budget each time. Taken at the first action.
    std::optional<Budget> ombre_;
    // Last, so that it is waited for before the step and the copy it works on go.
    std::future<void> ombreEnCours_;
};

}  // namespace varnelle
