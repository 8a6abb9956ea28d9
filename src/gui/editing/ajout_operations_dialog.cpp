#include "gui/editing/ajout_operations_dialog.h"

#include <optional>

#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/model/date_text.h"
#include "core/model/edits.h"
#include "gui/toolkit/check_list.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {

TfmAjtPlsOp::TfmAjtPlsOp(const Budget& budget, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      budget_(budget) {
    setObjectName("fmAjtPlsOp");
    setWindowTitle(QStringLiteral("Ajout d'opération(s)"));
    setFixedSize(288, 409);
    centreOnScreen(*this);
    setFont(interfaceFont());

    gbAjouter = new QGroupBox(QStringLiteral("Ajouter"), this);
    gbAjouter->setObjectName("gbAjouter");
    gbAjouter->setGeometry(8, 4, 272, 360);
    rbUneSeule = placedControl<QRadioButton>(
        gbAjouter, "rbUneSeule", QStringLiteral("une seule opération"), QRect(10, 20, 252, 17));
    rbPlusieurs = placedControl<QRadioButton>(gbAjouter, "rbPlusieurs",
                                              QStringLiteral("plusieurs opérations à la date"),
                                              QRect(10, 42, 252, 17));

    edDateAjt = new QLineEdit(gbAjouter);
    edDateAjt->setObjectName("edDateAjt");
    // A blank of ' ' keeps the empty text "  /  /    " that the budget knows as no date.
    edDateAjt->setInputMask(QStringLiteral("99/99/9999; "));
    edDateAjt->setGeometry(28, 64, 80, 21);
    btDateAjt = placedControl<QPushButton>(gbAjouter, "btDateAjt", QStringLiteral("..."),
                                           QRect(110, 64, 23, 21));
    btDateAjt->setToolTip(QStringLiteral("Calendrier"));
    btDateAjt->setAccessibleName(QStringLiteral("Calendrier de la date"));

    lbTypesDep = new CheckList(gbAjouter);
    lbTypesDep->setObjectName("lbTypesDep");
    lbTypesDep->setAccessibleName(QStringLiteral("Types de dépenses"));
    // Whole rows only: no half-cut type at the bottom.
    lbTypesDep->setGeometry(10, 94, 252, lbTypesDep->hauteurPour(13));
    btToutes = placedControl<QPushButton>(gbAjouter, "btToutes", QStringLiteral("Toutes"),
                                          QRect(10, 327, 75, 25));
    btAucune = placedControl<QPushButton>(gbAjouter, "btAucune", QStringLiteral("Aucune"),
                                          QRect(91, 327, 75, 25));

    btOK = placedControl<QPushButton>(this, "btOK", QStringLiteral("OK"), QRect(124, 376, 75, 25));
    btOK->setDefault(true);
    btCancel = placedControl<QPushButton>(this, "btCancel", QStringLiteral("Annuler"),
                                          QRect(205, 376, 75, 25));

    FormCreate();

    // Connected after the first fill, which FormCreate follows with its own recomputation.
    connect(rbPlusieurs, &QRadioButton::toggled, this, &TfmAjtPlsOp::rbClick);
    connect(edDateAjt, &QLineEdit::textChanged, this, &TfmAjtPlsOp::edDateAjtChange);
    connect(btDateAjt, &QPushButton::clicked, this, &TfmAjtPlsOp::btDateAjtClick);
    connect(lbTypesDep, &CheckList::ticksChanged, this, &TfmAjtPlsOp::etatOK);
    connect(btToutes, &QPushButton::clicked, this, [this] { lbTypesDep->setAllChecked(true); });
    connect(btAucune, &QPushButton::clicked, this, [this] { lbTypesDep->setAllChecked(false); });
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmAjtPlsOp::Choix TfmAjtPlsOp::choix() const {
    return rbPlusieurs->isChecked() ? Choix::Plusieurs : Choix::UneSeule;
}

std::string TfmAjtPlsOp::dateAjout() const {
    // displayText keeps the blanks of an unfinished date in place; text() would drop them.
    return toBudgetText(edDateAjt->displayText()).value_or(std::string());
}

std::vector<std::size_t> TfmAjtPlsOp::typesCoches() const {
    std::vector<std::size_t> positions;
    for (int row = 0; row < lbTypesDep->count(); ++row)
        if (lbTypesDep->checked(row)) positions.push_back(static_cast<std::size_t>(row));
    return positions;
}

void TfmAjtPlsOp::FormCreate() {
    for (const TTypeDep& type : budget_.TypesDep)
        lbTypesDep->addCheckItem(fromBudgetText(type.cLibelle), false);
    if (lbTypesDep->count() > 0) lbTypesDep->setCurrentRow(0);
    rbUneSeule->setChecked(true);
    rbClick();
    rbPlusieurs->setEnabled(!budget_.TypesDep.empty());
    edDateAjt->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    edDateAjtChange();
}

void TfmAjtPlsOp::rbClick() {
    const bool plusieurs = rbPlusieurs->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(edDateAjt), static_cast<QWidget*>(btDateAjt),
                             static_cast<QWidget*>(lbTypesDep), static_cast<QWidget*>(btToutes),
                             static_cast<QWidget*>(btAucune)})
        control->setEnabled(plusieurs);
    if (plusieurs) edDateAjt->setFocus();
    etatOK();
}

void TfmAjtPlsOp::edDateAjtChange() {
    const std::optional<std::vector<bool>> coches = typesAPreCocher(budget_, dateAjout());
    if (coches) {
        // One recomputation of OK for the whole list, not one per item.
        const QSignalBlocker bloque(lbTypesDep);
        for (int row = 0; row < lbTypesDep->count(); ++row)
            lbTypesDep->item(row)->setCheckState(
                (*coches)[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked);
    }
    etatOK();
}

void TfmAjtPlsOp::btDateAjtClick() {
    // The calendar itself starts at today when the edit holds no valid date.
    const std::optional<std::string> date = ChoisitDate(this, dateAjout());
    if (date) edDateAjt->setText(fromBudgetText(*date));
}

void TfmAjtPlsOp::etatOK() {
    btOK->setEnabled(rbUneSeule->isChecked() ||
                     (DateValide(dateAjout()) && !typesCoches().empty()));
}

}  // namespace varnelle::gui
