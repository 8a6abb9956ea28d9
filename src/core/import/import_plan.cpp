#include "core/import/import_plan.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/model/date_text.h"

namespace varnelle {
namespace {

// Date and amount in one number: the day serial above, the hundredths below.
std::optional<std::uint64_t> cle(std::string_view date, Montant montant) {
    const auto jour = parseDate(date);
    const auto centimes = toHundredths(montant);
    if (!jour || !centimes) return std::nullopt;
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(dateSerial(*jour))) << 32) |
           static_cast<std::uint32_t>(*centimes);
}

}  // namespace

std::size_t PlanImport::nbAAjouter() const {
    return static_cast<std::size_t>(std::count_if(lignes.begin(), lignes.end(), [](const auto& l) {
        return l.statut == StatutImport::AAjouter;
    }));
}

std::vector<std::size_t> PlanImport::sansType() const {
    std::vector<std::size_t> sortie;
    for (std::size_t i = 0; i < lignes.size(); ++i)
        if (lignes[i].statut == StatutImport::AAjouter && lignes[i].cTypeDep.empty())
            sortie.push_back(i);
    return sortie;
}

PlanImport prepareImport(const Budget& budget, std::vector<LigneReleve> lignes,
                         std::string_view typeDefaut) {
    return prepareImport(budget, budget.Import, std::move(lignes), typeDefaut);
}

PlanImport prepareImport(const Budget& budget, const MemoireImport& memoire,
                         std::vector<LigneReleve> lignes, std::string_view typeDefaut) {
    // Only the journal's operations on the statement's days and amounts are indexed.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> index;
    for (const LigneReleve& l : lignes)
        if (const auto k = cle(l.cDate, l.nMontant)) index.try_emplace(*k);
    for (std::size_t i = 0; i < budget.Operations.size(); ++i) {
        const TOperation& o = budget.Operations[i];
        if (const auto k = cle(o.cDate, o.nMontant))
            if (const auto it = index.find(*k); it != index.end()) it->second.push_back(i);
    }
    std::unordered_set<std::size_t> prises;
    std::unordered_set<std::string_view> fitidsVus;

    std::vector<std::string> reglesNormalisees;
    for (const RegleImport& regle : memoire.regles())
        reglesNormalisees.push_back(libelleNormalise(regle.cTexte));
    const auto existe = [&budget](std::string_view code) {
        return !code.empty() && budget.IndiceTypeDep(code) >= 0;
    };
    const bool defautExiste = existe(typeDefaut);

    PlanImport plan;
    plan.lignes.reserve(lignes.size());
    for (LigneReleve& l : lignes) {
        LignePlan p;
        p.ligne = std::move(l);
        const std::string libelle = libelleNormalise(p.ligne.cLibelle);
        if (p.ligne.nMontant == 0) {
            p.statut = StatutImport::MontantNul;
        } else if (!p.ligne.cFitid.empty() &&
                   (memoire.fitidConnu(p.ligne.cFitid) || fitidsVus.contains(p.ligne.cFitid))) {
            p.statut = StatutImport::DejaImportee;
        } else if (const auto k = cle(p.ligne.cDate, p.ligne.nMontant)) {
            for (const std::size_t i : index[*k]) {
                if (!prises.contains(i) &&
                    libelleNormalise(budget.Operations[i].cLibelle) == libelle) {
                    prises.insert(i);
                    p.statut = StatutImport::DejaDansJournal;
                    p.indiceJournal = i;
                    break;
                }
            }
        }
        if (p.statut == StatutImport::AAjouter) {
            if (const std::string_view code = memoire.dernierType(p.ligne.cLibelle); existe(code)) {
                p.cTypeDep = code;
                p.origine = OrigineType::ChoixPrecedent;
            } else {
                for (std::size_t r = 0; r < reglesNormalisees.size(); ++r) {
                    if (libelle.find(reglesNormalisees[r]) != std::string::npos &&
                        existe(memoire.regles()[r].cTypeDep)) {
                        p.cTypeDep = memoire.regles()[r].cTypeDep;
                        p.origine = OrigineType::Regle;
                        break;
                    }
                }
            }
            if (p.origine == OrigineType::Aucune && defautExiste) {
                p.cTypeDep = typeDefaut;
                p.origine = OrigineType::Defaut;
            }
        }
        plan.lignes.push_back(std::move(p));
        if (!plan.lignes.back().ligne.cFitid.empty())
            fitidsVus.insert(plan.lignes.back().ligne.cFitid);
    }
    return plan;
}

std::optional<std::size_t> appliqueImport(Budget& budget, const PlanImport& plan,
                                          std::size_t* premiere) {
    if (!plan.sansType().empty()) return std::nullopt;
    const std::size_t nb = plan.nbAAjouter();
    budget.Operations.reserve(budget.Operations.size() + nb);
    for (const LignePlan& p : plan.lignes) {
        if (p.statut != StatutImport::AAjouter) continue;
        TOperation o;
        o.nSelect = 0;
        o.cDate = p.ligne.cDate;
        o.cTypeDep = p.cTypeDep;
        o.nMontant = p.ligne.nMontant;
        o.cLibelle = p.ligne.cLibelle;
        o.lMarquee = premiere != nullptr;  // found again after the sort
        budget.Operations.push_back(std::move(o));
        if (!p.ligne.cFitid.empty()) budget.Import.ajouteFitid(p.ligne.cFitid);
        budget.Import.retiensType(p.ligne.cLibelle, p.cTypeDep);
    }
    if (nb > 0) {
        budget.TrieOperations();
        if (premiere != nullptr) {
            *premiere = budget.Operations.size();
            for (std::size_t i = 0; i < budget.Operations.size(); ++i) {
                if (std::exchange(budget.Operations[i].lMarquee, false))
                    *premiere = std::min(*premiere, i);
            }
        }
        budget.CalculeTotauxTypesDep();
        budget.CalculeSoldesOperations();
    }
    return nb;
}

}  // namespace varnelle
