#include "gui/editing/types_dep_page.h"

#include "core/model/amount.h"

#include "core/model/locale_facts.h"

#include "core/model/month_mask.h"

#include <QPainter>
#include <QVBoxLayout>

#include "core/drawing/types_dep_cells.h"
#include "core/model/date_text.h"
#include "core/model/edits.h"
#include "core/model/entries.h"
#include "core/model/text_encoding.h"
#include "gui/editing/types_dep_periodicite_dialog.h"
#include "gui/settings/grid_settings.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {
enum Colonne { kCode = 1, kLibelle, kMontant, kPeriodicite, kTotal, kSolde, kJauge };
}  // namespace

TypesDepPage::TypesDepPage(Budget& budget, Prompter& prompter, OuvreOperations ouvreOperations,
                           QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter),
      ouvreOperations_(std::move(ouvreOperations)), grTypesDep_(new Grid(this)),
      moisMetrics_(fixedPitchFont()) {
    grTypesDep_->setObjectName(QStringLiteral("grTypesDep"));
    grTypesDep_->setAccessibleName(QStringLiteral("Types de dépenses"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grTypesDep_);
    GridModel& model = grTypesDep_->gridModel();
    model.setCellLoaded([this](int column, int row) { return grTypesDepCellLoaded(column, row); });
    model.setEndCellEdit([this](int column, int row, const QVariant& value) {
        return modification([&] { return grTypesDepEndCellEdit(column, row, value); });
    });
    grTypesDep_->onCellEdit(
        [this](int column, int row, QString& value) { grTypesDepCellEdit(column, row, value); });
    grTypesDep_->onButtonClick(
        [this](int column, int row) { modification([&] { grTypesDepButtonClick(column, row); }); });
    grTypesDep_->onPaintCell([this](int column, int row, QPainter& painter, const QRect& cell) {
        return grTypesDepPaintCell(column, row, painter, cell);
    });
    // The drawn cells say what they show: the months due, and what the gauge measures.
    model.setAccessibleText([this](int column, int row) -> QString {
        if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return {};
        const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(row - 1)];
        if (column == kPeriodicite) {
            QStringList mois;
            for (int m = 1; m <= 12; ++m)
                if ((type.nPeriodicite & bitDuMois(m)) != 0) mois << fromBudgetText(NomMois(m));
            return mois.isEmpty() ? QStringLiteral("aucun mois") : mois.join(QStringLiteral(", "));
        }
        if (column == kJauge)
            return QStringLiteral("%1 sur %2")
                .arg(fromBudgetText(formatAmount(type.nSolde, ',')),
                     fromBudgetText(formatAmount(type.nTotal, ',')));
        return {};
    });
}

void TypesDepPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grTypesDep_->setColumns({
        {QStringLiteral("Type"), 48, GridColumn::kLeft, false, 3, Kind::Text, Button::Push},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft},
        {QStringLiteral("Montant"), 0, GridColumn::kRight},
        {QStringLiteral("Périodicité"), 104, GridColumn::kLeft, true, 0, Kind::Text, Button::Push},
        {QStringLiteral("Total"), 0, GridColumn::kRight, true},
        {QStringLiteral("Solde"), 0, GridColumn::kRight, true},
        {QStringLiteral("Jauge"), 100, GridColumn::kLeft, true},
    });
    grTypesDep_->setDefaultRowHeight(15);
    grTypesDep_->setSelection(Grid::Selection::None);
    grTypesDep_->setColumnResize(Grid::Resize::None);
    grTypesDep_->setRows(static_cast<int>(budget_.TypesDep.size()));
    appliqueParametres(budget_.Param);
}

void TypesDepPage::appliqueParametres(const TParam& param) {
    param_ = param;
    appliqueCouleurs(*grTypesDep_, param_.nCoulGrilleTDFond, param_.nCoulGrilleTDTexte, param_);
    grTypesDep_->reload();
}

bool TypesDepPage::montreEnregistrement(PartieBudget partie, std::size_t indice) {
    if (partie != PartieBudget::TypesDep) return false;
    montreLigne(*grTypesDep_, indice);
    return true;
}

void TypesDepPage::montre() {
    const auto& operations = budget_.Operations;
    jaugeAffichee_ = !operations.empty() &&
                     partieAnnee(operations.front().cDate) == partieAnnee(operations.back().cDate);
    grTypesDep_->setColumnVisible(kJauge, jaugeAffichee_);
}

bool TypesDepPage::TypeDepCourantValide() {
    const int row = grTypesDep_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return true;
    grTypesDep_->endEdit();
    const std::string& code = budget_.TypesDep[static_cast<std::size_t>(row - 1)].cTypeDep;
    return code.find_first_not_of(' ') != std::string::npos;
}

void TypesDepPage::ajoute() {
    if (!TypeDepCourantValide()) return;
    ajouteTypeDep(budget_);
    montreLigneAjoutee(*grTypesDep_, budget_.TypesDep.size());
}

void TypesDepPage::supprime() {
    const auto ligne = ligneASupprimer(*grTypesDep_, budget_.TypesDep.size(), prompter_,
                                       QStringLiteral("le type de dépense"));
    if (!ligne) return;
    if (!supprimeTypeDep(budget_, *ligne)) {
        prompter_.error(this, QStringLiteral("Suppression impossible"),
                        QStringLiteral("Au moins une opération a le type de dépense concerné."));
        return;
    }
    grTypesDep_->setRows(static_cast<int>(budget_.TypesDep.size()));
    grTypesDep_->reload();
}

QVariant TypesDepPage::grTypesDepCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return {};
    const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case kCode: return fromBudgetText(type.cTypeDep);
    case kLibelle: return fromBudgetText(type.cLibelle);
    case kMontant: return amountText(type.nMontant);
    case kTotal: return amountText(type.nTotal);
    case kSolde: return amountText(type.nSolde);
    default: return {};  // months due and gauge are drawn
    }
}

void TypesDepPage::grTypesDepCellEdit(int column, int, QString& value) {
    if (column != kCode) return;
    if (const auto bytes = toBudgetText(value)) value = fromBudgetText(upperWin1252(*bytes));
}

bool TypesDepPage::grTypesDepEndCellEdit(int column, int row, const QVariant& value) {
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return false;
    const auto index = static_cast<std::size_t>(row - 1);
    const std::optional<std::string> text = toBudgetText(value.toString());
    if (!text) return false;
    switch (column) {
    case kCode: {
        if (!changeCodeTypeDep(budget_, index, *text)) return false;
        grTypesDep_->reload();
        // The type has taken its sorted place: the cursor goes with it, so that what is
        // typed next still goes to this type.
        const int rang = budget_.IndiceTypeDep(*text) + 1;
        if (rang != row) grTypesDep_->setCurrentCell({grTypesDep_->currentCell().column, rang});
        return true;
    }
    case kLibelle: return changeLibelleTypeDep(budget_, index, *text);
    case kMontant:
        if (const std::optional<Montant> montant = parseAmount(*text)) {
            changeMontantTypeDep(budget_, index, *montant);
            grTypesDep_->reload();
            return true;
        }
        prompter_.beep();
        return false;
    default: return false;
    }
}

void TypesDepPage::grTypesDepButtonClick(int column, int row) {
    if (row < 1 || row > static_cast<int>(budget_.TypesDep.size())) return;
    const auto index = static_cast<std::size_t>(row - 1);
    if (column == kCode) {
        if (budget_.Operations.empty())
            prompter_.error(this, QStringLiteral("Visualisation impossible"),
                            QStringLiteral("Pas d'opération pour ce type de dépense."));
        else
            ouvreOperations_(this, budget_.TypesDep[index].cTypeDep);
    } else if (column == kPeriodicite) {
        TfmTypesDepPeriodicite dialog(budget_.TypesDep[index], this);
        if (dialog.exec() != QDialog::Accepted) return;
        changePeriodiciteTypeDep(budget_, index, dialog.nPeriodicite());
        grTypesDep_->reload();
    }
}

bool TypesDepPage::grTypesDepPaintCell(int column, int row, QPainter& painter, const QRect& cell) {
    if ((column != kPeriodicite && column != kJauge) || row < 1 ||
        row > static_cast<int>(budget_.TypesDep.size()))
        return false;
    const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(row - 1)];
    const Drawing drawing = column == kPeriodicite
                                ? DessineMoisPaiement(cell.width(), cell.height(), moisMetrics_,
                                                      type.nPeriodicite, param_)
                                : DessineJauge(cell.width(), cell.height(), type, param_);
    painter.translate(cell.topLeft());
    replayDrawing(drawing, painter, fixedPitchFont());
    return true;
}

}  // namespace varnelle::gui
