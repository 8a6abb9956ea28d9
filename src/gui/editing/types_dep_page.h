#pragma once

#include <QWidget>

#include "model/budget.h"

namespace varnelle::gui {

class Grid;

// The "Types Dépenses" tab: the expense types in grTypesDep.
class TypesDepPage final : public QWidget {
    Q_OBJECT

public:
    TypesDepPage(Budget& budget, QWidget* parent = nullptr);

    Grid& grTypesDep() { return *grTypesDep_; }

    // Columns, colours and rows, as the budget was loaded.
    void prepare();
    void appliqueParametres();
    void setJaugeVisible(bool visible);
    // Whether the type of the current row may be left: its code is not blank.
    bool TypeDepCourantValide();

private:
    QVariant grTypesDepCellLoaded(int column, int row) const;

    Budget& budget_;
    Grid* grTypesDep_;
};

}  // namespace varnelle::gui
