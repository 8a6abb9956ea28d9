#include "gui/editing/types_dep_periodicite_dialog.h"

#include <QGroupBox>
#include <QPushButton>

#include "core/model/locale_facts.h"
#include "core/model/month_mask.h"
#include "gui/toolkit/check_list.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {

TfmTypesDepPeriodicite::TfmTypesDepPeriodicite(const TTypeDep& type, QWidget* parent)
    : QDialog(parent) {
    setObjectName("fmTypesDepPeriodicite");
    setWindowTitle(QStringLiteral("Périodicité de \"%1\"").arg(fromBudgetText(type.cTypeDep)));
    setFixedSize(172, 313);
    centreOnScreen(*this);
    setFont(interfaceFont());

    gbMois = new QGroupBox(QStringLiteral("Mois"), this);
    gbMois->setObjectName("gbMois");
    gbMois->setGeometry(8, 4, 156, 266);
    lbMois = new CheckList(gbMois);
    lbMois->setObjectName("lbMois");
    lbMois->setAccessibleName(QStringLiteral("Mois d'échéance"));
    // The twelve months fill the list without a scroll bar or an empty tail.
    lbMois->setGeometry(8, 20, 140, lbMois->hauteurPour(12));
    for (int mois = 1; mois <= 12; ++mois)
        lbMois->addCheckItem(fromBudgetText(NomMois(mois)),
                             (type.nPeriodicite & bitDuMois(mois)) != 0);
    lbMois->setCurrentRow(0);
    btTous =
        placedControl<QPushButton>(gbMois, "btTous", QStringLiteral("Tous"), QRect(8, 233, 66, 25));
    btAucun = placedControl<QPushButton>(gbMois, "btAucun", QStringLiteral("Aucun"),
                                         QRect(82, 233, 66, 25));

    btOK = placedControl<QPushButton>(this, "btOK", QStringLiteral("OK"), QRect(8, 280, 75, 25));
    btOK->setDefault(true);
    btCancel = placedControl<QPushButton>(this, "btCancel", QStringLiteral("Annuler"),
                                          QRect(89, 280, 75, 25));

    connect(btTous, &QPushButton::clicked, this, [this] { lbMois->setAllChecked(true); });
    connect(btAucun, &QPushButton::clicked, this, [this] { lbMois->setAllChecked(false); });
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    lbMois->setFocus();
}

std::int32_t TfmTypesDepPeriodicite::nPeriodicite() const {
    std::int32_t masque = 0;
    for (int mois = 1; mois <= 12; ++mois)
        if (lbMois->checked(mois - 1)) masque |= bitDuMois(mois);
    return masque;
}

}  // namespace varnelle::gui
