#include "gui/statistics/recap_select_types_dep_dialog.h"

#include <QGroupBox>
#include <QPushButton>

#include "gui/statistics/selection_dialog_parts.h"
#include "gui/toolkit/check_list.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {

namespace {

QGroupBox* groupe(QWidget* parent, const char* nom, const QString& titre, const QRect& at) {
    return placedControl<QGroupBox>(parent, nom, titre, at);
}

CheckList* liste(QWidget* parent, const char* nom, const QString& accessible, const QRect& at) {
    auto* l = new CheckList(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setAccessibleName(accessible);
    l->setGeometry(at);
    return l;
}

}  // namespace

TfmRecapSelectTypesDep::TfmRecapSelectTypesDep(const Budget& budget, Grid& grille, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      budget_(budget), grille_(grille) {
    setObjectName(QStringLiteral("fmRecapSelectTypesDep"));
    setWindowTitle(QStringLiteral("Sélection des types de dépenses"));
    setFixedSize(280, 417);
    setFont(interfaceFont());
    centreOnScreen(*this);

    QGroupBox* gbTypesDep =
        groupe(this, "gbTypesDep", QStringLiteral("Types de dépenses"), QRect(8, 8, 265, 257));
    lbTypesDep_ = liste(gbTypesDep, "lbTypesDep", QStringLiteral("Types de dépenses"),
                        QRect(8, 18, 249, 199));
    auto* btToutes = placedControl<QPushButton>(gbTypesDep, "btToutes", QStringLiteral("Toutes"),
                                                QRect(8, 224, 121, 25));
    auto* btAucune = placedControl<QPushButton>(gbTypesDep, "btAucune", QStringLiteral("Aucune"),
                                                QRect(136, 224, 121, 25));
    btToutes->setFlat(true);
    btAucune->setFlat(true);
    QGroupBox* gbAnnees = groupe(this, "gbAnnees", QStringLiteral("Années"), QRect(8, 272, 97, 97));
    lbAnnees_ = liste(gbAnnees, "lbAnnees", QStringLiteral("Années"), QRect(8, 16, 81, 73));
    gbContCellules_ = new ContenuCellules(this, QRect(112, 272, 161, 97), 8);

    btOK_ = boutonsCommande(*this, 120, "btCancel");

    FormCreate();
    connect(lbTypesDep_, &CheckList::ticksChanged, this, &TfmRecapSelectTypesDep::etatOK);
    connect(lbAnnees_, &CheckList::ticksChanged, this, &TfmRecapSelectTypesDep::etatOK);
    connect(btToutes, &QPushButton::clicked, lbTypesDep_,
            [this] { lbTypesDep_->setAllChecked(true); });
    connect(btAucune, &QPushButton::clicked, lbTypesDep_,
            [this] { lbTypesDep_->setAllChecked(false); });
    connect(this, &QDialog::accepted, this, &TfmRecapSelectTypesDep::FormClose);
}

std::optional<bool> TfmRecapSelectTypesDep::contenu() const {
    return gbContCellules_->choix();
}

void TfmRecapSelectTypesDep::FormCreate() {
    const int lignes = grille_.rows();
    for (std::size_t i = 0; i < budget_.TypesDep.size(); ++i) {
        const int ligne = static_cast<int>(i) + 1;
        lbTypesDep_->addCheckItem(fromBudgetText(budget_.TypesDep[i].cLibelle),
                                  ligne <= lignes && grille_.rowVisible(ligne));
    }
    const int colonnes = grille_.gridModel().columnCount();
    for (int colonne = 2; colonne <= colonnes; ++colonne)
        lbAnnees_->addCheckItem(
            grille_.gridModel().columns()[static_cast<std::size_t>(colonne - 1)].heading,
            grille_.columnVisible(colonne));
    etatOK();
    if (lbTypesDep_->count() > 0) lbTypesDep_->setCurrentRow(0);
}

void TfmRecapSelectTypesDep::etatOK() {
    btOK_->setEnabled(lbTypesDep_->anyChecked() && lbAnnees_->anyChecked());
}

void TfmRecapSelectTypesDep::FormClose() {
    const int lignes = grille_.rows();
    for (int i = 0; i < lbTypesDep_->count() && i < lignes; ++i)
        grille_.setRowVisible(i + 1, lbTypesDep_->checked(i));
    for (int k = 0; k < lbAnnees_->count(); ++k)
        grille_.setColumnVisible(k + 2, lbAnnees_->checked(k));
}

}  // namespace varnelle::gui
