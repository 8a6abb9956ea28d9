#pragma once

#include <QComboBox>
#include <QValidator>

#include "gui/toolkit/grid_events.h"

class QLineEdit;

namespace varnelle::gui {

// Lets through only what the budget file can keep: Windows-1252, no control character.
class BudgetTextValidator final : public QValidator {
    Q_OBJECT

public:
    BudgetTextValidator(int maxLength, QObject* parent);
    State validate(QString& input, int& position) const override;

private:
    int maxLength_;
};

// Limits a cell's line editor to the column's length and to budget text, and passes every
// change through the program's cell-edit callback, which may rewrite it.
void prepareCellLineEdit(QLineEdit& editor, int maxLength, const GridEvents& events, int column,
                         int row);

// The editor of a pick-list cell: a choice in a list of two columns (code and label) that
// the program fills when the editor opens.
class PickList final : public QComboBox {
    Q_OBJECT

public:
    PickList(QWidget* parent, const GridEvents& events, int column, int row, int labelWidth);

    // The entry chosen, as the program's cell-edit left it; else the entry shown.
    QString value() const;
    void showPopup() override;

signals:
    // An entry was chosen: the edit is over.
    void chosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fill(int column, int row);

    const GridEvents& events_;
    int labelWidth_;  // 0: as wide as the labels ask
    QString value_;
};

}  // namespace varnelle::gui
