#pragma once

#include "core/model/budget.h"
#include "core/stats/calend_op.h"
#include "gui/toolkit/page.h"
#include "render/drawing_replay.h"

class QPainter;

namespace varnelle::gui {

class Grid;
class Prompter;

// The "Calendrier des opérations" page: grCalendOp, one row per day of the month and one
// column per month with operations, each day listing its operations or drawing them as bars.
class CalendOpPage final : public Page {
    Q_OBJECT

public:
    CalendOpPage(const Budget& budget, Prompter& prompter, QWidget* parent = nullptr);

    Grid& grCalendOp() { return *grCalendOp_; }
    const CalendOp& calendrier() const { return CalendOp_; }

    void prepare() override;
    OrigineParametres origineParametres() const override { return OrigineParametres::Calendrier; }
    void appliqueParametres(const TParam& param) override;

protected:
    void actualise() override;

private:
    void ConstruitCalendOp();
    bool grCalendOpPaintCell(int column, int row, QPainter& painter, const QRect& cell);
    void grCalendOpHeadingClick(int column);
    void grCalendOpDblClickCell(int column, int row);
    void grCalendOpMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void grCalendOpColResized(int column);
    void ouvreOperations(const PeriodeCalendOp& periode);

    const Budget& budget_;
    Prompter& prompter_;
    TParam param_;
    CalendOp CalendOp_;
    FontMetrics metrics_;
    Grid* grCalendOp_;
};

}  // namespace varnelle::gui
