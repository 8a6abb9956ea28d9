#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;
using test::operation;
using test::type;
using test::typeInCell;

namespace {

// Near the left edge, where a radio button's circle is.
void click(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

struct Tab : test::OpenedBudget {
    explicit Tab(const Budget& budget, int onglet) : OpenedBudget(budget) {
        choose("pcVarnelle", onglet);
    }
    const Budget& budget() { return window->budget(); }
    static QStringList column(const Grid& grid, int c) {
        QStringList texts;
        for (int row = 1; row <= grid.rows(); ++row) texts << cellText(grid, c, row);
        return texts;
    }
    void press(const char* button) {
        QTest::mouseClick(&child<QPushButton>(button), Qt::LeftButton);
    }
    // "Supprimer" acts on the grid that has the keyboard.
    void deleteFrom(const char* grid, int row) {
        child<Grid>(grid).setCurrentCell({1, row});
        child<Grid>(grid).setFocus();
        press("btSupprimer");
    }
};

}  // namespace

class EntriesTest : public QObject {
    Q_OBJECT

private slots:
    void typesAreAddedOnceCompleteAndDeletedWhenUnused() {
        Tab tab(test::budgetDeMai(), kOngletTypesDep);
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
        Tab tab(test::budgetDeMai(), kOngletOperations);
        Grid& grid = tab.child<Grid>("grOperations");
        test::onNextModal<QDialog>([](QDialog& dialog) {
            click(dialog, "rbPlusieurs");
            dialog.findChild<QLineEdit*>("edDateAjt")->setText("10/05/2024");
            click(dialog, "btOK");  // AL, LO and TE are ticked
        });
        tab.press("btAjouter");
        QCOMPARE(tab.column(grid, 2), (QStringList{"02/05/2023", "03/05/2024", "10/05/2024",
                                                   "10/05/2024", "10/05/2024", "15/06/2024"}));
        QCOMPARE(tab.budget().TypesDep[0].nSolde, -40);
        QCOMPARE(tab.budget().TypesDep[2].nSolde, -500);
        QCOMPARE(cellText(grid, 6, 6), QStringLiteral("-588,00"));

        test::onNextModal<QDialog>([](QDialog& dialog) { click(dialog, "btOK"); });  // one empty
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
        Tab tab(budget, kOngletOperations);
        const auto chooseCurrent = [](QDialog& dialog) { click(dialog, "btOK"); };
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
            click(dialog, "rbOperationsDe");
            dialog.findChild<QComboBox*>("cbMois")->setCurrentIndex(4);
            auto* annees = dialog.findChild<QComboBox*>("cbAnnees");
            annees->setCurrentIndex(annees->findText("2024"));
            click(dialog, "btOK");
        });
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer les opérations ?"));
        QCOMPARE(tab.column(tab.child<Grid>("grOperations"), 2),
                 (QStringList{"15/06/2024", "03/03/2025"}));
        QCOMPARE(tab.budget().Operations.back().nSolde, -14);
    }

    void theDailyTabKeepsItsTotalsEstimatesAndChart() {
        Budget budget = test::budgetDeMai();
        budget.TypesDep = {type("LO", -600, 0b000000100000), type("AS", -50), type("SA", 2000)};
        budget.DepJourn[0].nMontant = 20;
        budget.nResteDebMois = "100";
        Tab tab(budget, kOngletDepJourn);
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

QTEST_MAIN(EntriesTest)
#include "entries_test.moc"
