#include "gui/statistics/recap_types_dep_page.h"

#include <map>

#include <QStringList>

#include <QPainter>

#include "core/drawing/recap_calendar_cells.h"
#include "core/model/amount.h"
#include "core/model/locale_facts.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/recap_select_types_dep_dialog.h"
#include "gui/statistics/stats_grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace varnelle::gui {

namespace {

constexpr int kLargeurLibelles = 120;

}  // namespace

RecapTypesDepPage::RecapTypesDepPage(const Budget& budget, Prompter& prompter, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter), metrics_(surfaceFont()),
      grRecapTypesDep_(grilleRemplissant(*this, "grRecapTypesDep")) {
    grRecapTypesDep_->setAccessibleName(QStringLiteral("Récapitulatif des types de dépenses"));
    grRecapTypesDep_->onCellLoaded([this](int column, int row) -> QVariant {
        if (column != 1 || row < 1 || static_cast<std::size_t>(row) > RecapTypesDep_.lignes.size())
            return {};
        return fromBudgetText(RecapTypesDep_.lignes[static_cast<std::size_t>(row - 1)].cLibelle);
    });
    grRecapTypesDep_->onPaintCell(
        [this](int column, int row, QPainter& painter, const QRect& cell) {
            return grRecapTypesDepPaintCell(column, row, painter, cell);
        });
    grRecapTypesDep_->onHeadingClick([this](int column) { grRecapTypesDepHeadingClick(column); });
    grRecapTypesDep_->onDoubleClickCell(
        [this](int column, int row) { grRecapTypesDepDblClickCell(column, row); });
    grRecapTypesDep_->onMouseDown(
        [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
            grRecapTypesDepMouseDown(button, modifiers, x, y);
        });
    grRecapTypesDep_->onColumnResized([this](int column) { grRecapTypesDepColResized(column); });
    // A year cell says its months with an amount, as its chart or table shows them.
    grRecapTypesDep_->gridModel().setAccessibleText([this](int column, int row) -> QString {
        if (column < 2 || row < 1) return {};
        const TRecapAnnee* annee =
            RecapTypesDep_.cellule(static_cast<std::size_t>(row - 1), column - 1);
        QStringList mois;
        for (int m = 1; annee != nullptr && m <= 12; ++m)
            if (annee->nSommeMois[static_cast<std::size_t>(m - 1)] != 0)
                mois << fromBudgetText(NomMois(m)) + QLatin1Char(' ') +
                            fromBudgetText(formatAmount(
                                annee->nSommeMois[static_cast<std::size_t>(m - 1)], ','));
        return mois.isEmpty() ? QStringLiteral("aucune opération")
                              : mois.join(QStringLiteral(", "));
    });
}

void RecapTypesDepPage::prepare() {
    prepareGrilleStats(*grRecapTypesDep_);
    grRecapTypesDep_->setRowBar(true, false);
    grRecapTypesDep_->setDefaultColumnWidth(276);
    grRecapTypesDep_->setDefaultRowHeight(100);
    grRecapTypesDep_->setColumns({{QStringLiteral("Type de dépenses"), kLargeurLibelles}});
    grRecapTypesDep_->setRows(0);
    RecapTypesDep_ = {};
    appliqueParametres(budget_.Param);
}

void RecapTypesDepPage::appliqueParametres(const TParam& param) {
    param_ = param;
    grRecapTypesDep_->setRowResize(ensemble(param.lRTDRetailLigEns));
    grRecapTypesDep_->setColumnResize(ensemble(param.lRTDRetailColEns));
    appliqueColonneFixe(*grRecapTypesDep_, param);
    grRecapTypesDep_->reload();
}

void RecapTypesDepPage::actualise() {
    ConstruitRecapTypesDep();
}

void RecapTypesDepPage::ConstruitRecapTypesDep() {
    Grid& grille = *grRecapTypesDep_;
    // A year keeps the width the user gave its column.
    std::map<QString, int> largeurs;
    const auto& anciennes = grille.gridModel().columns();
    for (std::size_t i = 1; i < anciennes.size(); ++i)
        largeurs[anciennes[i].heading] = grille.columnWidth(static_cast<int>(i));

    RecapTypesDep_ = varnelle::ConstruitRecapTypesDep(budget_, param_.lRTDContCellsGraphe);
    std::vector<GridColumn> colonnes{{QStringLiteral("Type de dépenses"), kLargeurLibelles}};
    colonnes.reserve(static_cast<std::size_t>(RecapTypesDep_.nNbAnnees) + 1);
    for (int k = 1; k <= RecapTypesDep_.nNbAnnees; ++k) {
        const QString annee = QString::number(RecapTypesDep_.annee(k));
        const auto largeur = largeurs.find(annee);
        colonnes.push_back({annee, largeur == largeurs.end() ? 0 : largeur->second});
    }
    grille.setColumns(std::move(colonnes));
    const int lignes = static_cast<int>(RecapTypesDep_.lignes.size());
    grille.setRows(lignes);
    // What the dialog hid shows again.
    for (int ligne = 1; ligne <= lignes; ++ligne) grille.setRowVisible(ligne, true);
    for (int colonne = 2; colonne <= RecapTypesDep_.nNbAnnees + 1; ++colonne)
        grille.setColumnVisible(colonne, true);
}

bool RecapTypesDepPage::grRecapTypesDepPaintCell(int column, int row, QPainter& painter,
                                                 const QRect& cell) {
    if (column < 2 || row < 1 || static_cast<std::size_t>(row) > RecapTypesDep_.lignes.size())
        return false;
    const auto i = static_cast<std::size_t>(row - 1);
    const Drawing drawing =
        DessineCelluleRecap(cell.width(), cell.height(), metrics_,
                            RecapTypesDep_.cellule(i, column - 1), row % 2 != 0, param_);
    painter.translate(cell.topLeft());
    replayDrawing(drawing, painter, surfaceFont());
    return true;
}

void RecapTypesDepPage::grRecapTypesDepHeadingClick(int column) {
    if (column != 1 || RecapTypesDep_.nNbAnnees == 0) return;
    TfmRecapSelectTypesDep dialogue(budget_, *grRecapTypesDep_, window());
    if (dialogue.exec() != QDialog::Accepted) return;
    const std::optional<bool> graphe = dialogue.contenu();
    if (!graphe) return;
    for (TRecapTypesDep& ligne : RecapTypesDep_.lignes)
        for (TRecapAnnee& annee : ligne.annees)
            if (annee.nMaxMois > 0) annee.lGraphe = *graphe;
    grRecapTypesDep_->viewport()->update();
}

void RecapTypesDepPage::grRecapTypesDepMouseDown(Qt::MouseButton button,
                                                 Qt::KeyboardModifiers modifiers, int x, int y) {
    if (button != Qt::RightButton || modifiers != Qt::NoModifier) return;
    const Grid::Cell cellule = grRecapTypesDep_->cellAt(QPoint(x, y));
    if (cellule.column < 2 || cellule.row < 1) return;
    const auto i = static_cast<std::size_t>(cellule.row - 1);
    if (!RecapTypesDep_.celluleRemplie(i, cellule.column - 1)) {
        prompter_.beep();
        return;
    }
    TRecapAnnee& annee = *RecapTypesDep_.cellule(i, cellule.column - 1);
    annee.lGraphe = !annee.lGraphe;
    grRecapTypesDep_->viewport()->update();
}

void RecapTypesDepPage::grRecapTypesDepDblClickCell(int column, int row) {
    if (column < 2 || row < 1) return;
    const auto i = static_cast<std::size_t>(row - 1);
    if (!RecapTypesDep_.celluleRemplie(i, column - 1)) {
        prompter_.beep();
        return;
    }
    // Four digits, as a date text has them, even for a year typed 0024.
    const std::string annee = QStringLiteral("%1")
                                  .arg(RecapTypesDep_.annee(column - 1), 4, 10, QLatin1Char('0'))
                                  .toStdString();
    OuvreOperationsTypeDep(window(), budget_, prompter_, RecapTypesDep_.lignes[i].cTypeDep,
                           "01/01/" + annee, "31/12/" + annee);
}

void RecapTypesDepPage::grRecapTypesDepColResized(int column) {
    // Resizing every column together leaves the labels' column as it was set.
    if (column != 1) grRecapTypesDep_->setColumnWidthOf(1, kLargeurLibelles);
}

}  // namespace varnelle::gui
