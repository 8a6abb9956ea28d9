#include "editing/operations_page.h"

#include <charconv>

#include <QVBoxLayout>

#include "model/date_text.h"
#include "settings/grid_settings.h"
#include "toolkit/budget_text.h"
#include "toolkit/colour.h"
#include "toolkit/grid.h"

namespace varnelle::gui {

namespace {
constexpr std::uint8_t kMoisImpair = 1;
constexpr std::uint8_t kMoisPair = 2;

// Month of a date text by position; a month that is not a number counts as January.
int moisDe(const std::string& date) {
    int mois = 1;
    if (date.size() >= 5) {
        const char* first = date.data() + 3;
        const auto [end, error] = std::from_chars(first, first + 2, mois);
        if (error != std::errc() || end != first + 2) mois = 1;
    }
    return mois;
}
}  // namespace

OperationsPage::OperationsPage(Budget& budget, QWidget* parent)
    : QWidget(parent), budget_(budget), grOperations_(new Grid(this)) {
    grOperations_->setObjectName(QStringLiteral("grOperations"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grOperations_);
    GridModel& model = grOperations_->gridModel();
    model.setCellLoaded(
        [this](int column, int row) { return grOperationsCellLoaded(column, row); });
    model.setRowBackground([this](int row) { return rowBackground(row); });
    model.setRowTextColor([this](int row) { return rowTextColor(row); });
    model.setRowFont([this](int) { return police_; });
}

void OperationsPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grOperations_->setColumns({
        {QString(), 40, Qt::AlignCenter, false, 0, Kind::CheckBox},
        {QStringLiteral("Date"), 100, GridColumn::kLeft, false, 10, Kind::Text, Button::Push},
        {QStringLiteral("Type"), 60, GridColumn::kLeft, false, 0, Kind::Text, Button::PickList},
        {QStringLiteral("Montant"), 80, GridColumn::kRight},
        {QStringLiteral("Libellé"), 250, GridColumn::kLeft},
        {QStringLiteral("Solde"), 80, GridColumn::kRight, true},
    });
    grOperations_->setSelection(Grid::Selection::None);
    grOperations_->setColumnResize(Grid::Resize::None);
    grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
    CouleursOperations(true);
    AppliqueCouleursGrille(*grOperations_, budget_.Param);
    grOperations_->setCheckShape(formeCoche(budget_.Param));
    AppliqueOptGrilleOp();
}

void OperationsPage::appliqueParametres() {
    CouleursOperations(true);
    AppliqueCouleursGrille(*grOperations_, budget_.Param);
    grOperations_->setCheckShape(formeCoche(budget_.Param));
    AppliqueOptGrilleOp();
}

void OperationsPage::CouleursOperations(bool recolour) {
    const std::size_t count = budget_.Operations.size();
    moisDesLignes_.resize(count, 0);
    if (recolour) {
        for (std::size_t i = 0; i < count; ++i)
            moisDesLignes_[i] = moisDe(budget_.Operations[i].cDate) % 2 ? kMoisImpair : kMoisPair;
    }
    // Fonts and text colours are asked per visible row; the new ones show at the repaint.
    police_ = policeGrilleOp(budget_.Param.OptGrilleOp);
    grOperations_->viewport()->update();
}

void OperationsPage::AppliqueOptGrilleOp() {
    const TParamGrille& options = budget_.Param.OptGrilleOp;
    const ZoomGrilleOp& zoom = zoomGrilleOp(options.nZoom);
    for (int column = 1; column <= 6; ++column)
        grOperations_->setColumnWidthOf(column,
                                        zoom.largeurs[static_cast<std::size_t>(column - 1)]);
    grOperations_->setHeadingHeight(zoom.hauteur);
    grOperations_->setDefaultRowHeight(zoom.hauteur);
    police_ = policeGrilleOp(options);
    grOperations_->setHeadingFont(police_);
    grOperations_->setLines(lignesGrille(options.Grid));
    if (grOperations_->gridModel().rows() > 0) {
        const int row = grOperations_->currentCell().row;
        if (row > 0) grOperations_->scrollToCell({1, row});
    }
}

bool OperationsPage::OperationCouranteValide() {
    const int row = grOperations_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.Operations.size())) return true;
    grOperations_->endEdit();
    const TOperation& operation = budget_.Operations[static_cast<std::size_t>(row - 1)];
    return DateValide(operation.cDate) && operation.nMontant != 0;
}

void OperationsPage::montreDerniereOperation() {
    const int rows = static_cast<int>(budget_.Operations.size());
    if (rows == 0) return;
    grOperations_->setCurrentCell({1, rows});
    grOperations_->scrollToCell({1, rows});
    grOperations_->setFocus();
}

QVariant OperationsPage::grOperationsCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Operations.size())) return {};
    const TOperation& operation = budget_.Operations[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return operation.nSelect;
    case 2: return fromBudgetText(operation.cDate);
    case 3: return fromBudgetText(operation.cTypeDep);
    case 4: return amountText(operation.nMontant);
    case 5: return fromBudgetText(operation.cLibelle);
    case 6: return amountText(operation.nSolde);
    default: return {};
    }
}

QColor OperationsPage::rowBackground(int row) const {
    const auto r = static_cast<std::size_t>(row - 1);
    if (r >= moisDesLignes_.size() || moisDesLignes_[r] == 0)
        return grOperations_->palette().color(QPalette::Base);
    return qColor(moisDesLignes_[r] == kMoisImpair ? budget_.Param.nCoulGrilleOpMsImp
                                                   : budget_.Param.nCoulGrilleOpMsPai);
}

QColor OperationsPage::rowTextColor(int row) const {
    const auto r = static_cast<std::size_t>(row - 1);
    if (r >= budget_.Operations.size()) return {};
    return qColor(budget_.Operations[r].nSelect == 1 ? budget_.Param.nCoulGrilleOpOpCoc
                                                     : budget_.Param.nCoulGrilleOpOpDec);
}

}  // namespace varnelle::gui
