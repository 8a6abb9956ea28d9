#include "gui/statistics/classeur_page.h"

#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/drawing/period_charts.h"
#include "core/model/date_text.h"
#include "core/model/locale_facts.h"
#include "gui/settings/grid_settings.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "render/budget_text.h"

namespace varnelle::gui {

ClasseurPage::ClasseurPage(const Budget& budget, Prompter& prompter,
                           OperationCourante operationCourante, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter),
      operationCourante_(std::move(operationCourante)), tbAnnees_(new QTabBar),
      tbMois_(new QTabBar), feuille_(new QWidget), grClasseur_(new Grid),
      imgClasseur_(new DrawingSurface) {
    tbAnnees_->setObjectName(QStringLiteral("tbAnnees"));
    tbMois_->setObjectName(QStringLiteral("tbMois"));
    tbAnnees_->setUsesScrollButtons(true);
    tbMois_->setUsesScrollButtons(true);
    auto* spClasseur = new QSplitter(Qt::Vertical, feuille_);
    spClasseur->setObjectName(QStringLiteral("spClasseur"));
    spClasseur->setHandleWidth(3);
    spClasseur->addWidget(grClasseur_);
    spClasseur->addWidget(imgClasseur_);
    spClasseur->setStretchFactor(1, 2);
    auto* feuilleLayout = new QVBoxLayout(feuille_);
    feuilleLayout->setContentsMargins(0, 0, 0, 0);
    feuilleLayout->addWidget(spClasseur);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbAnnees_);
    layout->addWidget(tbMois_);
    layout->addWidget(feuille_, 1);

    grClasseur_->setObjectName(QStringLiteral("grClasseur"));
    grClasseur_->setAccessibleName(QStringLiteral("Opérations du mois"));
    grClasseur_->gridModel().setCellLoaded(
        [this](int column, int row) { return celluleDetail(detail_, column, row); });
    imgClasseur_->setObjectName(QStringLiteral("imgClasseur"));
    imgClasseur_->setAccessibleName(QStringLiteral("Graphe des opérations du mois"));
    imgClasseur_->setPainter([this](int width, int height, const TextMetrics& metrics) {
        return detail_.empty() ? Drawing{}
                               : DessineGrapheClasseur(width, height, metrics, detail_, param_);
    });
    imgClasseur_->setClickHandler([this](int x, int y) {
        choisitLigneDeBarre(*grClasseur_, *imgClasseur_, x, y, detail_.size(), kColonneCoche,
                            prompter_);
    });
    connect(tbAnnees_, &QTabBar::currentChanged, this, [this](int annee) {
        if (annee >= 0 && static_cast<std::size_t>(annee) < moisDevant_.size())
            remplitMois(annee, moisDevant_[static_cast<std::size_t>(annee)]);
    });
    connect(tbMois_, &QTabBar::currentChanged, this, [this](int) { montreMois(); });
}

void ClasseurPage::prepare() {
    grClasseur_->setColumns({
        {QString(), 20, Qt::AlignCenter, true, 0, GridColumn::Kind::CheckBox},
        {QStringLiteral("Date"), 72, GridColumn::kLeft, true},
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft, true},
        {QStringLiteral("Montant"), 64, GridColumn::kRight, true},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
        {QStringLiteral("Type"), 40, GridColumn::kLeft, true},
    });
    // The shared columns, shown in the order mark, date, code, amount, label, balance.
    grClasseur_->setDisplayPosition(kColonneCode, 3);
    grClasseur_->setDisplayPosition(kColonneMontant, 4);
    grClasseur_->setDefaultRowHeight(14);
    grClasseur_->setReadOnly(true);
    grClasseur_->setSelection(Grid::Selection::Rows);
    appliqueParametres(budget_.Param);
}

void ClasseurPage::appliqueParametres(const TParam& param) {
    param_ = param;
    appliqueCouleurs(*grClasseur_, param.nCoulGrilleClFond, param.nCoulGrilleClTexte, param);
    grClasseur_->setCheckShape(formeCoche(param));
    imgClasseur_->redraw();
}

void ClasseurPage::redessine() {
    imgClasseur_->redraw();
}

void ClasseurPage::actualise() {
    const QSignalBlocker bloqueAnnees(tbAnnees_), bloqueMois(tbMois_);
    while (tbAnnees_->count() > 0) tbAnnees_->removeTab(0);
    while (tbMois_->count() > 0) tbMois_->removeTab(0);
    mois_.clear();
    moisDesAnnees_.clear();
    moisDevant_.clear();
    detail_.clear();
    const auto courante = operationCourante_ ? operationCourante_() : std::nullopt;  // a position
    // Without a dated current operation the binder stays empty.
    const bool vide = !courante || *courante >= budget_.Operations.size() ||
                      !DateValide(budget_.Operations[*courante].cDate);
    const std::size_t position = vide ? 0 : *courante;
    if (!vide) mois_ = ConstruitClasseur(budget_.Operations);
    std::optional<std::size_t> anneeCourante;
    for (std::size_t m = 0; m < mois_.size(); ++m) {
        if (m == 0 || mois_[m].cAnnee != mois_[m - 1].cAnnee) {
            tbAnnees_->addTab(fromBudgetText(mois_[m].cAnnee));
            moisDesAnnees_.emplace_back();
            moisDevant_.push_back(0);
        }
        moisDesAnnees_.back().push_back(m);
        if (position >= mois_[m].premier && position <= mois_[m].dernier) {
            anneeCourante = moisDesAnnees_.size() - 1;
            moisDevant_.back() = moisDesAnnees_.back().size() - 1;
        }
    }
    feuille_->setVisible(!mois_.empty());
    tbAnnees_->setVisible(!mois_.empty());
    tbMois_->setVisible(!mois_.empty());
    if (mois_.empty()) {
        grClasseur_->setRows(0);
        return;
    }
    const int annee = static_cast<int>(anneeCourante.value_or(0));
    tbAnnees_->setCurrentIndex(annee);
    remplitMois(annee, moisDevant_[static_cast<std::size_t>(annee)]);
}

void ClasseurPage::remplitMois(int annee, std::size_t devant) {
    {
        const QSignalBlocker bloque(tbMois_);
        while (tbMois_->count() > 0) tbMois_->removeTab(0);
        for (const std::size_t m : moisDesAnnees_[static_cast<std::size_t>(annee)])
            tbMois_->addTab(fromBudgetText(NomMois(std::stoi(mois_[m].cMois))));
        tbMois_->setCurrentIndex(static_cast<int>(devant));
    }
    montreMois();
}

void ClasseurPage::montreMois() {
    const int annee = tbAnnees_->currentIndex(), m = tbMois_->currentIndex();
    if (annee < 0 || m < 0) return;
    moisDevant_[static_cast<std::size_t>(annee)] = static_cast<std::size_t>(m);
    const std::size_t mois =
        moisDesAnnees_[static_cast<std::size_t>(annee)][static_cast<std::size_t>(m)];
    detail_ = DetailMoisClasseur(budget_.Operations, mois_[mois]);
    grClasseur_->setRows(static_cast<int>(detail_.size()));
    grClasseur_->reload();
    if (!detail_.empty()) grClasseur_->setCurrentCell({kColonneCoche, 1});
    imgClasseur_->redraw();
    imgClasseur_->setAccessibleDescription(descriptionDetail(
        tbMois_->tabText(m) + QLatin1Char(' ') + tbAnnees_->tabText(annee), detail_));
}

}  // namespace varnelle::gui
