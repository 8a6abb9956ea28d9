#include "gui/statistics/calend_op_select_dates_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "gui/statistics/selection_dialog_parts.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/tree.h"
#include "gui/toolkit/tree_pictures.h"
#include "gui/toolkit/window_placement.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {

// A month node keeps its column's record; a year node none.
constexpr std::int64_t kAnnee = -1;

QSpinBox* jour(QWidget* parent, const char* nom, const QString& accessible, int x, int valeur) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(nom));
    spin->setAccessibleName(accessible);
    spin->setRange(1, kJoursCalendrier);
    spin->setValue(valeur);
    spin->setGeometry(x, 24, 41, 22);
    return spin;
}

}  // namespace

TfmCalendOpSelectDates::TfmCalendOpSelectDates(const CalendOp& calendrier, Grid& grille,
                                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      calendrier_(calendrier), grille_(grille), tvMois_(new Tree) {
    setObjectName(QStringLiteral("fmCalendOpSelectDates"));
    setWindowTitle(QStringLiteral("Sélection des mois"));
    setFixedSize(192, 553);
    setFont(interfaceFont());
    centreOnScreen(*this);

    auto* gbMois =
        placedControl<QGroupBox>(this, "gbMois", QStringLiteral("Mois"), QRect(8, 8, 177, 329));
    tvMois_->setParent(gbMois);
    tvMois_->setNames(QStringLiteral("tvMois"), QStringLiteral("Mois"));
    tvMois_->setGeometry(8, 16, 161, 273);
    tvMois_->setImages(treePictures());
    tvMois_->setTickImages(images_arbres::kCaseVide, images_arbres::kCaseCochee);
    tvMois_->setSelectionKeptVisible(true);
    tvMois_->setIndentation(19);
    auto* btTousMois = placedControl<QPushButton>(
        gbMois, "btTousMois", QStringLiteral("Tous les mois"), QRect(8, 296, 161, 25));
    btTousMois->setFlat(true);

    auto* gbJours =
        placedControl<QGroupBox>(this, "gbJours", QStringLiteral("Jours"), QRect(8, 344, 177, 57));
    placedControl<QLabel>(gbJours, "stDateDeb", QStringLiteral("du"), QRect(8, 28, 14, 16));
    edDateDeb_ = jour(gbJours, "edDateDeb", QStringLiteral("Premier jour"), 24, 1);
    placedControl<QLabel>(gbJours, "stDateFin", QStringLiteral("au"), QRect(72, 28, 14, 16));
    edDateFin_ = jour(gbJours, "edDateFin", QStringLiteral("Dernier jour"), 88, kJoursCalendrier);
    auto* btTousJours =
        placedControl<QPushButton>(gbJours, "btTousJours", QString(), QRect(144, 24, 25, 25));
    btTousJours->setIcon(imageTousJours());
    btTousJours->setFlat(true);
    btTousJours->setAccessibleName(QStringLiteral("Tous les jours"));
    btTousJours->setToolTip(QStringLiteral("Tous les jours"));

    gbContCellules_ = new ContenuCellules(this, QRect(8, 408, 177, 97), 16);

    btOK_ = boutonsCommande(*this, 32, "btAnnuler");

    FormCreate();
    tvMois_->onTickToggle([this](int noeud) { bascule(noeud); });
    connect(btTousMois, &QPushButton::clicked, this, [this] {
        for (TreeNode& noeud : noeuds_) noeud.tick = TickState::Ticked;
        tvMois_->reload();
        etatOK();
    });
    connect(edDateDeb_, &QSpinBox::valueChanged, this, &TfmCalendOpSelectDates::etatOK);
    connect(edDateFin_, &QSpinBox::valueChanged, this, &TfmCalendOpSelectDates::etatOK);
    connect(btTousJours, &QPushButton::clicked, this, [this] {
        edDateDeb_->setValue(1);
        edDateFin_->setValue(kJoursCalendrier);
    });
    connect(this, &QDialog::accepted, this, &TfmCalendOpSelectDates::FormClose);
}

std::optional<bool> TfmCalendOpSelectDates::contenu() const {
    return gbContCellules_->choix();
}

void TfmCalendOpSelectDates::FormCreate() {
    const std::string* annee = nullptr;
    std::size_t noeudAnnee = 0;
    for (std::size_t i = 0; i < calendrier_.mois.size(); ++i) {
        const TCalendOp& mois = calendrier_.mois[i];
        if (annee == nullptr || mois.cAnnee != *annee) {
            annee = &mois.cAnnee;
            noeudAnnee = noeuds_.size();
            noeuds_.push_back({0, mois.cAnnee, images_arbres::kAnnee, images_arbres::kAnnee + 1,
                               TickState::Unticked, kAnnee});
        }
        const bool visible = grille_.columnVisible(static_cast<int>(i) + 2);
        noeuds_.push_back({1, mois.cNomMois, images_arbres::kMois, images_arbres::kMois + 1,
                           visible ? TickState::Ticked : TickState::Unticked,
                           static_cast<std::int64_t>(i)});
        if (visible) noeuds_[noeudAnnee].tick = TickState::Ticked;
    }
    forme_ = TreeShape(noeuds_);
    {
        const Tree::Building construction(*tvMois_);
        tvMois_->setNodes(&noeuds_);
        for (int noeud = 0; noeud < forme_.size(); ++noeud)
            if (forme_.level(noeud) == 0) tvMois_->expandNode(noeud);
        if (!noeuds_.empty()) tvMois_->selectNode(0);
    }
    if (!noeuds_.empty()) tvMois_->scrollToNode(0);

    int premier = 0, dernier = 0;
    for (int d = 1; d <= kJoursCalendrier; ++d)
        if (grille_.rowVisible(d)) {
            if (premier == 0) premier = d;
            dernier = d;
        }
    // With every day hidden, the whole month is offered again.
    edDateDeb_->setValue(premier == 0 ? 1 : premier);
    edDateFin_->setValue(dernier == 0 ? kJoursCalendrier : dernier);
    etatOK();
}

void TfmCalendOpSelectDates::bascule(int noeud) {
    if (!toggleTick(noeuds_, forme_, noeud)) return;
    tvMois_->reload();
    etatOK();
}

void TfmCalendOpSelectDates::etatOK() {
    const bool coche = std::any_of(noeuds_.begin(), noeuds_.end(), [](const TreeNode& noeud) {
        return noeud.tick == TickState::Ticked;
    });
    btOK_->setEnabled(coche && edDateDeb_->value() <= edDateFin_->value());
}

void TfmCalendOpSelectDates::FormClose() {
    for (const TreeNode& noeud : noeuds_)
        if (noeud.data != kAnnee)
            grille_.setColumnVisible(static_cast<int>(noeud.data) + 2,
                                     noeud.tick == TickState::Ticked);
    for (int d = 1; d <= kJoursCalendrier; ++d)
        grille_.setRowVisible(d, d >= edDateDeb_->value() && d <= edDateFin_->value());
}

}  // namespace varnelle::gui
