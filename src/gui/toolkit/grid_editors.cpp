#include "toolkit/grid_editors.h"

#include <algorithm>

#include <QHeaderView>
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
                         const int position = editor.cursorPosition();
                         editor.setText(value);
                         editor.setCursorPosition(std::min(position, int(value.size())));
                     });
}

PickList::PickList(QWidget* parent, const GridEvents& events, int column, int row)
    : QComboBox(parent), events_(events) {
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
    auto* list = static_cast<QTreeView*>(view());
    list->resizeColumnToContents(0);
    list->resizeColumnToContents(1);
    // The list is as wide as both columns, even when the cell is narrow.
    list->setMinimumWidth(list->columnWidth(0) + list->columnWidth(1) + 24);
}

}  // namespace varnelle::gui
