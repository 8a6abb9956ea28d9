#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/model/param.h"
#include "core/model/tree_nodes.h"

namespace varnelle {

// The two trees of the settings dialog: every leaf names one colour key of the budget's
// settings, every other node groups leaves.
enum class ArbreCouleurs { Grilles, Graphes };

struct NoeudCouleur {
    int niveau;
    const char* texte;  // Windows-1252
    const char* cle;    // the colour key of a leaf; null for a group
    // Position of the key among the colour keys of forEachParam (0 .. 78); -1 for a group.
    int couleur = -1;
};

// The nodes of a tree, depth first: 47 in "Grilles", 62 in "Graphes".
const std::vector<NoeudCouleur>& NoeudsCouleurs(ArbreCouleurs arbre);

// Colour key `numero` (0 .. kNbCouleurs - 1) of `param`, in the order of forEachParam.
Couleur& CouleurNumero(TParam& param, int numero);
Couleur CouleurNumero(const TParam& param, int numero);

// The 16 colours the pickers offer, black first and white last.
inline constexpr std::array<Couleur, 16> kPaletteCouleurs = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// The first place of `couleur` in the palette; empty for a colour the palette lacks.
std::optional<int> IndicePalette(Couleur couleur);

// What the grid tree's preview shows for a node: a group's name in its "Texte" colour on its
// "Fond" colour, for the groups that have both and for those two leaves of theirs.
struct ApercuGrille {
    std::string nom;
    int fond;  // colour key positions
    int texte;
};
std::optional<ApercuGrille> ApercuNoeud(int noeud);

// The place the dialog is opened from, which chooses the node shown first in each tree.
enum class OrigineParametres {
    FenetreDetails,
    TypesDep,
    Operations,
    DepJourn,
    GraphesTypesDep,
    GraphesOperations,
    ArboAnnee,
    ArboMois,
    ArboType,
    ArboSansNoeud,
    Classeur,
    SoldesMensuels,
    Recap,
    Calendrier
};

// The node selected first in `arbre` when the dialog opens from `origine`.
int NoeudInitial(ArbreCouleurs arbre, OrigineParametres origine);

// The tree as the tree control shows it, with the pictures of the dialog: a top-level group,
// an inner group, a grid leaf and a chart leaf, each a pair from `premiereImage`.
TreeNodes NoeudsArbreCouleurs(ArbreCouleurs arbre, int premiereImage);

}  // namespace varnelle
