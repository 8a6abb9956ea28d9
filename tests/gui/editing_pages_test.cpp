#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;
using test::columnTexts;
using test::operation;
using test::type;
using test::typeInCell;

namespace {

// Types AL, LO, SA, TE, VO (rows 1 to 5); operations of AL and SA.
Budget fiveTypes() {
    Budget budget = test::sampleBudget();
    budget.TypesDep = {type("AL", -20), type("LO", -500), type("SA", 1500), type("TE", -30),
                       type("VO", -90)};
    return budget;
}

struct TypesTab : test::OpenedBudget {
    Grid& grid = child<Grid>("grTypesDep");
    explicit TypesTab(const Budget& budget = fiveTypes()) : OpenedBudget(budget, kOngletTypesDep) {}
    const TTypeDep& record(int row) { return budget().TypesDep[row - 1]; }
};

// Rows: 1 28/02/2024 AL -40, 2 02/03/2024 SA 1500, 3 15/03/2024 AL -20.
struct OperationsTab : test::OpenedBudget {
    Grid& grid = child<Grid>("grOperations");
    OperationsTab() : OpenedBudget(test::sampleBudget(), kOngletOperations) {}
    const std::vector<TOperation>& operations() { return budget().Operations; }
    // The rows' backgrounds, and those of their months as the settings give them.
    std::pair<QList<QColor>, QList<QColor>> backgrounds() {
        std::pair<QList<QColor>, QList<QColor>> shownAndMonths;
        for (int row = 0; row < grid.model()->rowCount(); ++row) {
            shownAndMonths.first
                << grid.model()->index(row, 1).data(Qt::BackgroundRole).value<QColor>();
            const int month = std::stoi(operations()[row].cDate.substr(3, 2));
            const TParam& param = budget().Param;
            shownAndMonths.second << qColor(month % 2 ? param.nCoulGrilleOpMsImp
                                                      : param.nCoulGrilleOpMsPai);
        }
        return shownAndMonths;
    }
};

}  // namespace

// The types, operations and daily pages as the user edits them.
class EditingPagesTest : public QObject {
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
        for (const TOperation& o : tab.budget().Operations)
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

    void ticksChangeOnlyTheMarkAndItsColour() {
        OperationsTab tab;
        const QRect box = tab.grid.visualRect(tab.grid.model()->index(1, 0));
        QTest::mouseClick(tab.grid.viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(tab.operations()[1].nSelect, 0);
        QCOMPARE(tab.grid.model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(),
                 qColor(tab.budget().Param.nCoulGrilleOpOpDec));
        QCOMPARE(columnTexts(tab.grid, 6), (QStringList{"-40,00", "1460,00", "1440,00"}));
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
        QCOMPARE(columnTexts(tab.grid, 2), (QStringList{"28/02/2024", "02/03/2024", "15/03/2024"}));
        QCOMPARE(cellText(tab.grid, 4, 2), QStringLiteral("1500,00"));
    }

    void aMovedOperationIsFollowedAtTheNextMove() {
        OperationsTab tab;
        typeInCell(tab.grid, 2, 1, "20/03/2024");
        QCOMPARE(columnTexts(tab.grid, 2), (QStringList{"02/03/2024", "15/03/2024", "20/03/2024"}));
        QCOMPARE(columnTexts(tab.grid, 6), (QStringList{"1500,00", "1480,00", "1440,00"}));
        // The rows it passed keep their months' colours, and it takes that of its new month.
        auto [shown, months] = tab.backgrounds();
        QCOMPARE(shown, months);
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

        typeInCell(tab.grid, 2, 3, "20/02/2024");
        QCOMPARE(cellText(tab.grid, 2, 1), QStringLiteral("20/02/2024"));
        std::tie(shown, months) = tab.backgrounds();
        QCOMPARE(shown, months);
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
        QCOMPARE(tab.onDisk().Operations, tab.budget().Operations);
    }

    void typesAreAddedOnceCompleteAndDeletedWhenUnused() {
        test::OpenedBudget tab(test::budgetDeMai(), kOngletTypesDep);
        Grid& grid = tab.child<Grid>("grTypesDep");
        tab.press("btAjouter");
        tab.press("btAjouter");  // the new row has no code yet
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{6});
        QCOMPARE(grid.currentCell(), (Grid::Cell{1, 6}));
        QCOMPARE(tab.window->focusWidget(), &grid);
        typeInCell(grid, 1, 6, "zz");
        tab.press("btAjouter");
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{7});

        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grTypesDep", 1);  // AL is in use
        QCOMPARE(tab.prompter.boxes.at(0).text, QStringLiteral("Supprimer le type de dépense ?"));
        QCOMPARE(tab.prompter.boxes.at(0).defaultAnswer, Prompter::Answer::No);
        QCOMPARE(tab.prompter.boxes.at(1).caption, QStringLiteral("Suppression impossible"));
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{7});
        tab.prompter.answerNext(Prompter::Answer::No);
        tab.deleteFrom("grTypesDep", 4);
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{7});
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grTypesDep", 4);  // SA, of no operation
        QCOMPARE(tab.budget().TypesDep[3].cTypeDep, std::string("TE"));
        QCOMPARE(grid.rows(), 6);

        // Without the keyboard in the grid, nothing is asked.
        tab.child<QTabWidget>("pcVarnelle").setFocus();
        tab.press("btSupprimer");
        QCOMPARE(tab.prompter.boxes.size(), std::size_t{4});
        QCOMPARE(tab.prompter.unexpectedQuestions, 0);
    }

    void operationsAreAddedOneOrSeveralAtADate() {
        test::OpenedBudget tab(test::budgetDeMai(), kOngletOperations);
        Grid& grid = tab.child<Grid>("grOperations");
        test::onNextModal<QDialog>([](QDialog& dialog) {
            test::click(dialog, "rbPlusieurs");
            dialog.findChild<QLineEdit*>("edDateAjt")->setText("10/05/2024");
            test::click(dialog, "btOK");  // AL, LO and TE are ticked
        });
        tab.press("btAjouter");
        QCOMPARE(columnTexts(grid, 2), (QStringList{"02/05/2023", "03/05/2024", "10/05/2024",
                                                    "10/05/2024", "10/05/2024", "15/06/2024"}));
        QCOMPARE(tab.budget().TypesDep[0].nSolde, -40);
        QCOMPARE(tab.budget().TypesDep[2].nSolde, -500);
        QCOMPARE(cellText(grid, 6, 6), QStringLiteral("-588,00"));

        test::onNextModal<QDialog>(
            [](QDialog& dialog) { test::click(dialog, "btOK"); });  // one empty
        tab.press("btAjouter");
        QCOMPARE(grid.rows(), 7);
        QCOMPARE(grid.currentCell(), (Grid::Cell{1, 7}));
        tab.press("btAjouter");  // no dialog: the new operation has no date yet
        QCOMPARE(grid.rows(), 7);
        QCOMPARE(tab.prompter.unexpectedQuestions, 0);
    }

    void operationsAreDeletedOneOrAMonthAtATime() {
        Budget budget = test::budgetDeMai();
        budget.Operations.push_back(operation("03/03/2025", "AL", -5));
        test::OpenedBudget tab(budget, kOngletOperations);
        const auto chooseCurrent = [](QDialog& dialog) { test::click(dialog, "btOK"); };
        test::onNextModal<QDialog>(chooseCurrent);
        tab.prompter.answerNext(Prompter::Answer::No);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.budget().Operations.size(), std::size_t{4});

        test::onNextModal<QDialog>(chooseCurrent);
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer l'opération ?"));
        QCOMPARE(tab.budget().Operations.front().cDate, std::string("03/05/2024"));
        QCOMPARE(tab.budget().TypesDep[0].nSolde, -5);

        test::onNextModal<QDialog>([](QDialog& dialog) {
            test::click(dialog, "rbOperationsDe");
            dialog.findChild<QComboBox*>("cbMois")->setCurrentIndex(4);
            auto* annees = dialog.findChild<QComboBox*>("cbAnnees");
            annees->setCurrentIndex(annees->findText("2024"));
            test::click(dialog, "btOK");
        });
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer les opérations ?"));
        QCOMPARE(columnTexts(tab.child<Grid>("grOperations"), 2),
                 (QStringList{"15/06/2024", "03/03/2025"}));
        QCOMPARE(tab.budget().Operations.back().nSolde, -14);
    }

    void theDailyTabKeepsItsTotalsEstimatesAndChart() {
        Budget budget = test::budgetDeMai();
        budget.TypesDep = {type("LO", -600, 0b000000100000), type("AS", -50), type("SA", 2000)};
        budget.DepJourn[0].nMontant = 20;
        budget.nResteDebMois = "100";
        test::OpenedBudget tab(budget, kOngletDepJourn);
        Grid& days = tab.child<Grid>("grDepJourn");
        auto& reste = tab.child<QLineEdit>("edResteDebMois");
        auto& actuel = tab.child<QLineEdit>("edResteCourMois");
        QCOMPARE(actuel.text(), QStringLiteral("80"));  // as loaded
        tab.child<QSpinBox>("edNbJoursMois").setValue(30);
        typeInCell(days, 2, 3, "40");
        typeInCell(days, 2, 4, "quatre");
        QCOMPARE(tab.prompter.beeps, 1);
        QCOMPARE(cellText(days, 3, 31), QStringLiteral("60"));
        reste.setText("800");
        QCOMPARE(actuel.text(), QStringLiteral("740"));
        reste.setText("8OO");
        QCOMPARE(actuel.text(), QString());

        tab.child<QLineEdit>("edSalaireMoyen").setText("1500");
        tab.press("btCalcDJResteMois");
        QCOMPARE(tab.child<QLineEdit>("edTotalDepMois").text(), QStringLiteral("100,00"));
        QCOMPARE(tab.child<QLineEdit>("edEstimResteMois").text(), QStringLiteral("800,00"));

        auto& chart = tab.child<DrawingSurface>("imgDepJourn");
        QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(5, chart.height() / 2));
        QCOMPARE(tab.prompter.beeps, 2);
        const double slot = (chart.width() - 20) / 30.0;
        QTest::mouseClick(&chart, Qt::LeftButton, {},
                          QPoint(static_cast<int>(10 + 14.5 * slot), chart.height() / 2));
        QCOMPARE(days.currentCell().row, 15);

        tab.press("btAjouter");
        QCOMPARE(tab.budget().Economies.size(), std::size_t{1});
        typeInCell(tab.child<Grid>("grEconomies"), 2, 1, "250");
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grEconomies", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer l'économie ?"));
        QVERIFY(tab.budget().Economies.empty());

        tab.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(tab.window->close());
        const Budget saved = tab.onDisk();
        QCOMPARE(saved.DepJourn[2].nMontant, 40);
        QCOMPARE(saved.cSalaireMoyen, std::string("1500"));
        QCOMPARE(saved.nResteDebMois, std::string("8OO"));
        QCOMPARE(saved.nNbJoursMois(), 30);
    }
};

QTEST_MAIN(EditingPagesTest)
#include "editing_pages_test.moc"
