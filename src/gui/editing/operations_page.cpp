#include "gui/editing/operations_page.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

#include "core/import/import_plan.h"
#include "core/model/date_text.h"
#include "core/model/edits.h"
#include "core/model/entries.h"
#include "gui/editing/ajout_operations_dialog.h"
#include "gui/editing/import_releve_dialog.h"
#include "gui/editing/suppression_operations_dialog.h"
#include "gui/settings/grid_settings.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/colour.h"
#include "statements/statement_file.h"

namespace varnelle::gui {

namespace {
enum Colonne {
    kColonneCoche = 1,
    kColonneDate,
    kColonneType,
    kColonneMontant,
    kColonneLibelle,
    kColonneSolde
};
constexpr std::uint8_t kMoisImpair = 1;
constexpr std::uint8_t kMoisPair = 2;

// The colour of a row by its month; a date without one counts as January.
std::uint8_t couleurDuMois(const TOperation& operation) {
    return numeroMois(operation.cDate).value_or(1) % 2 ? kMoisImpair : kMoisPair;
}

}  // namespace

OperationsPage::OperationsPage(Budget& budget, Prompter& prompter, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter), grOperations_(new Grid(this)) {
    grOperations_->setObjectName(QStringLiteral("grOperations"));
    grOperations_->setAccessibleName(QStringLiteral("Journal des opérations"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grOperations_);
    GridModel& model = grOperations_->gridModel();
    model.setCellLoaded(
        [this](int column, int row) { return grOperationsCellLoaded(column, row); });
    model.setRowBackground([this](int row) { return rowBackground(row); });
    model.setRowTextColor([this](int row) { return rowTextColor(row); });
    model.setRowFont([this](int) { return police_; });
    model.setEndCellEdit([this](int column, int row, const QVariant& value) {
        return modification([&] { return grOperationsEndCellEdit(column, row, value); });
    });
    grOperations_->onCellEdit(
        [this](int column, int row, QString& value) { grOperationsCellEdit(column, row, value); });
    grOperations_->onButtonClick([this](int column, int row) {
        modification([&] { grOperationsButtonClick(column, row); });
    });
    grOperations_->onDropDownInit(
        [this](int column, int row) { return grOperationsComboInit(column, row); });
    grOperations_->onDropDownCellLoaded([this](int listColumn, int listRow, int, int) {
        return grOperationsComboCellLoaded(listColumn, listRow);
    });
    grOperations_->onColumnChanged([this](int, int) { grOperationsColRowChanged(); });
    grOperations_->onRowChanged([this](int, int) { grOperationsColRowChanged(); });

    // Beyond the button bar: from the grid's menu, or Ctrl+I anywhere on the tab.
    auto* importer = new QAction(QStringLiteral("Importer un relevé…"), this);
    importer->setObjectName("acImporterReleve");
    importer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    importer->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(importer, &QAction::triggered, this, [this] { importeReleve(); });
    addAction(importer);
    grOperations_->addAction(importer);
    grOperations_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void OperationsPage::importeReleve() {
    grOperations_->endEdit();
    if (!OperationCouranteValide()) return;
    if (budget_.TypesDep.empty()) {
        prompter_.error(this, QStringLiteral("Erreur"),
                        QStringLiteral("Chaque opération importée prend un type de dépense : "
                                       "créez-en au moins un d'abord."));
        return;
    }
    const QString nom = choixReleve_
                            ? choixReleve_(this)
                            : QFileDialog::getOpenFileName(
                                  this, QStringLiteral("Importer un relevé"), QString(),
                                  QStringLiteral("Relevés bancaires (*.csv *.ofx *.qfx *.qif);;"
                                                 "Tous les fichiers (*)"));
    if (nom.isEmpty()) return;
    const QString court = QFileInfo(nom).fileName();
    const std::string chemin = toFileName(nom);
    const std::optional<FormatReleve> format = formatReleve(chemin);
    if (!format) {
        prompter_.error(this, QStringLiteral("Erreur"),
                        QStringLiteral("Le format du relevé « %1 » ne se déduit pas de son "
                                       "extension : .csv, .ofx ou .qif.")
                            .arg(court));
        return;
    }
    FichierReleve lu = litFichierReleve(chemin, *format, budget_.Import);
    if (lu.illisible) {
        prompter_.error(this, QStringLiteral("Erreur"),
                        QStringLiteral("Ne peut lire le relevé « %1 ».").arg(court));
        return;
    }
    // A CSV whose columns are not named as expected is read once the user has chosen them.
    if (const auto& e = lu.releve.erreur;
        e && !(*format == FormatReleve::Csv && e->code == CodeErreurReleve::EnteteIntrouvable)) {
        const std::string cite = QStringLiteral("« %1 »").arg(court).toStdString();
        prompter_.error(this, QStringLiteral("Erreur"),
                        QString::fromStdString(phraseRefus(cite, *format, *e)));
        return;
    }
    TfmImportReleve dialogue(budget_, court, *format, std::move(lu), prompter_, this);
    const bool accepte =
        apercuImport_ ? apercuImport_(dialogue) : dialogue.exec() == QDialog::Accepted;
    if (!accepte) return;
    std::size_t premiere = budget_.Operations.size();
    modification([&] {
        budget_.Import = dialogue.memoire();
        appliqueImport(budget_, dialogue.plan(), &premiere);
    });
    grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
    CouleursOperations(true);
    AppliqueOptGrilleOp();
    grOperations_->reload();
    // The first operation imported comes into view, current.
    if (premiere < budget_.Operations.size()) montreLigne(*grOperations_, premiere);
}

void OperationsPage::prepare() {
    using Button = GridColumn::Button;
    using Kind = GridColumn::Kind;
    grOperations_->setColumns({
        {QString(), 40, Qt::AlignCenter, false, 0, Kind::CheckBox},
        {QStringLiteral("Date"), 100, GridColumn::kLeft, false, 10, Kind::Text, Button::Push},
        {QStringLiteral("Type"), 60, GridColumn::kLeft, false, 0, Kind::Text, Button::PickList,
         200},
        {QStringLiteral("Montant"), 80, GridColumn::kRight},
        {QStringLiteral("Libellé"), 250, GridColumn::kLeft},
        {QStringLiteral("Solde"), 80, GridColumn::kRight, true},
    });
    grOperations_->setSelection(Grid::Selection::None);
    grOperations_->setColumnResize(Grid::Resize::None);
    grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
    appliqueParametres(budget_.Param);
}

void OperationsPage::appliqueParametres(const TParam& param) {
    param_ = param;
    CouleursOperations(true);
    AppliqueCouleursGrille(*grOperations_, param_);
    grOperations_->setCheckShape(formeCoche(param_));
    AppliqueOptGrilleOp();
}

std::optional<std::size_t> OperationsPage::operationCourante() const {
    const int row = grOperations_->currentCell().row;
    if (row < 1) return std::nullopt;
    return static_cast<std::size_t>(row - 1);
}

void OperationsPage::fenetreAjustee() {
    if (grOperations_->currentCell().row >= 1)
        grOperations_->scrollToCell(grOperations_->currentCell());
}

void OperationsPage::CouleursOperations(bool recolour) {
    const std::size_t count = budget_.Operations.size();
    moisDesLignes_.resize(count, 0);
    if (recolour) {
        for (std::size_t i = 0; i < count; ++i)
            moisDesLignes_[i] = couleurDuMois(budget_.Operations[i]);
    }
    // Fonts and text colours are asked per visible row; the new ones show at the repaint.
    police_ = policeGrilleOp(param_.OptGrilleOp);
    grOperations_->viewport()->update();
}

void OperationsPage::AppliqueOptGrilleOp() {
    const TParamGrille& options = param_.OptGrilleOp;
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

void OperationsPage::ajoute() {
    if (!OperationCouranteValide()) return;
    TfmAjtPlsOp dialog(budget_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.choix() == TfmAjtPlsOp::Choix::UneSeule) {
        ajouteOperation(budget_);
        grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
        CouleursOperations(false);
    } else {
        ajouteOperations(budget_, dialog.dateAjout(), dialog.typesCoches());
        grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
        CouleursOperations(true);
    }
    AppliqueOptGrilleOp();
    montreDerniereOperation();
}

void OperationsPage::supprime() {
    if (!aLeClavier(*grOperations_)) return;
    // What is being typed is stored first, and the row it may have moved to becomes the
    // current one: the question is then about the operation the user sees.
    grOperations_->endEdit();
    appliqueOperationDeplacee();
    const int row = grOperations_->currentCell().row;
    if (row < 1 || row > static_cast<int>(budget_.Operations.size())) return;
    TfmSupPlsOp dialog(budget_, row, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.choix() == TfmSupPlsOp::Choix::OperationCourante) {
        if (!confirmeSuppression(prompter_, this, QStringLiteral("l'opération"))) return;
        supprimeOperation(budget_, static_cast<std::size_t>(row - 1));
    } else {
        if (!confirmeSuppression(prompter_, this, QStringLiteral("les opérations"))) return;
        supprimeOperationsDuMois(budget_, dialog.mois(), dialog.annee());
    }
    grOperations_->setRows(static_cast<int>(budget_.Operations.size()));
    CouleursOperations(true);
    grOperations_->reload();
}

QVariant OperationsPage::grOperationsCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Operations.size())) return {};
    const TOperation& operation = budget_.Operations[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case kColonneCoche: return operation.nSelect;
    case kColonneDate: return fromBudgetText(operation.cDate);
    case kColonneType: return fromBudgetText(operation.cTypeDep);
    case kColonneMontant: return amountText(operation.nMontant);
    case kColonneLibelle: return fromBudgetText(operation.cLibelle);
    case kColonneSolde: return amountText(operation.nSolde);
    default: return {};
    }
}

int OperationsPage::grOperationsComboInit(int, int) const {
    return static_cast<int>(budget_.TypesDep.size());
}

QString OperationsPage::grOperationsComboCellLoaded(int listColumn, int listRow) const {
    if (listRow < 1 || listRow > static_cast<int>(budget_.TypesDep.size())) return {};
    const TTypeDep& type = budget_.TypesDep[static_cast<std::size_t>(listRow - 1)];
    return fromBudgetText(listColumn == 1 ? type.cTypeDep : type.cLibelle);
}

void OperationsPage::grOperationsCellEdit(int column, int row, QString& value) {
    if (column != kColonneCoche || row < 1 || row > static_cast<int>(budget_.Operations.size()))
        return;
    changeSelectOperation(budget_, static_cast<std::size_t>(row - 1), value == QLatin1String("1"));
    CouleursOperations(false);
}

bool OperationsPage::grOperationsEndCellEdit(int column, int row, const QVariant& value) {
    if (row < 1 || row > static_cast<int>(budget_.Operations.size())) return false;
    const auto index = static_cast<std::size_t>(row - 1);
    if (column == kColonneCoche) return true;  // stored as it was ticked
    const std::optional<std::string> text = toBudgetText(value.toString());
    if (!text) return false;
    switch (column) {
    case kColonneDate:
        if (const auto position = changeDateOperation(budget_, index, *text)) {
            suitOperation(index, *position, true);
            return true;
        }
        return false;
    case kColonneType:
        // The pick list offers the types; leaving it on the same code changes nothing.
        if (text->empty() || *text == budget_.Operations[index].cTypeDep) return true;
        suitOperation(index, changeTypeOperation(budget_, index, *text), false);
        appliqueOperationDeplacee();
        return true;
    case kColonneMontant: {
        const std::optional<Montant> montant = parseAmount(*text);
        if (!montant) {
            prompter_.beep();
            return false;
        }
        if (const auto position = changeMontantOperation(budget_, index, *montant)) {
            suitOperation(index, *position, false);
            return true;
        }
        return false;
    }
    case kColonneLibelle: return changeLibelleOperation(budget_, index, *text);
    default: return false;
    }
}

bool OperationsPage::montreEnregistrement(PartieBudget partie, std::size_t indice) {
    if (partie != PartieBudget::Operations) return false;
    montreLigne(*grOperations_, indice);
    return true;
}

void OperationsPage::grOperationsButtonClick(int column, int row) {
    if (column != kColonneDate || row < 1 || row > static_cast<int>(budget_.Operations.size()))
        return;
    const auto index = static_cast<std::size_t>(row - 1);
    const std::optional<std::string> date = ChoisitDate(this, budget_.Operations[index].cDate);
    if (!date) return;
    if (const auto position = changeDateOperation(budget_, index, *date)) {
        suitOperation(index, *position, true);
        appliqueOperationDeplacee();
    }
}

void OperationsPage::grOperationsColRowChanged() {
    appliqueOperationDeplacee();
}

void OperationsPage::suitOperation(std::size_t index, std::size_t position, bool recolour) {
    // Only the edited operation changed: the rows between its two places take their colours
    // along, and it takes that of its month. A row added since the last colouring elsewhere
    // has none yet and takes its colour with all the others.
    const auto debut = moisDesLignes_.begin();
    const auto sansCouleur = [&](std::size_t i, std::size_t j) {
        return std::find(debut + static_cast<std::ptrdiff_t>(i),
                         debut + static_cast<std::ptrdiff_t>(j),
                         std::uint8_t{0}) != debut + static_cast<std::ptrdiff_t>(j);
    };
    const std::size_t n = moisDesLignes_.size();
    if (recolour && n == budget_.Operations.size() && std::max(index, position) < n &&
        !sansCouleur(0, index) && !sansCouleur(index + 1, n)) {
        const auto de = debut + static_cast<std::ptrdiff_t>(index);
        const auto vers = debut + static_cast<std::ptrdiff_t>(position);
        if (index < position)
            std::rotate(de, de + 1, vers + 1);
        else
            std::rotate(vers, de, de + 1);
        moisDesLignes_[position] = couleurDuMois(budget_.Operations[position]);
        recolour = false;
    }
    CouleursOperations(recolour);
    grOperations_->reload();
    nOperationDeplacee_ = static_cast<int>(position) + 1;
}

void OperationsPage::appliqueOperationDeplacee() {
    if (nOperationDeplacee_ == -1) return;
    const int row = std::exchange(nOperationDeplacee_, -1);
    const int column = std::max(grOperations_->currentCell().column, 1);
    grOperations_->setCurrentCell({column, row});
    grOperations_->scrollToCell({column, row});
}

QColor OperationsPage::rowBackground(int row) const {
    const auto r = static_cast<std::size_t>(row - 1);
    if (r >= moisDesLignes_.size() || moisDesLignes_[r] == 0)
        return grOperations_->palette().color(QPalette::Base);
    return qColor(moisDesLignes_[r] == kMoisImpair ? param_.nCoulGrilleOpMsImp
                                                   : param_.nCoulGrilleOpMsPai);
}

QColor OperationsPage::rowTextColor(int row) const {
    const auto r = static_cast<std::size_t>(row - 1);
    if (r >= budget_.Operations.size()) return {};
    return qColor(budget_.Operations[r].nSelect == 1 ? param_.nCoulGrilleOpOpCoc
                                                     : param_.nCoulGrilleOpOpDec);
}

}  // namespace varnelle::gui
