#include "gui/statistics/calend_op_page.h"

#include "gui/statistics/stats_grid.h"

namespace varnelle::gui {

CalendOpPage::CalendOpPage(Budget& budget, QWidget* parent)
    : Page(parent), budget_(budget), grCalendOp_(grilleRemplissant(*this, "grCalendOp")) {
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
    appliqueParametres(budget_.Param);
}

void CalendOpPage::appliqueParametres(const TParam& param) {
    grCalendOp_->setColumnResize(ensemble(param.lCaORetailColEns));
    appliqueColonneFixe(*grCalendOp_, param);
    grCalendOp_->reload();
}

}  // namespace varnelle::gui
