#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "core/drawing/bar_chart.h"
#include "core/drawing/period_charts.h"
#include "core/model/date_text.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"
#include "render/drawing_replay.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::cellText;

namespace {

// The sample budget with 40 AL operations of 2023 before it and a second AL operation on
// 15/03/2024: 44 rows, the last two one bar.
Budget longBudget() {
    Budget budget = test::sampleBudget();
    budget.TypesDep[0].cLibelle = "Alimentation";
    std::vector<TOperation> operations;
    for (int i = 0; i < 40; ++i)
        operations.push_back(
            test::operation(dateText({1 + i % 28, 1 + i / 28 * 6, 2023}).c_str(), "AL", -1 - i));
    operations.insert(operations.end(), budget.Operations.begin(), budget.Operations.end());
    operations.push_back(test::operation("15/03/2024", "AL", -5));
    budget.Operations = operations;
    return budget;
}

struct Fenetre : test::OpenedBudget {
    TfmOperationsTypeDep fen{window->budget(), prompter};
    Grid& grid = fen.grOperationsTypeDep();
    DrawingSurface& chart = fen.imgOperationsTypeDep();
    Fenetre(std::string_view code, std::string_view deb, std::string_view fin,
            const std::vector<TOperation>* simulations = nullptr,
            const Budget& budget = longBudget())
        : OpenedBudget(budget) {
        fen.Initialise(code, deb, fin, 0, simulations);
        fen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fen));
    }
    // Clicks the chart at mid-height over bar `bar`.
    void clickBar(std::size_t bar) {
        const int y = chart.height() / 2;
        for (int x = 0; x < chart.width(); ++x)
            if (barreSousPoint(x, y, chart.width(), chart.height(), fen.listes().Groupes.size()) ==
                bar)
                return QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(x, y));
        QFAIL("no such bar");
    }
    double amount(int column, int row) {
        return cellText(grid, column, row).trimmed().replace(',', '.').toDouble();
    }
    QColor background(int row) {
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, 4));
        return grid.viewport()->grab().toImage().pixelColor(cell.right() - 2, cell.center().y());
    }
};

}  // namespace

class OperationsTypeDepWindowTest : public QObject {
    Q_OBJECT

private slots:
    void oneTypeWithItsCumulAndTheMainBalances() {
        Fenetre f("AL", kDateVide, kDateVide);
        QCOMPARE(f.fen.windowTitle(),
                 QStringLiteral("Détail du type de dépenses \"AL\" (Alimentation)"));
        QCOMPARE(f.fen.width(), 548);
        QCOMPARE(f.grid.rows(), 43);
        QVERIFY(!f.grid.isColumnHidden(5));
        QCOMPARE(cellText(f.grid, 4, 2), QStringLiteral("      -2,00"));
        QCOMPARE(cellText(f.grid, 6, 2), QStringLiteral("      -3,00"));
        QCOMPARE(f.amount(6, 43), -885.0);
        // Rows 41 and 43 are the main grid's 41 and 44: SA comes between.
        auto& main = f.child<Grid>("grOperations");
        QCOMPARE(cellText(f.grid, 7, 41).trimmed(), cellText(main, 6, 41));
        QCOMPARE(cellText(f.grid, 7, 43).trimmed(), cellText(main, 6, 44));

        Fenetre none("ZZ", kDateVide, kDateVide);
        QCOMPARE(none.fen.windowTitle(), QStringLiteral("Détail du type de dépenses \"ZZ\""));
        QCOMPARE(none.grid.rows(), 0);
        QTest::mouseClick(&none.chart, Qt::LeftButton, {}, none.chart.rect().center());
        QCOMPARE(none.prompter.beeps, 1);
    }

    void everyTypeBetweenTwoDatesThenSimulatedLines() {
        std::vector<TOperation> simulations(3);
        for (std::size_t k = 0; k < 3; ++k) {
            simulations[k].cDate = "30/03/2024";
            simulations[k].nMontant = 10.0L * static_cast<Montant>(k + 1);
        }
        Fenetre f("", "01/01/2024", "2/3/2024", &simulations, test::sampleBudget());
        QCOMPARE(f.fen.windowTitle(),
                 QStringLiteral("Détail des opérations du 01/01/2024 au 2/3/2024"));
        QCOMPARE(f.fen.width(), 484);
        QVERIFY(f.grid.isColumnHidden(5));
        QCOMPARE(f.grid.rows(), 6);  // an invalid end is an open bound
        QCOMPARE(cellText(f.grid, 3, 2), QStringLiteral("SA"));
        const TParam& param = f.window->budget().Param;
        QCOMPARE(f.background(3), qColor(param.nCoulGrilleFDFond));
        for (int row = 4; row <= 6; ++row) {
            QCOMPARE(f.background(row), qColor(param.nCoulGrilleFDSimul));
            QCOMPARE(cellText(f.grid, 3, row), QStringLiteral("sim %1").arg(row - 3));
            QCOMPARE(f.grid.model()->index(row - 1, 0).data(Qt::CheckStateRole).toInt(),
                     int(Qt::PartiallyChecked));
            QCOMPARE(f.amount(7, row), f.amount(7, row - 1) + 10 * (row - 3));
        }
    }

    void aBarSelectsItsRowsAndOutsideThePlotBeeps() {
        Fenetre f("", kDateVide, kDateVide);
        f.clickBar(42);
        QCOMPARE(f.grid.selectedRows(), (std::vector<int>{43, 44}));
        QVERIFY(
            f.grid.viewport()->rect().contains(f.grid.visualRect(f.grid.model()->index(43, 1))));
        f.clickBar(0);
        QCOMPARE(f.grid.selectedRows(), std::vector<int>{1});
        QTest::mouseClick(&f.chart, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(f.prompter.beeps, 1);
        QCOMPARE(f.grid.selectedRows(), std::vector<int>{1});
    }

    void standsAgainstTheScreenEdgeAndFollowsItsSize() {
        Fenetre f("AL", kDateVide, kDateVide);
        // The frame, not only the inside, fits the screen's available height.
        const QRect screen = f.fen.screen()->availableGeometry();
        QVERIFY(f.fen.frameGeometry().height() > f.fen.height());
        QCOMPARE(f.fen.frameGeometry().height(), screen.height());
        QCOMPARE(f.grid.height(), f.fen.height() / 3);
        QCOMPARE(f.fen.frameGeometry().topRight(), screen.topRight());

        f.fen.resize(700, 400);
        QTest::qWait(20);
        auto* btFermer = f.fen.findChild<QPushButton*>("btFermer");
        QCOMPARE(btFermer->geometry().right() + 1, f.fen.frameGeometry().width() - 16);
        QImage expected(f.chart.size(), QImage::Format_RGB32);
        const QFont font = surfaceFont();
        replayDrawing(DessineGrapheOperationsTypeDep(expected.width(), expected.height(),
                                                     FontMetrics(font), f.fen.listes().Groupes,
                                                     f.window->budget().Param),
                      expected, font);
        QCOMPARE(f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    }

    void theCodeButtonOfTheTypesGridOpensIt() {
        Budget budget = test::sampleBudget();
        budget.TypesDep.push_back(test::type("ZZ", -5));  // no operation of its own
        test::OpenedBudget opened(budget);
        opened.choose("pcVarnelle", kOngletTypesDep);
        std::vector<int> rows;
        for (int row : {1, 3}) {
            test::onNextModal<TfmOperationsTypeDep>([&rows](TfmOperationsTypeDep& w) {
                rows.push_back(w.grOperationsTypeDep().rows());
            });
            test::clickCellButton(opened.child<Grid>("grTypesDep"), 1, row);
        }
        QCOMPARE(rows, (std::vector<int>{2, 0}));
    }
};

QTEST_MAIN(OperationsTypeDepWindowTest)
#include "operations_type_dep_window_test.moc"
