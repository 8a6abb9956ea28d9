#include "gui/settings/grid_settings.h"

#include <algorithm>

#include "render/budget_text.h"
#include "render/colour.h"

namespace varnelle::gui {

void AppliqueCouleursGrille(Grid& grid, const TParam& param) {
    const QPalette& colors = grid.palette();
    grid.setColors(colors.color(QPalette::Base), colors.color(QPalette::Text),
                   qColor(param.nCoulToutesGrillesETFond), qColor(param.nCoulToutesGrillesETTexte),
                   qColor(param.nCoulToutesGrillesBordures));
}

void appliqueCouleurs(Grid& grid, Couleur fond, Couleur texte, const TParam& param) {
    grid.setColors(qColor(fond), qColor(texte), qColor(param.nCoulToutesGrillesETFond),
                   qColor(param.nCoulToutesGrillesETTexte),
                   qColor(param.nCoulToutesGrillesBordures));
}

Grid::CheckShape formeCoche(const TParam& param) {
    switch (param.FormeCoche) {
    case 0: return Grid::CheckShape::Flat;
    case 2: return Grid::CheckShape::Cross;
    default: return Grid::CheckShape::Tick;
    }
}

Grid::Lines lignesGrille(int grid) {
    switch (grid) {
    case 0: return Grid::Lines::None;
    case 1: return Grid::Lines::Vertical;
    case 2: return Grid::Lines::Horizontal;
    default: return Grid::Lines::Both;
    }
}

const ZoomGrilleOp& zoomGrilleOp(int nZoom) {
    static const std::array<ZoomGrilleOp, 3> zooms{{
        {{32, 80, 48, 64, 200, 64}, 14, 8},
        {{40, 100, 60, 80, 250, 80}, 18, 10},
        {{48, 120, 72, 96, 300, 96}, 21, 12},
    }};
    return zooms[static_cast<std::size_t>(std::clamp(nZoom, 0, 2))];
}

QFont policeGrilleOp(const TParamGrille& options) {
    QFont font(fromBudgetText(options.cPolice));
    font.setPointSize(zoomGrilleOp(options.nZoom).points);
    return font;
}

}  // namespace varnelle::gui
