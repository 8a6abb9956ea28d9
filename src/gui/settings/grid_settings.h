#pragma once

#include <array>

#include <QFont>

#include "core/model/param.h"
#include "gui/toolkit/grid.h"

namespace varnelle::gui {

// Heading background, heading text and line colours shared by every grid.
void AppliqueCouleursGrille(Grid& grid, const TParam& param);

// A grid's own background and text colours, with the shared heading and line colours.
void appliqueCouleurs(Grid& grid, Couleur fond, Couleur texte, const TParam& param);

Grid::CheckShape formeCoche(const TParam& param);

// 0 none, 1 vertical, 2 horizontal, 3 both; anything else shows both.
Grid::Lines lignesGrille(int grid);

// What the zoom of the operations grid sets.
struct ZoomGrilleOp {
    std::array<int, 6> largeurs;  // columns 1 to 6
    int hauteur;                  // heading and rows
    int points;                   // font size
};

// The zoom levels 0, 1 and 2; a level out of range is taken as the nearest one.
const ZoomGrilleOp& zoomGrilleOp(int nZoom);

// The operations grid's font: `cPolice` at the zoom's size.
QFont policeGrilleOp(const TParamGrille& options);

}  // namespace varnelle::gui
