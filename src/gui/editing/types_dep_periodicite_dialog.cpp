#include "gui/editing/types_dep_periodicite_dialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "core/model/locale_facts.h"
#include "core/model/month_mask.h"
#include "gui/toolkit/placed_control.h"
#include "gui/toolkit/window_placement.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {
namespace {

constexpr int kHauteurLigne = 17;

}  // namespace

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
    lbMois = new QListWidget(gbMois);
    lbMois->setObjectName("lbMois");
    // Rows a little taller than the text, so the twelve months fill the list without a
    // scroll bar or an empty tail.
    lbMois->setGeometry(8, 20, 140, 12 * kHauteurLigne + 2 * lbMois->frameWidth());
    for (int mois = 1; mois <= 12; ++mois) {
        auto* item = new QListWidgetItem(fromBudgetText(NomMois(mois)), lbMois);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setSizeHint(QSize(0, kHauteurLigne));
        item->setCheckState((type.nPeriodicite & bitDuMois(mois)) != 0 ? Qt::Checked
                                                                       : Qt::Unchecked);
    }
    lbMois->setCurrentRow(0);
    lbMois->installEventFilter(this);
    btTous =
        placedControl<QPushButton>(gbMois, "btTous", QStringLiteral("Tous"), QRect(8, 233, 66, 25));
    btAucun = placedControl<QPushButton>(gbMois, "btAucun", QStringLiteral("Aucun"),
                                         QRect(82, 233, 66, 25));

    btOK = placedControl<QPushButton>(this, "btOK", QStringLiteral("OK"), QRect(8, 280, 75, 25));
    btOK->setDefault(true);
    btCancel = placedControl<QPushButton>(this, "btCancel", QStringLiteral("Annuler"),
                                          QRect(89, 280, 75, 25));

    connect(btTous, &QPushButton::clicked, this, [this] { btClick(true); });
    connect(btAucun, &QPushButton::clicked, this, [this] { btClick(false); });
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    lbMois->setFocus();
}

std::int32_t TfmTypesDepPeriodicite::nPeriodicite() const {
    std::int32_t masque = 0;
    for (int mois = 1; mois <= 12; ++mois)
        if (lbMois->item(mois - 1)->checkState() == Qt::Checked) masque |= bitDuMois(mois);
    return masque;
}

bool TfmTypesDepPeriodicite::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbMois && event->type() == QEvent::KeyRelease)
        lbMoisKeyUp(static_cast<const QKeyEvent&>(*event));
    // The list still handles the key itself: the press of space ticks the current month.
    return QDialog::eventFilter(watched, event);
}

void TfmTypesDepPeriodicite::btClick(bool tous) {
    for (int row = 0; row < lbMois->count(); ++row)
        lbMois->item(row)->setCheckState(tous ? Qt::Checked : Qt::Unchecked);
}

void TfmTypesDepPeriodicite::lbMoisKeyUp(const QKeyEvent& event) {
    // Only the real release: a held key repeats its press, which keeps toggling the same
    // month, and moves on once when let go.
    if (event.key() != Qt::Key_Space || event.modifiers() != Qt::NoModifier || event.isAutoRepeat())
        return;
    const int next = lbMois->currentRow() + 1;
    if (next < lbMois->count()) lbMois->setCurrentRow(next);
}

}  // namespace varnelle::gui
