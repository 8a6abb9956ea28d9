#include "gui/statistics/operations_type_dep_window.h"

#include <algorithm>
#include <optional>

#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/drawing/bar_chart.h"
#include "core/drawing/period_charts.h"
#include "core/model/amount.h"
#include "core/model/locale_facts.h"
#include "gui/settings/acces_parametres.h"
#include "gui/settings/grid_settings.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/colour.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {

enum Colonne { kSelect = 1, kDate, kType, kMontant, kLibelle, kCumul, kSolde };

constexpr int kLargeurFiltre = 548;
constexpr int kLargeurToutes = 484;
constexpr int kHauteurLigne = 14;
constexpr int kHauteurCommandes = 41;
constexpr int kMargeFermer = 16;
constexpr QSize kTailleBouton{81, 25};

// Amounts in a field of 11 characters, as the window has always lined them up.
QString montantColonne(Montant montant) {
    return QString::fromStdString(formatDeuxDecimales(montant, localeFacts().separateurDecimal))
        .rightJustified(11);
}

}  // namespace

TfmOperationsTypeDep::TfmOperationsTypeDep(const Budget& budget, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), budget_(budget), prompter_(prompter), grOperationsTypeDep_(new Grid(this)),
      spHoriz_(new QSplitter(Qt::Vertical, this)), imgOperationsTypeDep_(new DrawingSurface(this)),
      pnCommandes_(new QWidget(this)) {
    setObjectName(QStringLiteral("fmOperationsTypeDep"));
    setFont(interfaceFont());

    grOperationsTypeDep_->setObjectName(QStringLiteral("grOperationsTypeDep"));
    grOperationsTypeDep_->setAccessibleName(QStringLiteral("Opérations"));
    spHoriz_->setObjectName(QStringLiteral("spHoriz"));
    spHoriz_->setHandleWidth(3);
    spHoriz_->setChildrenCollapsible(false);
    spHoriz_->addWidget(grOperationsTypeDep_);
    spHoriz_->addWidget(imgOperationsTypeDep_);
    // The grid keeps its height when the window grows; the chart takes the rest.
    spHoriz_->setStretchFactor(0, 0);
    spHoriz_->setStretchFactor(1, 1);
    imgOperationsTypeDep_->setObjectName(QStringLiteral("imgOperationsTypeDep"));
    imgOperationsTypeDep_->setAccessibleName(QStringLiteral("Graphe des opérations"));

    pnCommandes_->setObjectName(QStringLiteral("pnCommandes"));
    pnCommandes_->setFixedHeight(kHauteurCommandes);
    btParametres_ =
        placedControl<QPushButton>(pnCommandes_, "btParametres", QStringLiteral("&Paramètres"),
                                   QRect(QPoint(8, 8), kTailleBouton));
    // The budget is only read here: the main window lends the settings and the password.
    AccesParametres* acces = AccesParametres::de(parent);
    btParametres_->setEnabled(acces != nullptr);
    if (acces != nullptr)
        connect(btParametres_, &QPushButton::clicked, this, [this, acces] {
            acces->ouvre(this, OrigineParametres::FenetreDetails,
                         [this] { AppliqueParametresFenetre(); });
        });
    btFermer_ = placedControl<QPushButton>(pnCommandes_, "btFermer", QStringLiteral("&Fermer"),
                                           QRect(QPoint(96, 8), kTailleBouton));
    connect(btFermer_, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(spHoriz_, 1);
    layout->addWidget(pnCommandes_);

    Grid& grid = *grOperationsTypeDep_;
    grid.gridModel().setCellLoaded(
        [this](int column, int row) { return grOperationsTypeDepCellLoaded(column, row); });
    grid.gridModel().setRowBackground(
        [this](int row) { return grOperationsTypeDepRowBackground(row); });
    grid.setReadOnly(true);
    grid.setSelection(Grid::Selection::Rows);
    grid.setColumnResize(Grid::Resize::None);
    grid.setDefaultRowHeight(kHauteurLigne);
    grid.setColumns({
        {QString(), 20, Qt::AlignCenter, true, 0, GridColumn::Kind::CheckBox},
        {QStringLiteral("Date"), 72, GridColumn::kLeft, true},
        {QStringLiteral("Type"), 40, GridColumn::kLeft, true},
        {QStringLiteral("Montant"), 64, GridColumn::kRight, true},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft, true},
        {QStringLiteral("Cumul"), 64, GridColumn::kRight, true},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });

    imgOperationsTypeDep_->setPainter([this](int width, int height, const TextMetrics& metrics) {
        return varnelle::DessineGrapheOperationsTypeDep(width, height, metrics, listes_.Groupes,
                                                        budget_.Param);
    });
    imgOperationsTypeDep_->setClickHandler(
        [this](int x, int y) { imgOperationsTypeDepClick(x, y); });
    connect(spHoriz_, &QSplitter::splitterMoved, this, [this] { AdapteTaille(); });
    // Against the right edge of the screen, as tall as it, frame included.
    hauteurEcran_ =
        new ScreenHeight(*this, ScreenHeight::Edge::Right, [this] { partageHauteur(); });
}

TfmOperationsTypeDep::~TfmOperationsTypeDep() = default;

void TfmOperationsTypeDep::Initialise(std::string_view code, std::string_view cDateDeb,
                                      std::string_view cDateFin, Montant nSoldeDeb,
                                      const std::vector<TOperation>* simulations) {
    listes_ = ConstruitListesOperations(budget_, code, cDateDeb, cDateFin, nSoldeDeb, simulations);

    resize(listes_.lFiltre ? kLargeurFiltre : kLargeurToutes, height());
    hauteurEcran_->fit();

    grOperationsTypeDep_->setRows(static_cast<int>(listes_.Lignes.size()));
    appliqueCouleursGrille();
    grOperationsTypeDep_->setColumnVisible(kCumul, listes_.lFiltre);

    if (listes_.lFiltre) {
        QString titre =
            QStringLiteral("Détail du type de dépenses \"%1\"").arg(fromBudgetText(code));
        const int type = budget_.IndiceTypeDep(code);
        if (type >= 0)
            titre = QStringLiteral("%1 (%2)").arg(
                titre, fromBudgetText(budget_.TypesDep[static_cast<std::size_t>(type)].cLibelle));
        setWindowTitle(titre);
    } else {
        setWindowTitle(QStringLiteral("Détail des opérations du %1 au %2")
                           .arg(fromBudgetText(cDateDeb), fromBudgetText(cDateFin)));
    }
    DessineGrapheOperationsTypeDep();
}

void TfmOperationsTypeDep::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfmOperationsTypeDep::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    AdapteTaille();
}

void TfmOperationsTypeDep::FormShow() {
    hauteurEcran_->fit();
}

void TfmOperationsTypeDep::partageHauteur() {
    // Laid out now, so that the splitter knows its height before the window shows.
    layout()->activate();
    const int hauteurGrille = height() / 3;
    spHoriz_->setSizes({hauteurGrille, std::max(spHoriz_->height() - hauteurGrille - 3, 0)});
}

void TfmOperationsTypeDep::AdapteTaille() {
    // Only the size changed: what the chart describes stays.
    imgOperationsTypeDep_->redraw();
    btFermer_->move(frameGeometry().width() - btFermer_->width() - kMargeFermer, btFermer_->y());
}

QVariant TfmOperationsTypeDep::grOperationsTypeDepCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(listes_.Lignes.size())) return {};
    const TOpTypDep ligne = listes_.Lignes[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case kSelect: return ligne.nSelect;
    case kDate: return fromBudgetText(ligne.cDate);
    case kType: return fromBudgetText(ligne.cTypeDep);
    case kMontant: return montantColonne(ligne.nMontant);
    case kLibelle: return fromBudgetText(ligne.cLibelle);
    case kCumul: return montantColonne(ligne.nCumul);
    case kSolde: return montantColonne(ligne.nSolde);
    default: return {};
    }
}

QColor TfmOperationsTypeDep::grOperationsTypeDepRowBackground(int row) const {
    if (row >= listes_.nPremiereLigneSim) return qColor(budget_.Param.nCoulGrilleFDSimul);
    return grOperationsTypeDep_->palette().color(QPalette::Base);
}

void TfmOperationsTypeDep::imgOperationsTypeDepClick(int x, int y) {
    const std::optional<std::size_t> barre =
        barreSousPoint(x, y, imgOperationsTypeDep_->width(), imgOperationsTypeDep_->height(),
                       listes_.Groupes.size());
    if (!barre) {
        prompter_.beep();
        return;
    }
    const TGrapheOperations& groupe = listes_.Groupes[*barre];
    Grid& grid = *grOperationsTypeDep_;
    grid.clearSelection();
    for (int ligne = groupe.nLigneDeb; ligne <= groupe.nLigneFin; ++ligne)
        grid.selectRow(ligne + 1);
    grid.scrollToCell({kDate, groupe.nLigneFin + 1});
}

void TfmOperationsTypeDep::AppliqueParametresFenetre() {
    // The main window's views first, then this window's own.
    if (AccesParametres* acces = AccesParametres::de(parentWidget())) acces->appliquePrincipale()();
    appliqueCouleursGrille();
    DessineGrapheOperationsTypeDep();
}

void TfmOperationsTypeDep::appliqueCouleursGrille() {
    const TParam& param = budget_.Param;
    appliqueCouleurs(*grOperationsTypeDep_, param.nCoulGrilleFDFond, param.nCoulGrilleFDTexte,
                     param);
    grOperationsTypeDep_->setCheckShape(formeCoche(param));
    // Row backgrounds, the simulated rows' among them, are asked again at the repaint.
    grOperationsTypeDep_->viewport()->update();
}

void TfmOperationsTypeDep::DessineGrapheOperationsTypeDep() {
    imgOperationsTypeDep_->redraw();
    imgOperationsTypeDep_->setAccessibleDescription(
        QStringLiteral("%1 : %2 lignes, total %3")
            .arg(windowTitle())
            .arg(listes_.Lignes.size())
            .arg(fromBudgetText(formatAmount(listes_.nTotal, ','))));
}

void OuvreOperationsTypeDep(QWidget* parent, const Budget& budget, Prompter& prompter,
                            std::string_view code, std::string_view cDateDeb,
                            std::string_view cDateFin, Montant nSoldeDeb,
                            const std::vector<TOperation>* simulations) {
    TfmOperationsTypeDep fenetre(budget, prompter, parent);
    fenetre.Initialise(code, cDateDeb, cDateFin, nSoldeDeb, simulations);
    fenetre.exec();
}

}  // namespace varnelle::gui
