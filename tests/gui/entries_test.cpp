#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "opened_budget.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;
using test::operation;
using test::type;
using test::typeInCell;

namespace {

// Runs `act` on the next modal dialog, once it shows; a dialog a failed check left open is
// closed, so that the test fails instead of hanging.
template <class Act> void onNextDialog(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// Near the left edge, where a radio button's circle is.
void click(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Types AL (all year), EL (May, due), EA (May, already booked in May 2024), TV (not May).
Budget mai() {
    Budget budget;
    budget.TypesDep = {type("AL", -20), type("EA", -35, 0b000010000000),
                       type("EL", -60, 0b000010000000), type("TV", -10, 0b100000000000)};
    budget.Operations = {operation("28/04/2024", "AL", -40), operation("02/05/2024", "EA", -35),
                         operation("15/05/2024", "SA", 1500)};
    return budget;
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
        Tab tab(mai(), kOngletTypesDep);
        Grid& grid = tab.child<Grid>("grTypesDep");
        tab.press("btAjouter");
        tab.press("btAjouter");  // the new row has no code yet
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{5});
        QCOMPARE(grid.currentCell(), (Grid::Cell{1, 5}));
        QCOMPARE(tab.window->focusWidget(), &grid);
        typeInCell(grid, 1, 5, "zz");
        tab.press("btAjouter");
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{6});

        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grTypesDep", 1);  // AL is in use
        QCOMPARE(tab.prompter.boxes.at(0).text, QStringLiteral("Supprimer le type de dépense ?"));
        QCOMPARE(tab.prompter.boxes.at(0).defaultAnswer, Prompter::Answer::No);
        QCOMPARE(tab.prompter.boxes.at(1).caption, QStringLiteral("Suppression impossible"));
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{6});
        tab.prompter.answerNext(Prompter::Answer::No);
        tab.deleteFrom("grTypesDep", 4);
        QCOMPARE(tab.budget().TypesDep.size(), std::size_t{6});
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grTypesDep", 4);
        QCOMPARE(tab.budget().TypesDep[3].cTypeDep, std::string("ZZ"));
        QCOMPARE(grid.rows(), 5);

        // Without the keyboard in the grid, nothing is asked.
        tab.child<QTabWidget>("pcVarnelle").setFocus();
        tab.press("btSupprimer");
        QCOMPARE(tab.prompter.boxes.size(), std::size_t{4});
        QCOMPARE(tab.prompter.unexpectedQuestions, 0);
    }

    void operationsAreAddedOneOrSeveralAtADate() {
        Tab tab(mai(), kOngletOperations);
        Grid& grid = tab.child<Grid>("grOperations");
        onNextDialog([](QDialog& dialog) {
            click(dialog, "rbPlusieurs");
            auto* date = dialog.findChild<QLineEdit*>("edDateAjt");
            date->setText("10/05/2024");
            auto* types = dialog.findChild<QListWidget*>("lbTypesDep");
            QCOMPARE(types->item(0)->checkState(), Qt::Checked);    // AL, all year
            QCOMPARE(types->item(1)->checkState(), Qt::Unchecked);  // EA, booked in May
            QCOMPARE(types->item(2)->checkState(), Qt::Checked);    // EL, due in May
            QCOMPARE(types->item(3)->checkState(), Qt::Unchecked);  // TV, not due
            click(dialog, "btOK");
        });
        tab.press("btAjouter");
        QCOMPARE(grid.rows(), 5);
        QCOMPARE(tab.column(grid, 2), (QStringList{"28/04/2024", "02/05/2024", "10/05/2024",
                                                   "10/05/2024", "15/05/2024"}));
        QCOMPARE(tab.budget().TypesDep[0].nSolde, -60);
        QCOMPARE(tab.budget().TypesDep[2].nSolde, -60);
        QCOMPARE(cellText(grid, 6, 5), QStringLiteral("1345,00"));

        onNextDialog([](QDialog& dialog) { click(dialog, "btOK"); });  // one empty operation
        tab.press("btAjouter");
        QCOMPARE(grid.rows(), 6);
        QCOMPARE(grid.currentCell(), (Grid::Cell{1, 6}));
        tab.press("btAjouter");  // no dialog: the new operation has no date yet
        QCOMPARE(grid.rows(), 6);
        QCOMPARE(tab.prompter.unexpectedQuestions, 0);
    }

    void operationsAreDeletedOneOrAMonthAtATime() {
        Budget budget = mai();
        budget.Operations.push_back(operation("03/03/2025", "AL", -5));
        Tab tab(budget, kOngletOperations);
        const auto chooseCurrent = [](QDialog& dialog) { click(dialog, "btOK"); };
        onNextDialog(chooseCurrent);
        tab.prompter.answerNext(Prompter::Answer::No);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.budget().Operations.size(), std::size_t{4});

        onNextDialog(chooseCurrent);
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer l'opération ?"));
        QCOMPARE(tab.budget().Operations.front().cDate, std::string("02/05/2024"));
        QCOMPARE(tab.budget().TypesDep[0].nSolde, -5);

        onNextDialog([](QDialog& dialog) {
            click(dialog, "rbOperationsDe");
            dialog.findChild<QComboBox*>("cbMois")->setCurrentIndex(4);
            auto* annees = dialog.findChild<QComboBox*>("cbAnnees");
            annees->setCurrentIndex(annees->findText("2024"));
            click(dialog, "btOK");
        });
        tab.prompter.answerNext(Prompter::Answer::Yes);
        tab.deleteFrom("grOperations", 1);
        QCOMPARE(tab.prompter.boxes.back().text, QStringLiteral("Supprimer les opérations ?"));
        QCOMPARE(tab.budget().Operations.size(), std::size_t{1});
        QCOMPARE(tab.child<Grid>("grOperations").rows(), 1);
        QCOMPARE(tab.budget().Operations[0].nSolde, -5);
    }

    void theDailyTabKeepsItsTotalsEstimatesAndChart() {
        Budget budget = mai();
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
        QCOMPARE(tab.child<QLineEdit>("edResteMois").text(), QStringLiteral("1400,00"));
        QCOMPARE(tab.child<QLineEdit>("edEstimDepJournMois").text(), QStringLiteral("600,00"));
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
