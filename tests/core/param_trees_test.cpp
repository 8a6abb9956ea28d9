#include "core/model/param_trees.h"

#include <gtest/gtest.h>

namespace varnelle {
namespace {

TEST(ParamTrees, LeavesAreTheColourKeysInTheirOrder) {
    const auto& grilles = NoeudsCouleurs(ArbreCouleurs::Grilles);
    const auto& graphes = NoeudsCouleurs(ArbreCouleurs::Graphes);
    ASSERT_EQ(grilles.size(), 47u);
    ASSERT_EQ(graphes.size(), 62u);
    int suivante = 0;
    for (const auto* arbre : {&grilles, &graphes}) {
        for (std::size_t i = 0; i < arbre->size(); ++i) {
            const bool feuille =
                i + 1 == arbre->size() || (*arbre)[i + 1].niveau <= (*arbre)[i].niveau;
            EXPECT_EQ((*arbre)[i].cle != nullptr, feuille) << (*arbre)[i].texte;
            if (feuille) {
                EXPECT_EQ((*arbre)[i].couleur, suivante++) << (*arbre)[i].cle;
            }
        }
    }
    EXPECT_EQ(suivante, kNbCouleurs);

    TParam p;
    CouleurNumero(p, 78) = 0x123456;
    EXPECT_EQ(p.nCoulGrapheFDLgPai, 0x123456);
    EXPECT_EQ(CouleurNumero(p, 32), p.nCoulGrapheDJFon);
    EXPECT_EQ(IndicePalette(0xC0C0C0), 7);
    EXPECT_FALSE(IndicePalette(0x123456));
}

TEST(ParamTrees, PreviewsAndTheNodeChosenFromWhereTheDialogOpens) {
    const auto& grilles = NoeudsCouleurs(ArbreCouleurs::Grilles);
    const auto noeud = [&](const char* parent, const char* texte) {
        for (std::size_t i = 1; i < grilles.size(); ++i)
            if (std::string(grilles[i].texte) == texte) {
                std::size_t p = i;
                while (grilles[p].niveau >= grilles[i].niveau) --p;
                if (std::string(grilles[p].texte) == parent) return static_cast<int>(i);
            }
        return -1;
    };
    const auto economies = ApercuNoeud(noeud("Economies", "Texte"));
    ASSERT_TRUE(economies);
    EXPECT_EQ(economies->nom, "Economies");
    EXPECT_EQ(economies->fond, 15);
    EXPECT_EQ(economies->texte, 16);
    EXPECT_EQ(ApercuNoeud(noeud("Toutes Grilles", "En-t\xEAtes"))->fond, 0);
    EXPECT_FALSE(ApercuNoeud(noeud("Types de d\xE9penses", "Jauge")));
    EXPECT_FALSE(ApercuNoeud(noeud("Types de d\xE9penses", "Mois de paiement")));
    EXPECT_FALSE(ApercuNoeud(0));

    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Grilles, OrigineParametres::SoldesMensuels),
              noeud("Simulations", "Fond"));
    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Graphes, OrigineParametres::SoldesMensuels), 38);
    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Graphes, OrigineParametres::Recap), 48);
    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Graphes, OrigineParametres::ArboMois), 23);
    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Graphes, OrigineParametres::ArboSansNoeud), 0);
    EXPECT_EQ(NoeudInitial(ArbreCouleurs::Grilles, OrigineParametres::FenetreDetails), 44);
}

}  // namespace
}  // namespace varnelle
