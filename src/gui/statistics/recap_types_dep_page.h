#pragma once

#include "core/model/budget.h"
#include "core/stats/recap_types_dep.h"
#include "gui/toolkit/page.h"
#include "render/drawing_replay.h"

class QPainter;

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Récap. types de dépenses" page of the statistics: grRecapTypesDep, one row per
// expense type and one column per year, each year cell a chart or a table of its months.
class RecapTypesDepPage final : public Page {
    Q_OBJECT

public:
    RecapTypesDepPage(const Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grRecapTypesDep() { return *grRecapTypesDep_; }
    const RecapTypesDep& recap() const { return RecapTypesDep_; }

    void prepare() override;
    OrigineParametres origineParametres() const override { return OrigineParametres::Recap; }
    void appliqueParametres(const TParam& param) override;

protected:
    void actualise() override;

private:
    void ConstruitRecapTypesDep();
    bool grRecapTypesDepPaintCell(int column, int row, QPainter& painter, const QRect& cell);
    void grRecapTypesDepHeadingClick(int column);
    void grRecapTypesDepDblClickCell(int column, int row);
    void grRecapTypesDepMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                  int y);
    void grRecapTypesDepColResized(int column);

    const Budget& budget_;
    Prompter& prompter_;
    TParam param_;
    RecapTypesDep RecapTypesDep_;
    FontMetrics metrics_;
    Grid* grRecapTypesDep_;
};

}  // namespace varnelle::gui
