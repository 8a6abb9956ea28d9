#include "gui/editing/suppression_operations_dialog.h"

#include <optional>
#include <string_view>

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/model/date_text.h"
#include "core/stats/period.h"
#include "gui/toolkit/month_choice.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {
TfmSupPlsOp::TfmSupPlsOp(const Budget& budget, int currentRow, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("fmSupPlsOp");
    setWindowTitle(QStringLiteral("Suppression de plusieurs opérations"));
    setFixedSize(272, 133);
    centreOnScreen(*this);
    setFont(interfaceFont());

    rgSupprimer = new QGroupBox(QStringLiteral("Supprimer"), this);
    rgSupprimer->setObjectName("rgSupprimer");
    rgSupprimer->setGeometry(8, 4, 256, 88);
    rbOperationCourante =
        placedControl<QRadioButton>(rgSupprimer, "rbOperationCourante",
                                    QStringLiteral("l'opération courante"), QRect(10, 18, 236, 17));
    rbOperationsDe = placedControl<QRadioButton>(
        rgSupprimer, "rbOperationsDe", QStringLiteral("les opérations de"), QRect(10, 38, 236, 17));

    cbMois = new QComboBox(rgSupprimer);
    cbMois->setObjectName("cbMois");
    cbMois->setGeometry(28, 58, 110, 21);
    cbMois->setMaxVisibleItems(12);
    cbAnnees = new QComboBox(rgSupprimer);
    cbAnnees->setObjectName("cbAnnees");
    cbAnnees->setGeometry(144, 58, 64, 21);
    cbAnnees->setMaxVisibleItems(4);

    btOK = placedControl<QPushButton>(this, "btOK", QStringLiteral("OK"), QRect(108, 100, 75, 25));
    btOK->setDefault(true);
    btCancel = placedControl<QPushButton>(this, "btCancel", QStringLiteral("Annuler"),
                                          QRect(189, 100, 75, 25));

    FormCreate(budget, currentRow);

    connect(rbOperationsDe, &QRadioButton::toggled, this, &TfmSupPlsOp::rgSupprimerClick);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmSupPlsOp::Choix TfmSupPlsOp::choix() const {
    return rbOperationsDe->isChecked() ? Choix::OperationsDuMois : Choix::OperationCourante;
}

std::string TfmSupPlsOp::mois() const {
    return QStringLiteral("%1")
        .arg(cbMois->currentIndex() + 1, 2, 10, QLatin1Char('0'))
        .toStdString();
}

std::string TfmSupPlsOp::annee() const {
    return cbAnnees->currentText().toStdString();
}

void TfmSupPlsOp::FormCreate(const Budget& budget, int currentRow) {
    const QDate today = QDate::currentDate();
    std::optional<std::size_t> courante;
    if (currentRow >= 1) courante = static_cast<std::size_t>(currentRow) - 1;
    // A row just added has no date yet: the current month of the current year is the
    // likeliest wish.
    const MoisAnneesProposes choix = MoisAnneesDeReference(
        budget.Operations, courante, CivilDate{today.day(), today.month(), today.year()});
    remplitMoisAnnees(*cbMois, *cbAnnees, choix);

    rbOperationCourante->setChecked(true);
    rgSupprimerClick();
}

void TfmSupPlsOp::rgSupprimerClick() {
    const bool duMois = rbOperationsDe->isChecked();
    cbMois->setEnabled(duMois);
    cbAnnees->setEnabled(duMois);
    if (duMois) cbMois->setFocus();
}

}  // namespace varnelle::gui
