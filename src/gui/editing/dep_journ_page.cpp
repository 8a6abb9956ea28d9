#include "gui/editing/dep_journ_page.h"

#include <algorithm>

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/drawing/dep_journ_chart.h"
#include "core/model/amount.h"
#include "core/model/entries.h"
#include "core/model/estimation.h"
#include "core/model/locale_facts.h"
#include "gui/settings/grid_settings.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/grid_editors.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace varnelle::gui {

namespace {
constexpr int kHauteurChamp = 21;
constexpr int kHauteurGraphe = 208;
// The days' grid and the savings group, as laid out when there is room for them.
constexpr QRect kJours(0, 0, 201, 457);
constexpr QRect kEconomies(208, 176, 370, 281);
// Row heights of the days: the whole month in view at the window's designed size, and no
// taller than the other grids' rows when the window is taller.
constexpr int kLigneJourMin = 13;
constexpr int kLigneJourMax = 18;
// Room enough for the heading and a few rows of savings: the smallest the page lets the
// window become.
constexpr int kHauteurEconomiesMin = 110;
// Texts of the general values stay within what the data file reads back.
constexpr int kLongueurChamp = 255;

// The number typed in a grid cell, or nothing (with the beep) when it is not a whole number.
std::optional<MontantEntier> montantEntier(const QVariant& value, Prompter& prompter) {
    const std::optional<std::string> text = toBudgetText(value.toString());
    const std::optional<std::int32_t> montant = text ? parseEntier(*text) : std::nullopt;
    if (!montant) prompter.beep();
    return montant;
}
}  // namespace

DepJournPage::DepJournPage(Budget& budget, Prompter& prompter, QWidget* parent)
    : Page(parent), budget_(budget), prompter_(prompter) {
    auto* haut = new QWidget(this);
    haut_ = haut;
    haut->setObjectName(QStringLiteral("pnDepJournHaut"));
    haut->setMinimumHeight(kEconomies.top() + kHauteurEconomiesMin);
    haut->installEventFilter(this);
    grDepJourn_ = new Grid(haut);
    grDepJourn_->setObjectName(QStringLiteral("grDepJourn"));
    grDepJourn_->setAccessibleName(QStringLiteral("Dépenses journalières"));
    grDepJourn_->setGeometry(kJours);

    btCalcDJResteMois_ = new QPushButton(QStringLiteral("&Calculer"), haut);
    btCalcDJResteMois_->setObjectName(QStringLiteral("btCalcDJResteMois"));
    btCalcDJResteMois_->setGeometry(208, 0, 75, 25);
    const auto label = [&](const char* name, const QString& caption, int left, int top,
                           QWidget* buddy) {
        auto* st = new QLabel(caption, haut);
        st->setObjectName(QString::fromLatin1(name));
        st->adjustSize();
        st->move(left, top + (kHauteurChamp - st->height()) / 2);
        st->setBuddy(buddy);
    };
    edTotalDepMois_ = champ(haut, "edTotalDepMois", 320, 32, 89, true);
    edSalaireMoyen_ = champ(haut, "edSalaireMoyen", 488, 32, 89, false);
    edResteMois_ = champ(haut, "edResteMois", 320, 56, 89, true);
    edNbJoursMois_ = new QSpinBox(haut);
    edNbJoursMois_->setObjectName(QStringLiteral("edNbJoursMois"));
    edNbJoursMois_->setRange(kNbJoursMoisMin, kNbJoursMoisMax);
    edNbJoursMois_->setGeometry(288, 88, 41, kHauteurChamp);
    edResteDebMois_ = champ(haut, "edResteDebMois", 424, 88, 57, false);
    edResteCourMois_ = champ(haut, "edResteCourMois", 520, 88, 57, true);
    edEstimDepJournMois_ = champ(haut, "edEstimDepJournMois", 408, 120, 89, true);
    edEstimResteMois_ = champ(haut, "edEstimResteMois", 408, 144, 89, true);
    label("stTotalDepMois", QStringLiteral("Total dépenses / mois"), 208, 32, edTotalDepMois_);
    label("stSalaireMoyen", QStringLiteral("Salaire moyen"), 416, 32, edSalaireMoyen_);
    label("stResteMois", QStringLiteral("Reste / mois"), 208, 56, edResteMois_);
    label("stNbJoursMois", QStringLiteral("Nb Jours / mois"), 208, 88, edNbJoursMois_);
    label("stResteDebMois", QStringLiteral("Reste début mois"), 336, 88, edResteDebMois_);
    label("stResteCourMois", QStringLiteral("actuel"), 488, 88, edResteCourMois_);
    label("stEstimDepJournMois", QStringLiteral("Estimation (dépenses journalières / mois)"), 208,
          120, edEstimDepJournMois_);
    label("stEstimResteMois", QStringLiteral("Estimation (reste / mois)"), 208, 144,
          edEstimResteMois_);

    gbEconomies_ = new QGroupBox(QStringLiteral("Economies"), haut);
    gbEconomies_->setObjectName(QStringLiteral("gbEconomies"));
    gbEconomies_->setGeometry(kEconomies);
    grEconomies_ = new Grid(gbEconomies_);
    grEconomies_->setObjectName(QStringLiteral("grEconomies"));
    grEconomies_->setAccessibleName(QStringLiteral("Economies"));
    grEconomies_->setGeometry(8, 18, 354, kEconomies.height() - 24);

    auto* pnDepJournBas = new QWidget(this);
    pnDepJournBas->setObjectName(QStringLiteral("pnDepJournBas"));
    pnDepJournBas->setFixedHeight(kHauteurGraphe);
    imgDepJourn_ = new DrawingSurface(pnDepJournBas);
    imgDepJourn_->setObjectName(QStringLiteral("imgDepJourn"));
    imgDepJourn_->setAccessibleName(QStringLiteral("Graphe des dépenses journalières"));
    auto* basLayout = new QVBoxLayout(pnDepJournBas);
    basLayout->setContentsMargins(0, 0, 0, 0);
    basLayout->addWidget(imgDepJourn_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(haut, 1);
    layout->addWidget(pnDepJournBas);

    grDepJourn_->gridModel().setCellLoaded(
        [this](int column, int row) { return grDepJournCellLoaded(column, row); });
    grDepJourn_->gridModel().setEndCellEdit([this](int column, int row, const QVariant& value) {
        return modification([&] { return grDepJournEndCellEdit(column, row, value); });
    });
    grEconomies_->gridModel().setCellLoaded(
        [this](int column, int row) { return grEconomiesCellLoaded(column, row); });
    grEconomies_->gridModel().setEndCellEdit([this](int column, int row, const QVariant& value) {
        return modification([&] { return grEconomiesEndCellEdit(column, row, value); });
    });
    imgDepJourn_->setPainter([this](int width, int height, const TextMetrics& metrics) {
        return DessineDepJourn(width, height, metrics, budget_, budget_.nNbJoursMois(), param_);
    });
    imgDepJourn_->setClickHandler([this](int x, int y) { imgDepJournClick(x, y); });
    connect(btCalcDJResteMois_, &QPushButton::clicked, this, &DepJournPage::btCalcDJResteMoisClick);
    // A field typed one key at a time is one step of the undo history.
    connect(edSalaireMoyen_, &QLineEdit::textChanged, this, [this](const QString& text) {
        modification(
            [&] { budget_.cSalaireMoyen = toBudgetText(text).value_or(budget_.cSalaireMoyen); },
            "edSalaireMoyen");
    });
    connect(edResteDebMois_, &QLineEdit::textChanged, this,
            [this] { modification([&] { edResteDebMoisChange(); }, "edResteDebMois"); });
    connect(edNbJoursMois_, &QSpinBox::valueChanged, this, [this](int jours) {
        modification([&] { budget_.setNbJoursMois(jours); }, "edNbJoursMois");
    });
}

QLineEdit* DepJournPage::champ(QWidget* parent, const char* name, int left, int top, int width,
                               bool readOnly) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(left, top, width, kHauteurChamp);
    if (readOnly) {
        field->setReadOnly(true);
        // Figures the program works out: shown like the window's face, and the tab key
        // goes past them.
        field->setFocusPolicy(Qt::ClickFocus);
        field->setBackgroundRole(QPalette::Button);
        field->setStyleSheet(QStringLiteral("QLineEdit { background: palette(button); }"));
    } else {
        field->setValidator(new BudgetTextValidator(kLongueurChamp, field));
    }
    return field;
}

bool DepJournPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == haut_ && event->type() == QEvent::Resize) disposeHaut();
    return QWidget::eventFilter(watched, event);
}

void DepJournPage::disposeHaut() {
    // The chart keeps its height at the bottom; above it the days' grid and the savings
    // share what is left, so that neither is ever covered. Days' rows shrink first, down to
    // a height that still shows the whole month at the designed size; below that the grid
    // scrolls.
    const int hauteur = haut_->height();
    const int cadre =
        grDepJourn_->horizontalHeader()->sizeHint().height() + 2 * grDepJourn_->frameWidth();
    const int ligne =
        std::clamp((hauteur - cadre) / kNbJoursDepJourn, kLigneJourMin, kLigneJourMax);
    grDepJourn_->setDefaultRowHeight(ligne);
    grDepJourn_->setGeometry(kJours.left(), kJours.top(), kJours.width(),
                             std::min(hauteur, cadre + kNbJoursDepJourn * ligne));
    const int economies = std::min(hauteur - kEconomies.top(), kEconomies.height());
    gbEconomies_->setGeometry(kEconomies.left(), kEconomies.top(), kEconomies.width(), economies);
    grEconomies_->setGeometry(8, 18, kEconomies.width() - 16, economies - 24);
}

void DepJournPage::prepare() {
    grDepJourn_->setColumns({
        {QStringLiteral("Jour"), 40, GridColumn::kLeft, true},
        {QStringLiteral("Montant"), 64, GridColumn::kRight},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });
    grDepJourn_->setRows(kNbJoursDepJourn);
    disposeHaut();
    grEconomies_->setColumns({
        {QStringLiteral("Libellé"), 200, GridColumn::kLeft},
        {QStringLiteral("Montant"), 64, GridColumn::kRight},
        {QStringLiteral("Solde"), 64, GridColumn::kRight, true},
    });
    grEconomies_->setRows(static_cast<int>(budget_.Economies.size()));
    edNbJoursMois_->setValue(budget_.nNbJoursMois());
    edSalaireMoyen_->setText(fromBudgetText(budget_.cSalaireMoyen));
    edResteDebMois_->setText(fromBudgetText(budget_.nResteDebMois));
    edResteDebMoisChange();
    appliqueParametres(budget_.Param);
}

void DepJournPage::appliqueParametres(const TParam& param) {
    param_ = param;
    appliqueCouleurs(*grDepJourn_, param.nCoulGrilleDJFond, param.nCoulGrilleDJTexte, param);
    appliqueCouleurs(*grEconomies_, param.nCoulGrilleEcFond, param.nCoulGrilleEcTexte, param);
}

void DepJournPage::montre() {
    redessine();
    const int rows = static_cast<int>(budget_.Economies.size());
    if (rows == 0) return;
    grEconomies_->setCurrentCell({1, rows});
    grEconomies_->scrollToCell({1, rows});
}

void DepJournPage::redessine() {
    imgDepJourn_->redraw();
    imgDepJourn_->setAccessibleDescription(
        QStringLiteral("Dépenses des 31 jours, total %1").arg(budget_.DepJourn.back().nCumul));
}

bool DepJournPage::montreEnregistrement(PartieBudget partie, std::size_t indice) {
    if (partie == PartieBudget::DepJourn)
        montreLigne(*grDepJourn_, indice);
    else if (partie == PartieBudget::Economies)
        montreLigne(*grEconomies_, indice);
    else if (partie != PartieBudget::Valeurs)
        return false;
    return true;
}

void DepJournPage::ajoute() {
    varnelle::ajouteEconomie(budget_);
    montreLigneAjoutee(*grEconomies_, budget_.Economies.size());
}

void DepJournPage::supprime() {
    const auto ligne = ligneASupprimer(*grEconomies_, budget_.Economies.size(), prompter_,
                                       QStringLiteral("l'économie"));
    if (!ligne) return;
    varnelle::supprimeEconomie(budget_, *ligne);
    grEconomies_->setRows(static_cast<int>(budget_.Economies.size()));
    grEconomies_->reload();
}

QVariant DepJournPage::grDepJournCellLoaded(int column, int row) const {
    if (row < 1 || row > kNbJoursDepJourn) return {};
    const TDepJourn& jour = budget_.DepJourn[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return QString::number(jour.nJour);
    case 2: return QString::number(jour.nMontant);
    case 3: return QString::number(jour.nCumul);
    default: return {};
    }
}

bool DepJournPage::grDepJournEndCellEdit(int column, int row, const QVariant& value) {
    if (column != 2 || row < 1 || row > kNbJoursDepJourn) return false;
    const std::optional<MontantEntier> montant = montantEntier(value, prompter_);
    if (!montant) return false;
    changeMontantDepJourn(budget_, static_cast<std::size_t>(row), *montant);
    grDepJourn_->reload();
    edResteDebMoisChange();
    redessine();
    return true;
}

QVariant DepJournPage::grEconomiesCellLoaded(int column, int row) const {
    if (row < 1 || row > static_cast<int>(budget_.Economies.size())) return {};
    const TEconomie& economie = budget_.Economies[static_cast<std::size_t>(row - 1)];
    switch (column) {
    case 1: return fromBudgetText(economie.cLibelle);
    case 2: return QString::number(economie.nMontant);
    case 3: return QString::number(economie.nCumul);
    default: return {};
    }
}

bool DepJournPage::grEconomiesEndCellEdit(int column, int row, const QVariant& value) {
    if (row < 1 || row > static_cast<int>(budget_.Economies.size())) return false;
    const auto index = static_cast<std::size_t>(row - 1);
    if (column == 1) {
        const std::optional<std::string> text = toBudgetText(value.toString());
        if (!text) return false;
        changeLibelleEconomie(budget_, index, *text);
        return true;
    }
    if (column != 2) return false;
    const std::optional<MontantEntier> montant = montantEntier(value, prompter_);
    if (!montant) return false;
    changeMontantEconomie(budget_, index, *montant);
    grEconomies_->reload();
    return true;
}

void DepJournPage::edResteDebMoisChange() {
    const std::optional<std::string> text = toBudgetText(edResteDebMois_->text());
    if (text) budget_.nResteDebMois = *text;
    const std::optional<std::int32_t> reste = resteCourantMois(budget_.nResteDebMois, budget_);
    edResteCourMois_->setText(reste ? QString::number(*reste) : QString());
}

void DepJournPage::btCalcDJResteMoisClick() {
    const Estimation estimation = CalculeEstimation(
        budget_, budget_.cSalaireMoyen, budget_.nNbJoursMois(), localeFacts().separateurDecimal);
    edTotalDepMois_->setText(QString::fromStdString(estimation.totalDepensesMois));
    if (!estimation.salaireLu) return;
    edResteMois_->setText(QString::fromStdString(estimation.resteMois));
    edEstimDepJournMois_->setText(QString::fromStdString(estimation.estimDepJournMois));
    edEstimResteMois_->setText(QString::fromStdString(estimation.estimResteMois));
}

void DepJournPage::imgDepJournClick(int x, int y) {
    const std::optional<int> jour =
        jourSousPoint(x, y, imgDepJourn_->width(), imgDepJourn_->height(), budget_.nNbJoursMois());
    if (!jour) {
        prompter_.beep();
        return;
    }
    grDepJourn_->setCurrentCell({1, *jour});
    grDepJourn_->setFocus();
}

}  // namespace varnelle::gui
