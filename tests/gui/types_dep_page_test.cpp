#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;
using test::operation;
using test::typeInCell;

namespace {

// Types AL, LO, SA, TE, VO (rows 1 to 5); operations of AL and SA.
Budget fiveTypes() {
    Budget budget = test::sampleBudget();
    budget.TypesDep = {test::type("AL", -20), test::type("LO", -500), test::type("SA", 1500),
                       test::type("TE", -30), test::type("VO", -90)};
    return budget;
}

struct TypesTab : test::OpenedBudget {
    Grid& grid = child<Grid>("grTypesDep");
    explicit TypesTab(const Budget& budget = fiveTypes()) : OpenedBudget(budget) {
        choose("pcVarnelle", kOngletTypesDep);
    }
    const TTypeDep& record(int row) { return window->budget().TypesDep[row - 1]; }
};

}  // namespace

class TypesDepPageTest : public QObject {
    Q_OBJECT

private slots:
    void codesAreUpperCasedUniqueAndRenameTheirOperations() {
        TypesTab tab;
        tab.grid.setCurrentCell({1, 1});
        tab.grid.edit(tab.grid.currentIndex());
        auto* editor = tab.grid.viewport()->findChild<QLineEdit*>("gridEditor");
        QTest::keyClicks(editor, "ab");
        editor->setCursorPosition(1);
        QTest::keyClicks(editor, "cx");  // the caret goes to the end: x is a fourth letter
        QCOMPARE(editor->text(), QStringLiteral("ACB"));
        QCOMPARE(editor->cursorPosition(), 3);
        QTest::keyClick(editor, Qt::Key_Escape);

        // Refused: blank, or the code of another row; the record and the cell keep theirs.
        for (const char* refused : {"  ", "VO"}) {
            typeInCell(tab.grid, 1, 3, refused);
            QCOMPARE(tab.record(3).cTypeDep, std::string("SA"));
            QCOMPARE(cellText(tab.grid, 1, 3), QStringLiteral("SA"));
        }
        typeInCell(tab.grid, 1, 3, "SA");
        QCOMPARE(tab.record(3).cTypeDep, std::string("SA"));

        tab.grid.setCurrentCell({1, 1});
        QTest::keyClick(&tab.grid, 'u');  // opens the editor
        QTest::keyClicks(tab.grid.viewport()->findChild<QLineEdit*>("gridEditor"), "x\t");
        QCOMPARE(tab.record(4).cTypeDep, std::string("UX"));  // now between TE and VO
        QCOMPARE(cellText(tab.grid, 1, 4), QStringLiteral("UX"));
        QCOMPARE(tab.grid.currentCell(), (Grid::Cell{2, 4}));  // the cursor went with it
        for (const TOperation& o : tab.window->budget().Operations)
            QVERIFY(o.cTypeDep == "UX" || o.cTypeDep == "SA");
        QCOMPARE(tab.prompter.beeps, 0);
    }

    void labelsAndAmountsKeepTheirValueWhenRefused() {
        TypesTab tab;
        typeInCell(tab.grid, 2, 1, "   ");
        QCOMPARE(tab.record(1).cLibelle, std::string("Type"));
        typeInCell(tab.grid, 3, 1, "douze");
        QCOMPARE(tab.prompter.beeps, 1);
        QCOMPARE(cellText(tab.grid, 3, 1), QStringLiteral("-20,00"));

        typeInCell(tab.grid, 3, 1, "-50.5");
        QCOMPARE(tab.record(1).nMontant, -50.5L);
        QCOMPARE(cellText(tab.grid, 5, 1), QStringLiteral("-606,00"));
        QCOMPARE(cellText(tab.grid, 6, 1), QStringLiteral("-60,00"));  // booked, unchanged
        typeInCell(tab.grid, 2, 1, "Alimentation");

        tab.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(tab.window->close());
        const Budget saved = tab.onDisk();
        QCOMPARE(saved.TypesDep[0].cLibelle, std::string("Alimentation"));
        QCOMPARE(saved.TypesDep[0].nMontant, -50.5L);
    }

    void theMonthsDueDialogSetsTheMaskOnOkOnly() {
        TypesTab tab;
        test::onNextModal([](QWidget& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Périodicité de \"LO\""));
            QTest::mouseClick(dialog.findChild<QPushButton*>("btAucun"), Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btCancel"), Qt::LeftButton);
        });
        test::clickCellButton(tab.grid, 4, 2);
        QCOMPARE(tab.record(2).nPeriodicite, 4095);

        test::onNextModal([](QWidget& dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("btAucun"), Qt::LeftButton);
            auto* months = dialog.findChild<QListWidget*>("lbMois");
            months->item(0)->setCheckState(Qt::Checked);
            months->item(11)->setCheckState(Qt::Checked);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        });
        test::clickCellButton(tab.grid, 4, 2);
        QCOMPARE(tab.record(2).nPeriodicite, 2048 + 1);
        QCOMPARE(tab.record(2).nNbMois, 2);
        QCOMPARE(cellText(tab.grid, 5, 2), QStringLiteral("-1000,00"));
    }

    void theCodeButtonNeedsOperationsAndTheGaugeIsDrawn() {
        Budget budget = fiveTypes();
        budget.TypesDep[0].nMontant = -50;  // -600 a year; -60 booked: a tenth of the gauge
        TypesTab tab(budget);
        tab.grid.setCurrentCell({2, 1});
        const QRect gauge = tab.grid.visualRect(tab.grid.model()->index(0, 6));
        const QImage image = tab.grid.viewport()->grab().toImage();
        const TParam& p = budget.Param;
        QCOMPARE(image.pixelColor(gauge.left() + 2, gauge.center().y()),
                 qColor(p.nCoulGrilleTDJgeBar));
        QCOMPARE(image.pixelColor(gauge.left() + gauge.width() / 2, gauge.center().y()),
                 qColor(p.nCoulGrilleTDJgeFon));

        budget.Operations.clear();
        TypesTab empty(budget);
        test::clickCellButton(empty.grid, 1, 1);
        QCOMPARE(empty.prompter.boxes.size(), std::size_t{1});
        QCOMPARE(empty.prompter.boxes[0].caption, QStringLiteral("Visualisation impossible"));
        QCOMPARE(empty.prompter.boxes[0].text,
                 QStringLiteral("Pas d'opération pour ce type de dépense."));
    }
};

QTEST_MAIN(TypesDepPageTest)
#include "types_dep_page_test.moc"
