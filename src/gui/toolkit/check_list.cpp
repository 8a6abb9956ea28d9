#include "gui/toolkit/check_list.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace varnelle::gui {

namespace {

constexpr int kHauteurLigne = 17;

}  // namespace

CheckList::CheckList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemChanged, this, &CheckList::ticksChanged);
}

void CheckList::addCheckItem(const QString& text, bool checked) {
    const QSignalBlocker bloque(this);
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setSizeHint(QSize(0, kHauteurLigne));
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int CheckList::hauteurPour(int rows) const {
    return rows * kHauteurLigne + 2 * frameWidth();
}

void CheckList::setAllChecked(bool checked) {
    {
        const QSignalBlocker bloque(this);
        for (int row = 0; row < count(); ++row)
            item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    emit ticksChanged();
}

bool CheckList::checked(int row) const {
    return row >= 0 && row < count() && item(row)->checkState() == Qt::Checked;
}

bool CheckList::anyChecked() const {
    for (int row = 0; row < count(); ++row)
        if (checked(row)) return true;
    return false;
}

void CheckList::keyReleaseEvent(QKeyEvent* event) {
    QListWidget::keyReleaseEvent(event);
    // Only the real release: a held key repeats its press, which keeps toggling the same
    // item, and moves on once when let go.
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier ||
        event->isAutoRepeat())
        return;
    emit ticksChanged();
    const int next = currentRow() + 1;
    if (next < count()) setCurrentRow(next);
}

}  // namespace varnelle::gui
