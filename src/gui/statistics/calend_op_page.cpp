#include "gui/statistics/calend_op_page.h"

#include <QPainter>
#include <QStringList>

#include "core/drawing/recap_calendar_cells.h"
#include "core/model/amount.h"
#include "gui/statistics/calend_op_select_dates_dialog.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/stats_grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace varnelle::gui {

namespace {

constexpr int kHauteurLigne = 14;
constexpr int kLargeurJours = 28;
const QString kEnteteJours = QStringLiteral("\r#");

}  // namespace

CalendOpPage::CalendOpPage(const Budget& budget, Prompter& prompter, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter), metrics_(surfaceFont()),
      grCalendOp_(grilleRemplissant(*this, "grCalendOp")) {
    grCalendOp_->setAccessibleName(QStringLiteral("Calendrier des opérations"));
    grCalendOp_->onCellLoaded([](int column, int row) -> QVariant {
        return column == 1 ? QVariant(QString::number(row)) : QVariant();
    });
    grCalendOp_->onPaintCell([this](int column, int row, QPainter& painter, const QRect& cell) {
        return grCalendOpPaintCell(column, row, painter, cell);
    });
    grCalendOp_->onHeadingClick([this](int column) { grCalendOpHeadingClick(column); });
    grCalendOp_->onDoubleClickCell(
        [this](int column, int row) { grCalendOpDblClickCell(column, row); });
    grCalendOp_->onMouseDown([this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                    int y) { grCalendOpMouseDown(button, modifiers, x, y); });
    grCalendOp_->onColumnResized([this](int column) { grCalendOpColResized(column); });
    // A day cell says its operations, code and amount, as its list or bars show them.
    grCalendOp_->gridModel().setAccessibleText([this](int column, int row) -> QString {
        if (column < 2 || row < 1 || static_cast<std::size_t>(column - 1) > CalendOp_.mois.size())
            return {};
        const auto i = static_cast<std::size_t>(column - 2);
        QStringList lignes;
        for (int k = 0; k < CalendOp_.mois[i].nNbOpJour[static_cast<std::size_t>(row)]; ++k) {
            const TOpJour& op = CalendOp_.operation(i, row, k);
            lignes << fromBudgetText(op.cTypeDep) + QLatin1Char(' ') +
                          fromBudgetText(formatAmount(op.nMontant, ','));
        }
        return lignes.isEmpty() ? QStringLiteral("aucune opération")
                                : lignes.join(QStringLiteral(", "));
    });
}

void CalendOpPage::prepare() {
    prepareGrilleStats(*grCalendOp_);
    grCalendOp_->setRowBar(false, false);
    grCalendOp_->setRowResize(Grid::Resize::None);
    grCalendOp_->setDefaultColumnWidth(88);
    grCalendOp_->setDefaultRowHeight(kHauteurLigne);
    grCalendOp_->setHeadingHeight(30);
    grCalendOp_->setColumns({{kEnteteJours, kLargeurJours}});
    grCalendOp_->setRows(kJoursCalendrier);
    CalendOp_ = {};
    appliqueParametres(budget_.Param);
}

void CalendOpPage::appliqueParametres(const TParam& param) {
    param_ = param;
    grCalendOp_->setColumnResize(ensemble(param.lCaORetailColEns));
    appliqueColonneFixe(*grCalendOp_, param);
    grCalendOp_->reload();
}

void CalendOpPage::actualise() {
    ConstruitCalendOp();
}

void CalendOpPage::ConstruitCalendOp() {
    Grid& grille = *grCalendOp_;
    CalendOp_ = varnelle::ConstruitCalendOp(budget_.Operations, param_.lCaOContCellsGraphe);
    std::vector<GridColumn> colonnes{{kEnteteJours, kLargeurJours}};
    colonnes.reserve(CalendOp_.mois.size() + 1);
    // Columns resized all together keep the width the user gave them.
    const int largeur =
        grille.gridModel().columnCount() > 1 && param_.lCaORetailColEns ? grille.columnWidth(1) : 0;
    for (const TCalendOp& mois : CalendOp_.mois)
        colonnes.push_back(
            {fromBudgetText(mois.cAnnee) + '\r' + fromBudgetText(mois.cNomMois), largeur});
    grille.setColumns(std::move(colonnes));
    for (int colonne = 2; colonne <= static_cast<int>(CalendOp_.mois.size()) + 1; ++colonne)
        grille.setColumnVisible(colonne, true);
    for (int d = 1; d <= kJoursCalendrier; ++d) {
        grille.setRowHeightOf(d, kHauteurLigne * CalendOp_.nMaxJour[static_cast<std::size_t>(d)]);
        grille.setRowVisible(d, true);
    }
}

bool CalendOpPage::grCalendOpPaintCell(int column, int row, QPainter& painter, const QRect& cell) {
    if (column < 2 || row < 1 || static_cast<std::size_t>(column - 1) > CalendOp_.mois.size())
        return false;
    // A busy day's cell can be taller than the window: only its lines in view are drawn.
    const QRect vue = cell.intersected(grCalendOp_->viewport()->rect());
    const Drawing drawing = DessineCelluleCalendOp(
        cell.width(), cell.height(), metrics_, CalendOp_, static_cast<std::size_t>(column - 2), row,
        kHauteurLigne, param_, vue.top() - cell.top(), vue.bottom() + 1 - cell.top());
    painter.translate(cell.topLeft());
    replayDrawing(drawing, painter, surfaceFont());
    return true;
}

void CalendOpPage::grCalendOpHeadingClick(int column) {
    if (column != 1 || CalendOp_.mois.empty()) return;
    TfmCalendOpSelectDates dialogue(CalendOp_, *grCalendOp_, window());
    if (dialogue.exec() != QDialog::Accepted) return;
    if (const std::optional<bool> graphe = dialogue.contenu())
        for (TCalendOp& mois : CalendOp_.mois) mois.lGrapheJour.fill(*graphe);
    grCalendOp_->viewport()->update();
}

void CalendOpPage::grCalendOpMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                       int x, int y) {
    if (button != Qt::RightButton || modifiers != Qt::NoModifier) return;
    const Grid::Cell cellule = grCalendOp_->cellAt(QPoint(x, y));
    if (cellule.column < 2 || static_cast<std::size_t>(cellule.column - 1) > CalendOp_.mois.size())
        return;
    TCalendOp& mois = CalendOp_.mois[static_cast<std::size_t>(cellule.column - 2)];
    if (cellule.row == 0) {
        mois.lGrapheJour.fill(!mois.lGrapheJour[0]);
    } else if (mois.nNbOpJour[static_cast<std::size_t>(cellule.row)] > 1) {
        mois.lGrapheJour[static_cast<std::size_t>(cellule.row)] =
            !mois.lGrapheJour[static_cast<std::size_t>(cellule.row)];
    } else {
        prompter_.beep();
        return;
    }
    grCalendOp_->viewport()->update();
}

void CalendOpPage::grCalendOpDblClickCell(int column, int row) {
    if (column < 2 || static_cast<std::size_t>(column - 1) > CalendOp_.mois.size()) return;
    const TCalendOp& mois = CalendOp_.mois[static_cast<std::size_t>(column - 2)];
    if (row == 0) {
        ouvreOperations(PeriodeMoisCalendOp(mois));
    } else if (mois.nNbOpJour[static_cast<std::size_t>(row)] > 0) {
        ouvreOperations(PeriodeJourCalendOp(mois, row));
    } else {
        prompter_.beep();
    }
}

void CalendOpPage::ouvreOperations(const PeriodeCalendOp& periode) {
    TfmOperationsTypeDep fenetre(budget_, prompter_, window());
    fenetre.Initialise({}, periode.cDateDeb, periode.cDateFin, 0, nullptr);
    // The caption writes the dates as the calendar does, without leading zeros.
    fenetre.setWindowTitle(
        QStringLiteral("Détail des opérations du %1 au %2")
            .arg(fromBudgetText(periode.cTitreDeb), fromBudgetText(periode.cTitreFin)));
    fenetre.exec();
}

void CalendOpPage::grCalendOpColResized(int column) {
    if (column != 1) grCalendOp_->setColumnWidthOf(1, kLargeurJours);
}

}  // namespace varnelle::gui
