#include "core/model/history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string_view>
#include <system_error>

#include "core/model/orders.h"

namespace varnelle {

namespace {

// Byte-wise equality of two texts, inline for the short ones a budget is made of: a call per
// field of every record dominated the comparison of a large journal.
bool memeTexte(const std::string& a, const std::string& b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* x = a.data();
    const char* y = b.data();
    const auto mot8 = [](const char* p) {
        std::uint64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    const auto mot4 = [](const char* p) {
        std::uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    if (n >= 8 && n <= 16) return mot8(x) == mot8(y) && mot8(x + n - 8) == mot8(y + n - 8);
    if (n >= 4 && n < 8) return mot4(x) == mot4(y) && mot4(x + n - 4) == mot4(y + n - 4);
    if (n < 4) {
        for (std::size_t i = 0; i < n; ++i)
            if (x[i] != y[i]) return false;
        return true;
    }
    return std::memcmp(x, y, n) == 0;
}

// Only the fields a save writes: derived ones follow from them and are computed again.
bool memesChamps(const TTypeDep& a, const TTypeDep& b) {
    return a.cTypeDep == b.cTypeDep && a.cLibelle == b.cLibelle && a.nMontant == b.nMontant &&
           a.nPeriodicite == b.nPeriodicite;
}
bool memesChamps(const TOperation& a, const TOperation& b) {
    // What the record holds itself first: most records that differ differ there.
    return a.nSelect == b.nSelect && a.nMontant == b.nMontant && memeTexte(a.cDate, b.cDate) &&
           memeTexte(a.cTypeDep, b.cTypeDep) && memeTexte(a.cLibelle, b.cLibelle);
}
bool memesChamps(const TDepJourn& a, const TDepJourn& b) {
    return a.nJour == b.nJour && a.nMontant == b.nMontant;
}
bool memesChamps(const TEconomie& a, const TEconomie& b) {
    return a.cLibelle == b.cLibelle && a.nMontant == b.nMontant;
}
bool memesChamps(const TPSimulation& a, const TPSimulation& b) {
    return a == b;
}

// Labels longer than a few letters live apart from their record.
void prevoitTextes(const TOperation& o) {
    __builtin_prefetch(o.cLibelle.data());
}
template <class T> void prevoitTextes(const T&) {}

std::size_t melange(std::size_t h, std::size_t v) {
    return h ^ (v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
}
// Eight bytes at a time: the texts are short, and a weak fingerprint only costs size.
std::size_t hache(std::string_view s) {
    std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ull;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t mot = 0;
        std::memcpy(&mot, s.data() + i, 8);
        h = (h ^ mot) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    if (i < s.size()) {
        std::uint64_t mot = 0;
        std::memcpy(&mot, s.data() + i, s.size() - i);
        h = (h ^ mot) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    return static_cast<std::size_t>(h);
}
std::size_t hache(long double v) {
    // The 80 bits of the value, not the padding after them.
    std::uint64_t mantisse = 0;
    std::uint16_t exposant = 0;
    std::memcpy(&mantisse, &v, sizeof mantisse);
    std::memcpy(&exposant, reinterpret_cast<const char*>(&v) + sizeof mantisse, sizeof exposant);
    return melange(static_cast<std::size_t>(mantisse), exposant);
}
std::size_t empreinte(const TTypeDep& t) {
    return melange(melange(hache(t.cTypeDep), hache(t.cLibelle)), hache(t.nMontant)) ^
           static_cast<std::size_t>(t.nPeriodicite);
}
std::size_t empreinte(const TOperation& o) {
    // The label's text lives apart from the record in a large journal, and reading it for
    // every operation cost more than the rest: its length stands for it.
    return melange(melange(melange(hache(o.cDate), hache(o.cTypeDep)), o.cLibelle.size()),
                   hache(o.nMontant)) ^
           static_cast<std::size_t>(o.nSelect);
}
std::size_t empreinte(const TDepJourn& j) {
    return melange(static_cast<std::size_t>(j.nJour), static_cast<std::size_t>(j.nMontant));
}
std::size_t empreinte(const TEconomie& e) {
    return melange(hache(e.cLibelle), static_cast<std::size_t>(e.nMontant));
}
std::size_t empreinte(const TPSimulation& s) {
    return melange(melange(hache(s.cLibelle), hache(s.cDateDeb + s.cDateFin)), hache(s.nMontant)) ^
           static_cast<std::size_t>(s.nSelect);
}

// How many more times each fingerprint occurs before than after, in one flat table at most
// half full: a table of nodes cost more than the rest of an edit. Each record keeps the slot
// of its fingerprint, so the count is found again without hashing.
class Exces final {
public:
    explicit Exces(std::size_t nbRecords) {
        std::size_t taille = 16;
        while (taille < 2 * nbRecords) taille *= 2;
        slots_.assign(taille, {});
    }
    // The table is larger than the caches: the slot of a record a few ahead is asked for
    // while this one is placed.
    void prevoit(std::size_t cle) const { __builtin_prefetch(&slots_[debut(cle)], 1); }
    std::size_t slot(std::size_t cle) {
        cle = cle == 0 ? 1 : cle;  // 0 marks a free slot; sharing a slot only costs size
        const std::size_t masque = slots_.size() - 1;
        for (std::size_t s = debut(cle);; s = (s + 1) & masque) {
            if (slots_[s].cle == cle) return s;
            if (slots_[s].cle == 0) {
                slots_[s].cle = cle;
                return s;
            }
        }
    }
    std::ptrdiff_t& operator[](std::size_t slot) { return slots_[slot].nombre; }

private:
    std::size_t debut(std::size_t cle) const {
        return ((cle == 0 ? 1 : cle) * 0x9E3779B97F4A7C15ull >> 20) & (slots_.size() - 1);
    }
    struct Slot {
        std::size_t cle = 0;
        std::ptrdiff_t nombre = 0;
    };
    std::vector<Slot> slots_;
};

// The records taken out and put in between two states of a collection. Equal heads and
// tails are skipped at once; within what is left, a record more frequent before than after
// went out, one less frequent came in, and the equal ones stayed in order. Records that only
// changed places, as when a journal out of order is sorted, go out and in again: the result
// is always exact, and as small as the action for every edit that keeps the others in order.
template <class T> Retouche<T> compare(const std::vector<T>& avant, const std::vector<T>& apres) {
    Retouche<T> r;
    const std::size_t na = avant.size(), nb = apres.size();
    // The records compared a few places ahead have their texts asked for meanwhile.
    constexpr std::size_t kAvance = 8;
    const auto memes = [&](std::size_t a, std::size_t b, std::size_t aPlus, std::size_t bPlus) {
        if (aPlus < na && bPlus < nb) {
            prevoitTextes(avant[aPlus]);
            prevoitTextes(apres[bPlus]);
        }
        return memesChamps(avant[a], apres[b]);
    };
    std::size_t tete = 0;
    while (tete < na && tete < nb && memes(tete, tete, tete + kAvance, tete + kAvance)) ++tete;
    std::size_t queue = 0;
    while (
        queue < na - tete && queue < nb - tete &&
        memes(na - 1 - queue, nb - 1 - queue, na - 1 - queue - kAvance, nb - 1 - queue - kAvance))
        ++queue;
    const std::size_t finA = na - queue, finB = nb - queue;

    // One record changed and moved, as after most edits of a sorted journal: the rest of the
    // window is the same records shifted by one place, seen without hashing them.
    if (finA - tete == finB - tete && finA - tete >= 2) {
        const std::size_t n = finA - tete;
        const auto decale = [&](std::size_t da, std::size_t db) {
            for (std::size_t i = 0; i + 1 < n; ++i)
                if (!memes(tete + da + i, tete + db + i, tete + da + i + kAvance,
                           tete + db + i + kAvance))
                    return false;
            return true;
        };
        if (decale(1, 0)) {
            r.retires.emplace_back(tete, avant[tete]);
            r.ajoutes.emplace_back(finB - 1, apres[finB - 1]);
            return r;
        }
        if (decale(0, 1)) {
            r.retires.emplace_back(finA - 1, avant[finA - 1]);
            r.ajoutes.emplace_back(tete, apres[tete]);
            return r;
        }
    }

    Exces exces((finA - tete) + (finB - tete));
    std::vector<std::size_t> hA, hB;
    hA.reserve(finA - tete);
    hB.reserve(finB - tete);
    for (std::size_t a = tete; a < finA; ++a) hA.push_back(empreinte(avant[a]));
    for (std::size_t b = tete; b < finB; ++b) hB.push_back(empreinte(apres[b]));
    const auto compte = [&exces](std::vector<std::size_t>& h, std::ptrdiff_t sens) {
        constexpr std::size_t kAvanceSlots = 16;
        for (std::size_t i = 0; i < h.size(); ++i) {
            if (i + kAvanceSlots < h.size()) exces.prevoit(h[i + kAvanceSlots]);
            h[i] = exces.slot(h[i]);
            exces[h[i]] += sens;
        }
    };
    compte(hA, 1);
    compte(hB, -1);

    std::size_t a = tete, b = tete;
    while (a < finA || b < finB) {
        if (a < finA && b < finB && memesChamps(avant[a], apres[b])) {
            ++a, ++b;
        } else if (a < finA && exces[hA[a - tete]] > 0) {
            --exces[hA[a - tete]];
            r.retires.emplace_back(a, avant[a]);
            ++a;
        } else if (b < finB && exces[hB[b - tete]] < 0) {
            ++exces[hB[b - tete]];
            r.ajoutes.emplace_back(b, apres[b]);
            ++b;
        } else {
            for (; a < finA; ++a) r.retires.emplace_back(a, avant[a]);
            for (; b < finB; ++b) r.ajoutes.emplace_back(b, apres[b]);
        }
    }
    return r;
}

// Takes out the records at the positions of `enleves` and puts in those of `mis` at theirs,
// in place, however many there are.
template <class T>
void applique(std::vector<T>& v, const std::vector<std::pair<std::size_t, T>>& enleves,
              const std::vector<std::pair<std::size_t, T>>& mis) {
    if (enleves.empty() && mis.empty()) return;
    if (enleves.size() == 1 && mis.size() == 1) {
        // One record changed, perhaps moved: the records between shift by one, in place.
        const auto de = static_cast<std::ptrdiff_t>(enleves.front().first);
        const auto a = static_cast<std::ptrdiff_t>(mis.front().first);
        if (de < a)
            std::move(v.begin() + de + 1, v.begin() + a + 1, v.begin() + de);
        else if (a < de)
            std::move_backward(v.begin() + a, v.begin() + de, v.begin() + de + 1);
        v[static_cast<std::size_t>(a)] = mis.front().second;
        return;
    }
    // Those taken out first, the records after them closing up; then those put in, the
    // records after their places opening up from the end. Both in place.
    if (!enleves.empty()) {
        std::size_t ecrit = enleves.front().first, e = 0;
        for (std::size_t i = ecrit; i < v.size(); ++i) {
            if (e < enleves.size() && enleves[e].first == i) {
                ++e;
                continue;
            }
            v[ecrit++] = std::move(v[i]);
        }
        v.resize(ecrit);
    }
    if (!mis.empty()) {
        const std::size_t ancienne = v.size();
        v.resize(ancienne + mis.size());
        std::size_t lu = ancienne, m = mis.size();
        for (std::size_t i = v.size(); i-- > mis.front().first;) {
            if (m > 0 && mis[m - 1].first == i)
                v[i] = mis[--m].second;
            else
                v[i] = std::move(v[--lu]);
        }
    }
}

// What an action changed in the journal, from the positions its edits reported when they did
// so exactly, else by comparing the whole journal: the records it took out and put in, or
// their places alone when it only changed their code.
void retoucheOperations(const std::vector<TOperation>& avant, const Budget& budget,
                        EtapeHistorique& e) {
    const std::vector<TOperation>& apres = budget.Operations;
    const SuiviJournal& suivi = budget.suiviOperations;
    // No edit of the journal said anything, and it kept its size: it did not change. Edits
    // that do not say where they changed it say so.
    if (suivi.rien(apres.size())) {
#ifndef NDEBUG
        if (!compare(avant, apres).vide()) {
            (void)std::fputs("The journal changed without its edits saying so.\n", stderr);
            std::abort();
        }
#endif
        return;
    }
    const bool precis = suivi.precis(apres.size()) &&
                        std::all_of(suivi.retires().begin(), suivi.retires().end(),
                                    [&avant](std::size_t i) { return i < avant.size(); });
    if (!precis) {
        e.operations = compare(avant, apres);
        return;
    }
#ifndef NDEBUG
    std::vector<TOperation> refait;
#endif
    if (const auto& codes = suivi.recodage()) {
        auto [de, vers] = budget.suiviOperations.prendPositions();
        e.recodage = {codes->first, codes->second, std::move(de), std::move(vers)};
#ifndef NDEBUG
        refait = avant;
        deplaceOperations(refait, e.recodage.avant, e.recodage.apres, e.recodage.nouveau);
#endif
    } else {
        Retouche<TOperation>& r = e.operations;
        r.retires.reserve(suivi.retires().size());
        r.ajoutes.reserve(suivi.ajoutes().size());
        for (const std::size_t i : suivi.retires()) r.retires.emplace_back(i, avant[i]);
        for (const std::size_t i : suivi.ajoutes()) r.ajoutes.emplace_back(i, apres[i]);
        // A record given the value it had.
        if (r.retires.size() == 1 && r.ajoutes.size() == 1 &&
            r.retires.front().first == r.ajoutes.front().first &&
            memesChamps(r.retires.front().second, r.ajoutes.front().second)) {
            r = {};
            return;
        }
#ifndef NDEBUG
        refait = avant;
        applique(refait, r.retires, r.ajoutes);
#endif
    }
#ifndef NDEBUG
    // Debug builds check the report against the journal: an edit that changed more than it
    // said would lose that change from the history.
    bool exact = refait.size() == apres.size();
    for (std::size_t i = 0; exact && i < refait.size(); ++i)
        exact = memesChamps(refait[i], apres[i]);
    if (!exact) {
        (void)std::fputs("The journal changed beyond what its edits reported.\n", stderr);
        std::abort();
    }
#endif
}

std::vector<TDepJourn> jours(const Budget& budget) {
    return {budget.DepJourn.begin(), budget.DepJourn.end()};
}

ValeursBudget valeurs(const Budget& budget) {
    return {budget.cSalaireMoyen, budget.nResteDebMois, budget.nNbJoursMois()};
}

void pose(Budget& budget, const ValeursBudget& v) {
    budget.cSalaireMoyen = v.cSalaireMoyen;
    budget.nResteDebMois = v.nResteDebMois;
    budget.setNbJoursMois(v.nNbJoursMois);
}

// Applies a step one way or the other: forward puts in what the action put in. The derived
// fields follow, unless only the saved ones matter.
void rejoue(Budget& budget, const EtapeHistorique& e, bool enAvant, bool recalcule = true) {
    const auto sens = [enAvant](auto& v, const auto& r) {
        if (enAvant)
            applique(v, r.retires, r.ajoutes);
        else
            applique(v, r.ajoutes, r.retires);
    };
    sens(budget.TypesDep, e.typesDep);
    sens(budget.Operations, e.operations);
    if (!e.recodage.vide()) {
        const Recodage& r = e.recodage;
        if (enAvant)
            deplaceOperations(budget.Operations, r.avant, r.apres, r.nouveau);
        else
            deplaceOperations(budget.Operations, r.apres, r.avant, r.ancien);
    }
    if (!e.depJourn.vide()) {
        std::vector<TDepJourn> v = jours(budget);
        sens(v, e.depJourn);
        std::copy(v.begin(), v.end(), budget.DepJourn.begin());
    }
    sens(budget.Economies, e.economies);
    sens(budget.Simulations, e.simulations);
    if (e.valeurs) pose(budget, enAvant ? e.valeurs->second : e.valeurs->first);
    if (e.param) budget.Param = enAvant ? e.param->second : e.param->first;
    if (e.import) budget.Import = enAvant ? e.import->second : e.import->first;
    if (recalcule) budget.calculeTout();
}

// An undo or a redo leaves the journal as the history's copy has it, in an order nobody said.
void suiviApresRejeu(const Budget& budget) {
    budget.suiviOperations.nouvelleAction(budget.Operations.size());
    budget.suiviOperations.ordreInconnu();
}

// The first record the step leaves in place going that way, in the order of the pages.
EndroitModifie endroit(const EtapeHistorique& e, bool enAvant, const Budget& budget) {
    const auto premier = [enAvant](const auto& r,
                                   std::size_t taille) -> std::optional<std::size_t> {
        const auto& arrives = enAvant ? r.ajoutes : r.retires;
        const auto& partis = enAvant ? r.retires : r.ajoutes;
        if (!arrives.empty()) return arrives.front().first;
        if (partis.empty()) return std::nullopt;
        // Only removed: the row that took the place of the first one.
        return taille == 0 ? 0 : std::min(partis.front().first, taille - 1);
    };
    if (auto i = premier(e.typesDep, budget.TypesDep.size())) return {PartieBudget::TypesDep, *i};
    if (auto i = premier(e.operations, budget.Operations.size()))
        return {PartieBudget::Operations, *i};
    if (!e.recodage.vide())
        return {PartieBudget::Operations, (enAvant ? e.recodage.apres : e.recodage.avant).front()};
    if (auto i = premier(e.depJourn, budget.DepJourn.size())) return {PartieBudget::DepJourn, *i};
    if (auto i = premier(e.economies, budget.Economies.size()))
        return {PartieBudget::Economies, *i};
    if (auto i = premier(e.simulations, budget.Simulations.size()))
        return {PartieBudget::Simulations, *i};
    if (e.valeurs) return {PartieBudget::Valeurs, 0};
    return {PartieBudget::Parametres, 0};
}

std::size_t octetsTexte(const std::string& s) {
    // Short texts live inside the string itself.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}
std::size_t octetsTextes(const TTypeDep& t) {
    return octetsTexte(t.cTypeDep) + octetsTexte(t.cLibelle);
}
std::size_t octetsTextes(const TOperation& o) {
    return octetsTexte(o.cDate) + octetsTexte(o.cTypeDep) + octetsTexte(o.cLibelle);
}
std::size_t octetsTextes(const TDepJourn&) {
    return 0;
}
std::size_t octetsTextes(const TEconomie& e) {
    return octetsTexte(e.cLibelle);
}
std::size_t octetsTextes(const TPSimulation& s) {
    return octetsTexte(s.cLibelle) + octetsTexte(s.cDateDeb) + octetsTexte(s.cDateFin);
}
template <class T> std::size_t octetsRetouche(const Retouche<T>& r) {
    std::size_t n =
        (r.retires.capacity() + r.ajoutes.capacity()) * sizeof(std::pair<std::size_t, T>);
    for (const auto& [i, t] : r.retires) n += octetsTextes(t);
    for (const auto& [i, t] : r.ajoutes) n += octetsTextes(t);
    return n;
}

}  // namespace

Historique::Historique(std::size_t nbEtapesMax)
    : nbEtapesMax_(std::max<std::size_t>(nbEtapesMax, 1)) {}

// From this many operations on, the copy's journal follows a step on a second thread.
constexpr std::size_t kOmbreEnParallele = 16384;

void Historique::attendsOmbre() {
    if (ombreEnCours_.valid()) ombreEnCours_.get();
}

void Historique::suitEtape(const EtapeHistorique& e, bool enAvant) {
    const bool journal = !e.operations.vide() || !e.recodage.vide();
    if (journal && ombre_->Operations.size() >= kOmbreEnParallele) {
        try {
            ombreEnCours_ = std::async(std::launch::async,
                                       [this, &e, enAvant] { rejoue(*ombre_, e, enAvant, false); });
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the copy follows here.
        }
    }
    rejoue(*ombre_, e, enAvant, false);
}

void Historique::debut(const Budget& budget) {
    if (profondeur_++ > 0) return;
    SuiviJournal& suivi = budget.suiviOperations;
    if (!ombre_) {
        ombre_ = budget;
        suivi.nouvelleAction(budget.Operations.size());
    } else if (!suivi.rien(budget.Operations.size())) {
        // The journal changed since the last step, outside any action.
        suivi.inconnu();
    }
}

bool Historique::fin(const Budget& budget, std::string_view cle) {
    if (profondeur_ == 0 || --profondeur_ > 0 || !ombre_) return false;
    attendsOmbre();
    const Budget& avant = *ombre_;

    EtapeHistorique e;
    e.typesDep = compare(avant.TypesDep, budget.TypesDep);
    retoucheOperations(avant.Operations, budget, e);
    budget.suiviOperations.nouvelleAction(budget.Operations.size());
    e.depJourn = compare(jours(avant), jours(budget));
    e.economies = compare(avant.Economies, budget.Economies);
    e.simulations = compare(avant.Simulations, budget.Simulations);
    if (valeurs(avant) != valeurs(budget)) e.valeurs.emplace(valeurs(avant), valeurs(budget));
    if (!(avant.Param == budget.Param)) e.param.emplace(avant.Param, budget.Param);
    // The stamp tells a change without comparing the memory's content.
    if (avant.Import.version() != budget.Import.version() && !(avant.Import == budget.Import))
        e.import.emplace(avant.Import, budget.Import);
    if (e.typesDep.vide() && e.operations.vide() && e.recodage.vide() && e.depJourn.vide() &&
        e.economies.vide() && e.simulations.vide() && !e.valeurs && !e.param && !e.import)
        return false;

    const auto valeursSeules = [](const EtapeHistorique& x) {
        return x.typesDep.vide() && x.operations.vide() && x.recodage.vide() && x.depJourn.vide() &&
               x.economies.vide() && x.simulations.vide() && !x.param && !x.import && x.valeurs;
    };
    if (!cle.empty() && courante_ > 0 && courante_ == etapes_.size() && etapes_.back().cle == cle &&
        etapes_.back().numero != enregistre_ && valeursSeules(e) && valeursSeules(etapes_.back())) {
        etapes_.back().valeurs->second = e.valeurs->second;
        pose(*ombre_, e.valeurs->second);
        return true;
    }
    e.cle = cle;

    // A new action forgets the steps undone before it.
    for (std::size_t i = courante_; i < etapes_.size(); ++i)
        if (etapes_[i].numero == enregistre_) enregistre_ = -1;
    etapes_.erase(etapes_.begin() + static_cast<std::ptrdiff_t>(courante_), etapes_.end());
    e.numero = prochainNumero_++;
    etapes_.push_back(std::move(e));
    ++courante_;
    if (etapes_.size() > nbEtapesMax_) {
        base_ = etapes_.front().numero;
        etapes_.pop_front();
        --courante_;
    }
    suitEtape(etapes_.back(), true);
    return true;
}

std::optional<EndroitModifie> Historique::annule(Budget& budget) {
    if (!peutAnnuler()) return std::nullopt;
    attendsOmbre();
    const EtapeHistorique& e = etapes_[--courante_];
    rejoue(budget, e, false);
    suiviApresRejeu(budget);
    if (ombre_) suitEtape(e, false);
    return endroit(e, false, budget);
}

std::optional<EndroitModifie> Historique::retablit(Budget& budget) {
    if (!peutRetablir()) return std::nullopt;
    attendsOmbre();
    const EtapeHistorique& e = etapes_[courante_++];
    rejoue(budget, e, true);
    suiviApresRejeu(budget);
    if (ombre_) suitEtape(e, true);
    return endroit(e, true, budget);
}

std::size_t Historique::nbAjoutesOuRetires() const {
    if (courante_ == 0) return 0;
    const EtapeHistorique& e = etapes_[courante_ - 1];
    const auto ecart = [](const auto& r) {
        return r.ajoutes.size() > r.retires.size() ? r.ajoutes.size() - r.retires.size()
                                                   : r.retires.size() - r.ajoutes.size();
    };
    return ecart(e.typesDep) + ecart(e.operations) + ecart(e.depJourn) + ecart(e.economies) +
           ecart(e.simulations);
}

std::int64_t Historique::numeroCourant() const {
    return courante_ > 0 ? etapes_[courante_ - 1].numero : base_;
}

bool Historique::modifie() const {
    return numeroCourant() != enregistre_;
}

void Historique::marqueEnregistre() {
    enregistre_ = numeroCourant();
}

void Historique::vide() {
    attendsOmbre();
    etapes_.clear();
    courante_ = 0;
    base_ = 0;
    enregistre_ = 0;
    prochainNumero_ = 1;
    profondeur_ = 0;
    ombre_.reset();
}

std::size_t Historique::octets() const {
    std::size_t n = 0;
    for (const EtapeHistorique& e : etapes_) {
        n += sizeof e + octetsRetouche(e.typesDep) + octetsRetouche(e.operations) +
             octetsRetouche(e.depJourn) + octetsRetouche(e.economies) +
             octetsRetouche(e.simulations) + octetsTexte(e.recodage.ancien) +
             octetsTexte(e.recodage.nouveau) +
             (e.recodage.avant.capacity() + e.recodage.apres.capacity()) * sizeof(std::size_t);
        if (e.valeurs)
            for (const ValeursBudget* v : {&e.valeurs->first, &e.valeurs->second})
                n += octetsTexte(v->cSalaireMoyen) + octetsTexte(v->nResteDebMois);
    }
    return n;
}

}  // namespace varnelle
