#include "core/model/param_trees.h"

#include <cstring>
#include <type_traits>

namespace varnelle {

namespace {

using N = NoeudCouleur;

std::vector<NoeudCouleur> grilles() {
    return {
        N{0, "Toutes Grilles", nullptr},
        N{1, "En-t\xEAtes", nullptr},
        N{2, "Fond", "nCoulToutesGrillesETFond"},
        N{2, "Texte", "nCoulToutesGrillesETTexte"},
        N{1, "Bordures", "nCoulToutesGrillesBordures"},
        N{0, "Types de d\xE9penses", nullptr},
        N{1, "Fond", "nCoulGrilleTDFond"},
        N{1, "Texte", "nCoulGrilleTDTexte"},
        N{1, "Mois de paiement", "nCoulGrilleTDMsPaie"},
        N{1, "Jauge", nullptr},
        N{2, "Fond", "nCoulGrilleTDJgeFon"},
        N{2, "Barre", "nCoulGrilleTDJgeBar"},
        N{2, "D\xE9passement", "nCoulGrilleTDJgeDep"},
        N{0, "Op\xE9rations", nullptr},
        N{1, "mois Impairs", "nCoulGrilleOpMsImp"},
        N{1, "mois Pairs", "nCoulGrilleOpMsPai"},
        N{1,
          "op\xE9rations Coch\xE9"
          "es",
          "nCoulGrilleOpOpCoc"},
        N{1,
          "op\xE9rations D\xE9"
          "coch\xE9"
          "es",
          "nCoulGrilleOpOpDec"},
        N{0, "D\xE9penses journali\xE8res", nullptr},
        N{1, "Fond", "nCoulGrilleDJFond"},
        N{1, "Texte", "nCoulGrilleDJTexte"},
        N{0, "Economies", nullptr},
        N{1, "Fond", "nCoulGrilleEcFond"},
        N{1, "Texte", "nCoulGrilleEcTexte"},
        N{0, "Arborescence des op\xE9rations", nullptr},
        N{1, "D\xE9tail op\xE9rations", nullptr},
        N{2, "Fond", "nCoulGrilleDOFond"},
        N{2, "Texte", "nCoulGrilleDOTexte"},
        N{0, "Vue 'classeur' des op\xE9rations", nullptr},
        N{1, "Fond", "nCoulGrilleClFond"},
        N{1, "Texte", "nCoulGrilleClTexte"},
        N{0, "Simulations", nullptr},
        N{1, "Fond", "nCoulGrilleSiFond"},
        N{1, "Texte", "nCoulGrilleSiTexte"},
        N{0, "Calendrier des op\xE9rations", nullptr},
        N{1, "mois Impairs", "nCoulGrilleCOMsImp"},
        N{1, "mois Pairs", "nCoulGrilleCOMsPai"},
        N{1,
          "op\xE9rations Coch\xE9"
          "es",
          nullptr},
        N{2, "L\xE9gende", "nCoulGrilleCOOpCLeg"},
        N{2, "Valeur", "nCoulGrilleCOOpCVal"},
        N{1,
          "op\xE9rations D\xE9"
          "coch\xE9"
          "es",
          nullptr},
        N{2, "L\xE9gende", "nCoulGrilleCOOpDLeg"},
        N{2, "Valeur", "nCoulGrilleCOOpDVal"},
        N{0, "Fen\xEAtre de d\xE9tails", nullptr},
        N{1, "Fond", "nCoulGrilleFDFond"},
        N{1, "Texte", "nCoulGrilleFDTexte"},
        N{1, "lignes de Simulation", "nCoulGrilleFDSimul"},
    };
}

// Fond, Légende and two bar colours, the shape most charts share.
void quatre(std::vector<NoeudCouleur>& n, int niveau, const char* barres, const char* fond,
            const char* legende, const char* impairs, const char* pairs) {
    n.push_back({niveau, "Fond", fond});
    n.push_back({niveau, "L\xE9gende", legende});
    n.push_back({niveau, barres == nullptr ? "mois Impairs" : barres, impairs});
    n.push_back(
        {niveau, barres == nullptr ? "mois Pairs" : barres + std::strlen(barres) + 1, pairs});
}

// "types 'Impairs'" and "types 'Pairs'", one after the other in one literal.
constexpr const char* kTypes = "types 'Impairs'\0types 'Pairs'";

std::vector<NoeudCouleur> graphes() {
    std::vector<NoeudCouleur> n;
    n.push_back({0, "D\xE9penses journali\xE8res", nullptr});
    n.push_back({1, "Fond", "nCoulGrapheDJFon"});
    n.push_back({1, "L\xE9gende", "nCoulGrapheDJLeg"});
    n.push_back({1, "Jours multiples de 5", "nCoulGrapheDJJrMl5"});
    n.push_back({1, "Autres jours", "nCoulGrapheDJAutJr"});
    n.push_back({0, "Types de d\xE9penses", nullptr});
    quatre(n, 1, kTypes, "nCoulGrapheTDFon", "nCoulGrapheTDLeg", "nCoulGrapheTDTyImp",
           "nCoulGrapheTDTyPai");
    n.push_back({0, "Op\xE9rations", nullptr});
    n.push_back({1, "Fond", "nCoulGrapheOpFon"});
    n.push_back({1, "Axes", "nCoulGrapheOpAxe"});
    n.push_back({1, "Traits verticaux", "nCoulGrapheOpTrVer"});
    n.push_back({1, "mois Impairs", "nCoulGrapheOpMsImp"});
    n.push_back({1, "mois Pairs", "nCoulGrapheOpMsPai"});
    n.push_back({0, "Arborescence des op\xE9rations", nullptr});
    n.push_back({1,
                 "par Ann\xE9"
                 "e",
                 nullptr});
    quatre(n, 2, nullptr, "nCoulGrapheArbreAnFon", "nCoulGrapheArbreAnLeg",
           "nCoulGrapheArbreAnMsImp", "nCoulGrapheArbreAnMsPai");
    n.push_back({1, "par Mois", nullptr});
    quatre(n, 2, kTypes, "nCoulGrapheArbreMsFon", "nCoulGrapheArbreMsLeg",
           "nCoulGrapheArbreMsTDImp", "nCoulGrapheArbreMsTDPai");
    n.push_back({1, "par Type de d\xE9pense", nullptr});
    quatre(n, 2, kTypes, "nCoulGrapheArbreTDFon", "nCoulGrapheArbreTDLeg",
           "nCoulGrapheArbreTDTDImp", "nCoulGrapheArbreTDTDPai");
    n.push_back({0, "Vue 'classeur' des op\xE9rations", nullptr});
    quatre(n, 1, nullptr, "nCoulGrapheClasseurFon", "nCoulGrapheClasseurLeg",
           "nCoulGrapheClasseurTDImp", "nCoulGrapheClasseurTDPai");
    n.push_back({0, "Soldes mensuels", nullptr});
    n.push_back({1, "Fond", "nCoulGrapheSMFon"});
    n.push_back({1, "L\xE9gende", "nCoulGrapheSMLeg"});
    n.push_back({1,
                 "ann\xE9"
                 "es Impaires",
                 nullptr});
    n.push_back({2, "mois Impairs", "nCoulGrapheSMAIMI"});
    n.push_back({2, "mois Pairs", "nCoulGrapheSMAIMP"});
    n.push_back({1,
                 "ann\xE9"
                 "es Paires",
                 nullptr});
    n.push_back({2, "mois Impairs", "nCoulGrapheSMAPMI"});
    n.push_back({2, "mois Pairs", "nCoulGrapheSMAPMP"});
    n.push_back({0,
                 "R\xE9"
                 "cap. types de d\xE9penses",
                 nullptr});
    n.push_back({1, "types 'Impairs'", nullptr});
    quatre(n, 2, nullptr, "nCoulGrapheRTDTIFon", "nCoulGrapheRTDTILeg", "nCoulGrapheRTDTIMI",
           "nCoulGrapheRTDTIMP");
    n.push_back({1, "types 'Pairs'", nullptr});
    quatre(n, 2, nullptr, "nCoulGrapheRTDTPFon", "nCoulGrapheRTDTPLeg", "nCoulGrapheRTDTPMI",
           "nCoulGrapheRTDTPMP");
    n.push_back({0, "Fen\xEAtre de d\xE9tails", nullptr});
    quatre(n, 1, "lignes Impaires\0lignes Paires", "nCoulGrapheFDFon", "nCoulGrapheFDLeg",
           "nCoulGrapheFDLgImp", "nCoulGrapheFDLgPai");
    return n;
}

// The colour keys in the order of forEachParam.
const std::vector<const char*>& nomsCouleurs() {
    static const std::vector<const char*> noms = [] {
        std::vector<const char*> n;
        TParam p;
        forEachParam(p, [&n](const char* cle, auto& champ, auto genre) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(champ)>, Couleur> &&
                          std::is_same_v<decltype(genre), IntegerKey>)
                if (static_cast<int>(n.size()) < kNbCouleurs) n.push_back(cle);
        });
        return n;
    }();
    return noms;
}

std::vector<NoeudCouleur> numerote(std::vector<NoeudCouleur> noeuds) {
    const std::vector<const char*>& noms = nomsCouleurs();
    for (NoeudCouleur& noeud : noeuds) {
        if (noeud.cle == nullptr) continue;
        for (std::size_t i = 0; i < noms.size(); ++i)
            if (std::strcmp(noms[i], noeud.cle) == 0) noeud.couleur = static_cast<int>(i);
    }
    return noeuds;
}

int chemin(ArbreCouleurs arbre, std::initializer_list<const char*> textes) {
    const std::vector<NoeudCouleur>& noeuds = NoeudsCouleurs(arbre);
    int niveau = 0, trouve = -1;
    auto texte = textes.begin();
    for (std::size_t i = 0; i < noeuds.size() && texte != textes.end(); ++i) {
        if (noeuds[i].niveau < niveau) break;
        if (noeuds[i].niveau == niveau && std::strcmp(noeuds[i].texte, *texte) == 0) {
            trouve = static_cast<int>(i);
            ++niveau;
            ++texte;
        }
    }
    return texte == textes.end() ? trouve : 0;
}

}  // namespace

const std::vector<NoeudCouleur>& NoeudsCouleurs(ArbreCouleurs arbre) {
    static const std::vector<NoeudCouleur> g = numerote(grilles());
    static const std::vector<NoeudCouleur> c = numerote(graphes());
    return arbre == ArbreCouleurs::Grilles ? g : c;
}

Couleur& CouleurNumero(TParam& param, int numero) {
    Couleur* trouvee = nullptr;
    int rang = 0;
    forEachParam(param, [&](const char*, auto& champ, auto genre) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(champ)>, Couleur> &&
                      std::is_same_v<decltype(genre), IntegerKey>)
            if (rang++ == numero) trouvee = &champ;
    });
    return *trouvee;
}

Couleur CouleurNumero(const TParam& param, int numero) {
    return CouleurNumero(const_cast<TParam&>(param), numero);
}

std::optional<int> IndicePalette(Couleur couleur) {
    for (std::size_t i = 0; i < kPaletteCouleurs.size(); ++i)
        if (kPaletteCouleurs[i] == couleur) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<ApercuGrille> ApercuNoeud(int noeud) {
    const std::vector<NoeudCouleur>& n = NoeudsCouleurs(ArbreCouleurs::Grilles);
    if (noeud < 0 || noeud >= static_cast<int>(n.size())) return std::nullopt;
    // A "Fond" or "Texte" leaf shows its group; a group shows itself.
    int groupe = noeud;
    if (n[static_cast<std::size_t>(noeud)].cle != nullptr) {
        const char* texte = n[static_cast<std::size_t>(noeud)].texte;
        if (std::strcmp(texte, "Fond") != 0 && std::strcmp(texte, "Texte") != 0)
            return std::nullopt;
        while (groupe > 0 && n[static_cast<std::size_t>(groupe)].niveau >=
                                 n[static_cast<std::size_t>(noeud)].niveau)
            --groupe;
    }
    // Its children "Fond" and "Texte".
    int fond = -1, texte = -1;
    const int niveau = n[static_cast<std::size_t>(groupe)].niveau;
    for (std::size_t i = static_cast<std::size_t>(groupe) + 1; i < n.size() && n[i].niveau > niveau;
         ++i) {
        if (n[i].niveau != niveau + 1 || n[i].cle == nullptr) continue;
        if (std::strcmp(n[i].texte, "Fond") == 0) fond = n[i].couleur;
        if (std::strcmp(n[i].texte, "Texte") == 0) texte = n[i].couleur;
    }
    if (fond < 0 || texte < 0) return std::nullopt;
    return ApercuGrille{n[static_cast<std::size_t>(groupe)].texte, fond, texte};
}

int NoeudInitial(ArbreCouleurs arbre, OrigineParametres origine) {
    using O = OrigineParametres;
    const bool grilles = arbre == ArbreCouleurs::Grilles;
    const char* const detailsG = "Fen\xEAtre de d\xE9tails";
    const char* const dj = "D\xE9penses journali\xE8res";
    const char* const arbo = "Arborescence des op\xE9rations";
    switch (origine) {
    case O::FenetreDetails: return chemin(arbre, {detailsG, "Fond"});
    case O::TypesDep:
        return grilles ? chemin(arbre, {"Types de d\xE9penses", "Fond"}) : chemin(arbre, {dj});
    case O::Operations:
        return grilles ? chemin(arbre, {"Op\xE9rations", "mois Impairs"}) : chemin(arbre, {dj});
    case O::DepJourn: return chemin(arbre, {dj, "Fond"});
    case O::GraphesTypesDep:
    case O::GraphesOperations:
        if (grilles) return chemin(arbre, {"Toutes Grilles", "En-t\xEAtes", "Fond"});
        return chemin(
            arbre,
            {origine == O::GraphesTypesDep ? "Types de d\xE9penses" : "Op\xE9rations", "Fond"});
    case O::ArboAnnee:
    case O::ArboMois:
    case O::ArboType:
    case O::ArboSansNoeud:
        if (grilles) return chemin(arbre, {arbo, "D\xE9tail op\xE9rations", "Fond"});
        if (origine == O::ArboSansNoeud) return chemin(arbre, {dj});
        return chemin(arbre, {arbo,
                              origine == O::ArboAnnee  ? "par Ann\xE9"
                                                         "e"
                              : origine == O::ArboMois ? "par Mois"
                                                       : "par Type de d\xE9pense",
                              "Fond"});
    case O::Classeur: return chemin(arbre, {"Vue 'classeur' des op\xE9rations", "Fond"});
    case O::SoldesMensuels:
        return grilles ? chemin(arbre, {"Simulations", "Fond"})
                       : chemin(arbre, {"Soldes mensuels", "Fond"});
    case O::Recap:
        return grilles ? chemin(arbre, {"Toutes Grilles", "En-t\xEAtes", "Fond"})
                       : chemin(arbre, {"R\xE9"
                                        "cap. types de d\xE9penses",
                                        "types 'Impairs'", "Fond"});
    case O::Calendrier:
        return grilles ? chemin(arbre, {"Calendrier des op\xE9rations", "mois Impairs"})
                       : chemin(arbre, {dj});
    }
    return 0;
}

TreeNodes NoeudsArbreCouleurs(ArbreCouleurs arbre, int premiereImage) {
    const std::vector<NoeudCouleur>& noeuds = NoeudsCouleurs(arbre);
    TreeNodes resultat;
    resultat.reserve(noeuds.size());
    for (std::size_t i = 0; i < noeuds.size(); ++i) {
        const NoeudCouleur& n = noeuds[i];
        const int genre = n.cle != nullptr ? (arbre == ArbreCouleurs::Grilles ? 2 : 3)
                          : n.niveau == 0  ? 0
                                           : 1;
        const int image = premiereImage + 2 * genre;
        resultat.push_back(
            {n.niveau, n.texte, image, image + 1, TickState::None, static_cast<std::int64_t>(i)});
    }
    return resultat;
}

}  // namespace varnelle
