#include <QComboBox>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;
using test::typeInCell;

namespace {

// Rows: 1 28/02/2024 AL -40, 2 02/03/2024 SA 1500, 3 15/03/2024 AL -20.
struct OperationsTab : test::OpenedBudget {
    Grid& grid = child<Grid>("grOperations");
    OperationsTab() { choose("pcVarnelle", kOngletOperations); }
    const std::vector<TOperation>& operations() { return window->budget().Operations; }
    QStringList column(int c) {
        QStringList texts;
        for (int row = 1; row <= grid.rows(); ++row) texts << cellText(grid, c, row);
        return texts;
    }
};

}  // namespace

class OperationsPageTest : public QObject {
    Q_OBJECT

private slots:
    void ticksChangeOnlyTheMarkAndItsColour() {
        OperationsTab tab;
        const QRect box = tab.grid.visualRect(tab.grid.model()->index(1, 0));
        QTest::mouseClick(tab.grid.viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(tab.operations()[1].nSelect, 0);
        QCOMPARE(tab.grid.model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(),
                 qColor(tab.window->budget().Param.nCoulGrilleOpOpDec));
        QCOMPARE(tab.column(6), (QStringList{"-40,00", "1460,00", "1440,00"}));
    }

    void refusedEditsLeaveRecordAndCellAsTheyWere() {
        OperationsTab tab;
        const std::vector<TOperation> before = tab.operations();
        typeInCell(tab.grid, 2, 2, "31/02/2024");
        typeInCell(tab.grid, 2, 2, "02/03/24");
        typeInCell(tab.grid, 4, 2, "0");
        typeInCell(tab.grid, 5, 2, "  ");
        QCOMPARE(tab.prompter.beeps, 0);  // refused without a sound
        typeInCell(tab.grid, 4, 2, "mille");
        typeInCell(tab.grid, 4, 2, "30000000");
        QCOMPARE(tab.prompter.beeps, 2);  // not a number the file can hold
        QCOMPARE(tab.operations(), before);
        QCOMPARE(tab.column(2), (QStringList{"28/02/2024", "02/03/2024", "15/03/2024"}));
        QCOMPARE(cellText(tab.grid, 4, 2), QStringLiteral("1500,00"));
    }

    void aMovedOperationIsFollowedAtTheNextMove() {
        OperationsTab tab;
        typeInCell(tab.grid, 2, 1, "20/03/2024");
        QCOMPARE(tab.column(2), (QStringList{"02/03/2024", "15/03/2024", "20/03/2024"}));
        QCOMPARE(tab.column(6), (QStringList{"1500,00", "1480,00", "1440,00"}));
        tab.grid.setCurrentCell({5, 2});
        QCOMPARE(tab.grid.currentCell(), (Grid::Cell{5, 3}));

        // Same day and type: the text of the amount orders them, -20 before -40 ...
        typeInCell(tab.grid, 2, 3, "15/03/2024");
        tab.grid.setCurrentCell({1, 1});
        QCOMPARE(tab.grid.currentCell(), (Grid::Cell{1, 3}));
        // ... and -100.5 before -40.
        typeInCell(tab.grid, 4, 2, "-100,5");
        tab.grid.setCurrentCell({1, 1});
        QCOMPARE(tab.grid.currentCell(), (Grid::Cell{1, 2}));
    }

    void choosingATypeFillsTheOperationAndFollowsItAtOnce() {
        OperationsTab tab;
        tab.grid.setCurrentCell({3, 3});
        tab.grid.edit(tab.grid.currentIndex());
        auto* pickList = tab.grid.viewport()->findChild<QComboBox*>("gridPickList");
        QVERIFY(pickList != nullptr);
        QCOMPARE(pickList->count(), 2);
        QCOMPARE(pickList->model()->index(1, 0).data().toString(), QStringLiteral("SA"));
        pickList->showPopup();
        pickList->view()->setCurrentIndex(pickList->model()->index(1, 0));
        QTest::keyClick(pickList->view(), Qt::Key_Return);
        QCoreApplication::processEvents();
        // 15/03 SA 1500 stays the last row: same date, the only operation of that day.
        QCOMPARE(tab.operations()[2].cTypeDep, std::string("SA"));
        QCOMPARE(tab.operations()[2].nMontant, 1500);
        QCOMPARE(tab.operations()[2].cLibelle, std::string("Type"));
        QCOMPARE(tab.grid.currentCell().row, 3);
        QCOMPARE(cellText(tab.grid, 6, 3), QStringLiteral("2960,00"));
    }

    void aKeyOnTheClosedTypeListOnlyOpensIt() {
        OperationsTab tab;
        tab.grid.setCurrentCell({3, 3});
        QTest::keyClick(&tab.grid, Qt::Key_S);
        auto* pickList = tab.grid.viewport()->findChild<QComboBox*>("gridPickList");
        QTest::keyClick(pickList->view(), Qt::Key_Escape);
        QTest::keyClick(pickList, Qt::Key_Down);
        QCOMPARE(tab.operations()[2].cTypeDep, std::string("AL"));
        QVERIFY(pickList->view()->isVisible());
        QCOMPARE(static_cast<QTreeView*>(pickList->view())->columnWidth(1), 200);
    }

    void theDateButtonPicksADateAndFollowsTheOperation() {
        OperationsTab tab;
        test::onNextModal([](QWidget& dialog) {
            for (int i = 0; i < 2; ++i)
                QTest::mouseClick(dialog.findChild<QAbstractButton*>("btMoisPrec"), Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        });
        test::clickCellButton(tab.grid, 2, 3);
        QCOMPARE(tab.operations()[0].cDate, std::string("15/01/2024"));
        QCOMPARE(tab.grid.currentCell(), (Grid::Cell{2, 1}));

        tab.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(tab.window->close());
        QCOMPARE(tab.onDisk().Operations, tab.window->budget().Operations);
    }
};

QTEST_MAIN(OperationsPageTest)
#include "operations_page_test.moc"
