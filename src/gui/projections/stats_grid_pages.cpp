#include "projections/stats_grid_pages.h"

#include <QVBoxLayout>

#include "render/colour.h"
#include "render/interface_font.h"
#include "settings/grid_settings.h"
#include "toolkit/grid.h"

namespace varnelle::gui {

namespace {

Grid* gridFilling(QWidget& page, const char* name) {
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

// Column 1 of the statistics grids: raised, its heading a button, in the heading colours.
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

}  // namespace

RecapTypesDepPage::RecapTypesDepPage(Budget& budget, QWidget* parent)
    : QWidget(parent), budget_(budget), grRecapTypesDep_(gridFilling(*this, "grRecapTypesDep")) {}

void RecapTypesDepPage::prepare() {
    prepareGrilleStats(*grRecapTypesDep_);
    grRecapTypesDep_->setRowBar(true, false);
    grRecapTypesDep_->setDefaultColumnWidth(276);
    grRecapTypesDep_->setDefaultRowHeight(100);
    grRecapTypesDep_->setColumns({{QStringLiteral("Type de dépenses"), 120}});
    appliqueParametres();
}

void RecapTypesDepPage::appliqueParametres() {
    const TParam& param = budget_.Param;
    grRecapTypesDep_->setRowResize(ensemble(param.lRTDRetailLigEns));
    grRecapTypesDep_->setColumnResize(ensemble(param.lRTDRetailColEns));
    appliqueColonneFixe(*grRecapTypesDep_, param);
    grRecapTypesDep_->reload();
}

CalendOpPage::CalendOpPage(Budget& budget, QWidget* parent)
    : QWidget(parent), budget_(budget), grCalendOp_(gridFilling(*this, "grCalendOp")) {
    grCalendOp_->gridModel().setCellLoaded([](int column, int row) -> QVariant {
        return column == 1 ? QVariant(QString::number(row)) : QVariant();
    });
}

void CalendOpPage::prepare() {
    prepareGrilleStats(*grCalendOp_);
    grCalendOp_->setRowBar(false, false);
    grCalendOp_->setRowResize(Grid::Resize::None);
    grCalendOp_->setDefaultColumnWidth(88);
    grCalendOp_->setDefaultRowHeight(14);
    grCalendOp_->setHeadingHeight(30);
    grCalendOp_->setColumns({{QStringLiteral("\r#"), 28}});
    grCalendOp_->setRows(kNbJoursDepJourn);
    appliqueParametres();
}

void CalendOpPage::appliqueParametres() {
    const TParam& param = budget_.Param;
    grCalendOp_->setColumnResize(ensemble(param.lCaORetailColEns));
    appliqueColonneFixe(*grCalendOp_, param);
    grCalendOp_->reload();
}

}  // namespace varnelle::gui
