#include "gui/toolkit/grid_editors.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>

#include "render/budget_text.h"

namespace varnelle::gui {

namespace {

// The line editor's own default limit, for columns without one.
constexpr int unlimitedLength = 32767;

int lengthLimit(int maxLength) {
    return maxLength > 0 ? maxLength : unlimitedLength;
}

}  // namespace

BudgetTextValidator::BudgetTextValidator(int maxLength, QObject* parent)
    : QValidator(parent), maxLength_(lengthLimit(maxLength)) {}

QValidator::State BudgetTextValidator::validate(QString& input, int& /*position*/) const {
    return isAcceptableBudgetText(input, maxLength_) ? Acceptable : Invalid;
}

void prepareCellLineEdit(QLineEdit& editor, int maxLength, const GridEvents& events, int column,
                         int row) {
    editor.setMaxLength(lengthLimit(maxLength));
    editor.setValidator(new BudgetTextValidator(maxLength, &editor));
    QObject::connect(&editor, &QLineEdit::textEdited, &editor,
                     [&editor, &events, column, row](const QString& text) {
                         if (!events.cellEdit) return;
                         QString value = text;
                         events.cellEdit(column, row, value);
                         if (value == text) return;
                         // The rewritten text is taken as typed whole: the caret goes to
                         // its end, where typing goes on.
                         editor.setText(value);
                         editor.end(false);
                     });
}

PickList::PickList(QWidget* parent, const GridEvents& events, int column, int row, int labelWidth)
    : QComboBox(parent), events_(events), labelWidth_(labelWidth) {
    setObjectName(QStringLiteral("gridPickList"));
    // Only what the list offers can be chosen: no free typing.
    setEditable(false);

    auto* list = new QTreeView(this);
    list->setObjectName(QStringLiteral("gridPickListView"));
    list->setRootIsDecorated(false);
    list->setHeaderHidden(true);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    setView(list);
    // A list that drops below the cell, as long as ten rows at most, rather than a menu
    // over it as tall as the screen.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(10);
    list->header()->setStretchLastSection(false);
    fill(column, row);

    connect(this, &QComboBox::activated, this, [this, column, row](int entry) {
        QString value = itemText(entry);
        if (events_.cellEdit) events_.cellEdit(column, row, value);
        value_ = value;
        emit chosen();
    });
}

QString PickList::value() const {
    return value_.isNull() ? currentText() : value_;
}

void PickList::keyPressEvent(QKeyEvent* event) {
    // Closed, the list would step or search to another entry and take it at once: one stray
    // key would overwrite the cell. Such a key opens the list instead, on the entry it names,
    // and only a click or Enter in the open list chooses.
    const bool move = !(event->modifiers() & Qt::AltModifier) &&
                      (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                       event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown ||
                       event->key() == Qt::Key_Home || event->key() == Qt::Key_End);
    const QString text = event->text();
    const bool search = !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!move && !search) {
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
    showPopup();
    if (search) view()->keyboardSearch(text);
}

void PickList::wheelEvent(QWheelEvent* event) {
    // The wheel would choose too, without a look at the list.
    event->accept();
}

void PickList::fill(int column, int row) {
    const int rows = events_.dropDownInit ? std::max(events_.dropDownInit(column, row), 0) : 0;
    auto* entries = new QStandardItemModel(rows, 2, this);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 2; ++c)
            entries->setItem(
                r, c,
                new QStandardItem(events_.dropDownCellLoaded
                                      ? events_.dropDownCellLoaded(c + 1, r + 1, column, row)
                                      : QString()));
    setModel(entries);
    setModelColumn(0);
}

void PickList::showPopup() {
    // Measured now, in the font the editor took from its row after it was filled.
    auto* list = static_cast<QTreeView*>(view());
    list->setFont(font());
    list->resizeColumnToContents(0);
    if (labelWidth_ > 0)
        list->setColumnWidth(1, labelWidth_);
    else
        list->resizeColumnToContents(1);
    // The list is as wide as both columns, even when the cell is narrow.
    list->setMinimumWidth(list->columnWidth(0) + list->columnWidth(1) + 24);
    QComboBox::showPopup();
}

}  // namespace varnelle::gui
