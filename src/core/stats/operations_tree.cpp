#include "core/stats/operations_tree.h"

#include <unordered_map>

#include "core/model/date_text.h"
#include "core/model/locale_facts.h"

namespace varnelle {

namespace {

constexpr std::string_view kTitre = "Vue arbrorescente des op\xE9rations";

std::unordered_map<std::string_view, std::string_view> libellesTypes(const Budget& budget) {
    std::unordered_map<std::string_view, std::string_view> libelles;
    // The first type of a code names it, as the lookup by code does.
    for (const TTypeDep& type : budget.TypesDep) libelles.emplace(type.cTypeDep, type.cLibelle);
    return libelles;
}

std::string libelleType(const std::unordered_map<std::string_view, std::string_view>& libelles,
                        const std::string& code) {
    const auto trouve = libelles.find(code);
    return trouve != libelles.end() ? std::string(trouve->second) : code;
}

std::size_t ajouteNoeud(ArbreOperations& arbre, int niveau, std::string texte,
                        TInfoNoeudArbreOp info) {
    TreeNode noeud;
    noeud.level = niveau;
    noeud.text = std::move(texte);
    noeud.image = 2 * niveau;
    noeud.selectedImage = 2 * niveau + 1;
    noeud.data = static_cast<std::int64_t>(arbre.noeuds.size());
    arbre.noeuds.push_back(std::move(noeud));
    arbre.infos.push_back(std::move(info));
    return arbre.noeuds.size() - 1;
}

// The ancestor of `noeud` at `niveau`.
std::size_t ancetre(const ArbreOperations& arbre, std::size_t noeud, int niveau) {
    while (arbre.noeuds[noeud].level > niveau) --noeud;
    return noeud;
}

}  // namespace

ArbreOperations ConstruitArbreOperations(const Budget& budget, std::string_view dateCourante) {
    ArbreOperations arbre;
    const auto libelles = libellesTypes(budget);
    const bool courante = DateValide(dateCourante);
    std::string_view anneePrec, moisPrec;
    std::size_t annee = 0, mois = 0;
    std::unordered_map<std::string_view, std::size_t> typesDuMois;  // code -> node
    for (std::size_t i = 0; i < budget.Operations.size(); ++i) {
        const TOperation& operation = budget.Operations[i];
        if (!DateValide(operation.cDate)) {
            anneePrec = moisPrec = {};
            continue;
        }
        const std::string_view a = partieAnnee(operation.cDate), m = partieMois(operation.cDate);
        if (a != anneePrec) {
            annee = ajouteNoeud(arbre, 0, std::string(a), {i, {}, {}, 0, 0});
            moisPrec = {};
        }
        if (m != moisPrec) {
            mois = ajouteNoeud(arbre, 1, NomMois(*numeroMois(operation.cDate)),
                               {i, std::string(m), {}, 0, 0});
            typesDuMois.clear();
            if (courante && partieAnnee(dateCourante) == a && partieMois(dateCourante) == m)
                arbre.selection = mois;
        }
        auto [type, nouveau] = typesDuMois.try_emplace(operation.cTypeDep, 0);
        if (nouveau)
            type->second = ajouteNoeud(arbre, 2, libelleType(libelles, operation.cTypeDep),
                                       {i, std::string(m), operation.cTypeDep, 0, 0});
        for (const std::size_t noeud : {annee, mois, type->second}) {
            arbre.infos[noeud].nTotal += operation.nMontant;
            ++arbre.infos[noeud].nNbOperations;
        }
        anneePrec = a;
        moisPrec = m;
    }
    return arbre;
}

std::vector<TDetailOperations> DetailOperations(const Budget& budget, const ArbreOperations& arbre,
                                                std::size_t noeud) {
    std::vector<TDetailOperations> lignes;
    const int niveau = arbre.noeuds[noeud].level;
    const TInfoNoeudArbreOp& info = arbre.infos[noeud];
    const std::string& annee = arbre.noeuds[ancetre(arbre, noeud, 0)].text;
    const auto libelles = libellesTypes(budget);
    std::unordered_map<std::string, std::size_t> rangs;  // key -> row
    for (std::size_t i = info.nIndiceOp; i < budget.Operations.size(); ++i) {
        const TOperation& operation = budget.Operations[i];
        if (!DateValide(operation.cDate) || partieAnnee(operation.cDate) != annee) break;
        const std::string_view mois = partieMois(operation.cDate);
        if (niveau > 0 && mois != info.cMois) break;
        if (niveau == 2) {
            if (operation.cTypeDep == info.cTypeDep)
                lignes.push_back({operation.nSelect,
                                  {},
                                  operation.cDate,
                                  operation.cLibelle,
                                  operation.nMontant,
                                  operation.nSolde});
            continue;
        }
        const std::string cle = niveau == 0 ? std::string(mois) : operation.cTypeDep;
        const auto [rang, nouveau] = rangs.try_emplace(cle, lignes.size());
        if (nouveau) {
            lignes.push_back(
                {0,
                 cle,
                 {},
                 niveau == 0 ? NomMois(*numeroMois(operation.cDate)) : libelleType(libelles, cle),
                 0,
                 0});
        }
        lignes[rang->second].nMontant += operation.nMontant;
        lignes[rang->second].nSolde = operation.nSolde;
    }
    return lignes;
}

std::string TitreDetailOperations(const ArbreOperations& arbre, std::size_t noeud) {
    const int niveau = arbre.noeuds[noeud].level;
    const std::string& annee = arbre.noeuds[ancetre(arbre, noeud, 0)].text;
    std::string titre = std::string(kTitre) + " (";
    if (niveau == 0) return titre + annee + ")";
    titre += arbre.noeuds[ancetre(arbre, noeud, 1)].text + " " + annee;
    if (niveau == 2) titre += " : " + arbre.noeuds[noeud].text;
    return titre + ")";
}

std::vector<MoisClasseur> ConstruitClasseur(const std::vector<TOperation>& operations) {
    std::vector<MoisClasseur> mois;
    bool suite = false;  // the previous operation was dated
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const std::string& date = operations[i].cDate;
        if (!DateValide(date)) {
            suite = false;
            continue;
        }
        const std::string_view a = partieAnnee(date), m = partieMois(date);
        if (suite && mois.back().cAnnee == a && mois.back().cMois == m)
            mois.back().dernier = i;
        else
            mois.push_back({std::string(a), std::string(m), i, i});
        suite = true;
    }
    return mois;
}

std::vector<TDetailOperations> DetailMoisClasseur(const std::vector<TOperation>& operations,
                                                  const MoisClasseur& mois) {
    std::vector<TDetailOperations> lignes;
    for (std::size_t i = mois.premier; i <= mois.dernier && i < operations.size(); ++i) {
        const TOperation& o = operations[i];
        lignes.push_back({o.nSelect, o.cTypeDep, o.cDate, o.cLibelle, o.nMontant, o.nSolde});
    }
    return lignes;
}

}  // namespace varnelle
