#pragma once

#include "core/model/param.h"
#include "gui/toolkit/grid.h"

class QWidget;

namespace varnelle::gui {

// What the grid pages of the statistics share.

// A grid named `name` filling `page`.
Grid* grilleRemplissant(QWidget& page, const char* name);
// Read-only, nothing selectable, the fixed first column raised.
void prepareGrilleStats(Grid& grid);
// Column 1 of the statistics grids: raised, its heading a button, in the heading colours.
void appliqueColonneFixe(Grid& grid, const TParam& param);
// Resizing of every column or row together, or of one alone.
Grid::Resize ensemble(bool ensemble);

}  // namespace varnelle::gui
