#include "gui/statistics/stats_grid.h"

#include <QVBoxLayout>

#include "gui/settings/grid_settings.h"
#include "render/colour.h"
#include "render/interface_font.h"

namespace varnelle::gui {

Grid* grilleRemplissant(QWidget& page, const char* name) {
    auto* grid = new Grid(&page);
    grid->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

Grid::Resize ensemble(bool ensemble) {
    return ensemble ? Grid::Resize::All : Grid::Resize::One;
}

void appliqueColonneFixe(Grid& grid, const TParam& param) {
    AppliqueCouleursGrille(grid, param);
    grid.setFixedColumnColors(qColor(param.nCoulToutesGrillesETFond),
                              qColor(param.nCoulToutesGrillesETTexte));
}

void prepareGrilleStats(Grid& grid) {
    grid.setReadOnly(true);
    grid.setSelection(Grid::Selection::None);
    grid.setHeadingFont(interfaceFont());
    grid.setFixedColumn(true);
}

}  // namespace varnelle::gui
