#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varnelle {

// What the edits of the journal say about themselves, so that the undo history sees an action
// in what it changed rather than in the whole journal, and so that a moved operation finds its
// place without checking the order of every other. It is never part of the budget's value.
//
// An edit reports the positions it took records out at (before it) and put records in at
// (after it), ascending, the others keeping their order. One report between two looks of the
// history is exact; a second one, an edit that cannot say where it changed the journal, or a
// change of size no report explains, makes the action unknown, and the history compares the
// whole journal. No report at all means no change.
class SuiviJournal {
public:
    // The history looks: what follows belongs to a new action.
    void nouvelleAction(std::size_t taille) {
        etat_ = Etat::Rien;
        retires_.clear();
        ajoutes_.clear();
        codes_.reset();
        taille_ = taille;
    }
    void signale(std::size_t tailleAvant, std::vector<std::size_t> retires,
                 std::vector<std::size_t> ajoutes, std::size_t tailleApres) {
        if (etat_ != Etat::Rien || tailleAvant != taille_) {
            inconnu();
            return;
        }
        etat_ = Etat::Precis;
        retires_ = std::move(retires);
        ajoutes_ = std::move(ajoutes);
        taille_ = tailleApres;
    }
    // The records at `retires` changed only their code, from `ancien` to `nouveau`, and went,
    // in the same order, to `ajoutes`: the history then keeps their places, not copies.
    void signaleRecodage(std::size_t taille, std::vector<std::size_t> retires,
                         std::vector<std::size_t> ajoutes, std::string ancien,
                         std::string nouveau) {
        const bool premier = etat_ == Etat::Rien && taille == taille_;
        signale(taille, std::move(retires), std::move(ajoutes), taille);
        if (premier && retires_.size() == ajoutes_.size())
            codes_.emplace(std::move(ancien), std::move(nouveau));
    }
    // An edit that does not say where it changed the journal.
    void inconnu() { etat_ = Etat::Inconnu; }

    // The positions of the action's single report, when the journal has the size it left.
    bool precis(std::size_t taille) const { return etat_ == Etat::Precis && taille == taille_; }
    bool rien(std::size_t taille) const { return etat_ == Etat::Rien && taille == taille_; }
    const std::vector<std::size_t>& retires() const { return retires_; }
    const std::vector<std::size_t>& ajoutes() const { return ajoutes_; }
    // The positions of the report, handed over once: the history keeps them in its step.
    std::pair<std::vector<std::size_t>, std::vector<std::size_t>> prendPositions() {
        return {std::move(retires_), std::move(ajoutes_)};
    }
    // The former and the new code, when the single report was a change of code.
    const std::optional<std::pair<std::string, std::string>>& recodage() const { return codes_; }

    // The journal is in order, but perhaps for the record at `sauf` (none: npos), as long as it
    // keeps `taille` records.
    void enOrdre(std::size_t taille, std::size_t sauf = npos) {
        ordreTaille_ = taille;
        ordreSauf_ = sauf;
        ordreConnu_ = true;
    }
    void ordreInconnu() { ordreConnu_ = false; }
    // Whether every record but the one at `index` is known to be in order.
    bool autresEnOrdre(std::size_t taille, std::size_t index) const {
        return ordreConnu_ && taille == ordreTaille_ && (ordreSauf_ == npos || ordreSauf_ == index);
    }
    bool enOrdreSansException(std::size_t taille) const {
        return ordreConnu_ && taille == ordreTaille_ && ordreSauf_ == npos;
    }

    bool operator==(const SuiviJournal&) const { return true; }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    enum class Etat { Inconnu, Rien, Precis };
    Etat etat_ = Etat::Inconnu;
    std::vector<std::size_t> retires_, ajoutes_;
    std::optional<std::pair<std::string, std::string>> codes_;
    std::size_t taille_ = 0;
    bool ordreConnu_ = false;
    std::size_t ordreTaille_ = 0;
    std::size_t ordreSauf_ = npos;
};

}  // namespace varnelle
