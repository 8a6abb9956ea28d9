#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "core/drawing/bar_chart.h"
#include "core/drawing/period_charts.h"
#include "core/model/date_text.h"
#include "gui/statistics/arbo_operations_page.h"
#include "gui/statistics/calend_op_page.h"
#include "gui/statistics/calend_op_select_dates_dialog.h"
#include "gui/statistics/classeur_page.h"
#include "gui/statistics/graphes_page.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/recap_select_types_dep_dialog.h"
#include "gui/statistics/recap_types_dep_page.h"
#include "gui/statistics/soldes_mensuels_page.h"
#include "gui/toolkit/check_list.h"
#include "gui/toolkit/drawing_surface.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/tree.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"
#include "render/drawing_replay.h"

using namespace varnelle;
using namespace varnelle::gui;
using test::operation;
using Box = RecordingPrompter::Box;
using test::cellText;

namespace {

// December 2023 before the sample's 28/02, 02/03 and 15/03/2024.
Budget deuxAnnees() {
    Budget budget = test::sampleBudget();
    budget.Operations.insert(budget.Operations.begin(), operation("10/12/2023", "AL", -10));
    return budget;
}

// The main window on its graphs page, as the user reaches it.
struct Graphes {
    test::OpenedBudget opened;
    GraphesPage& page;

    explicit Graphes(const Budget& budget = deuxAnnees())
        : opened(budget, kOngletStats), page(opened.child<GraphesPage>("tsGraphes")) {}

    QLineEdit& champ(const char* name) { return opened.child<QLineEdit>(name); }
    QComboBox& liste(const char* name) { return opened.child<QComboBox>(name); }
    void clique(const char* bouton) { opened.press(bouton); }
    // Types the digits of a date into a masked field from its start, as the user does.
    void saisit(const char* name, const char* chiffres) {
        QLineEdit& ed = champ(name);
        ed.clear();
        ed.setFocus();
        ed.home(false);
        QTest::keyClicks(&ed, chiffres);
    }
    void dessine(int graphe, const char* debut, const char* fin) {
        opened.choose("pcGraphes", graphe);
        saisit("edDateDeb", debut);
        saisit("edDateFin", fin);
        clique("btDessinerGraphe");
    }
    QStringList erreurs() {
        QStringList textes;
        for (const Box& box : opened.prompter.boxes) textes << box.text;
        opened.prompter.boxes.clear();
        return textes;
    }
    void choisitMois(int mois, const char* annee) {
        liste("cbMois").setCurrentIndex(mois - 1);
        liste("cbAnnees").setCurrentText(QString::fromLatin1(annee));
    }
    QString periode() { return champ("edDateDeb").text() + " " + champ("edDateFin").text(); }
};

const QString kAucune = QStringLiteral("Aucune opération dans l'intervalle de dates.");

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

// Where the user clicks a cell of a grid, or a heading (row 0), in the widget that shows it.
struct Endroit {
    QWidget* widget;
    QPoint point;
};

Endroit endroit(Grid& grid, int column, int row) {
    grid.scrollToCell({column, std::max(row, 1)});
    if (row == 0) {
        QHeaderView& headings = *grid.horizontalHeader();
        return {headings.viewport(),
                QPoint(headings.sectionViewportPosition(column - 1) + 5, headings.height() / 2)};
    }
    return {grid.viewport(), grid.visualRect(grid.model()->index(row - 1, column - 1)).center()};
}

void clicDroit(Grid& grid, int column, int row) {
    const Endroit e = endroit(grid, column, row);
    QTest::mouseClick(e.widget, Qt::RightButton, {}, e.point);
}

// Double-clicks the cell (QTest's double click comes without its first click).
void doubleClic(Grid& grid, int column, int row) {
    const Endroit e = endroit(grid, column, row);
    QTest::mouseClick(e.widget, Qt::LeftButton, {}, e.point);
    QTest::mouseDClick(e.widget, Qt::LeftButton, {}, e.point);
}

// The caption and row count of the window the double click opens.
QString ouvre(Grid& grid, int column, int row) {
    QString vu;
    test::onNextModal<TfmOperationsTypeDep>([&vu](TfmOperationsTypeDep& fen) {
        vu = fen.windowTitle() + " " + QString::number(fen.listes().Lignes.size());
    });
    doubleClic(grid, column, row);
    return vu;
}

void cliqueEnteteFixe(Grid& grid) {
    QTest::mouseClick(grid.findChild<QWidget*>("gridFixedHeading"), Qt::LeftButton);
}

}  // namespace

// The graphs page and the operations window it opens.
class StatisticsPagesTest : public QObject {
    Q_OBJECT

private slots:
    void theMonthControlsStandInsideTheirFrame() {
        Graphes g;
        // Below the group's title, on no line of its frame.
        auto& gb = g.opened.child<QGroupBox>("gbMoisComplet");
        QStyleOptionGroupBox option;
        option.initFrom(&gb);
        option.text = gb.title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect frame =
            gb.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &gb);
        for (const char* name :
             {"cbMois", "cbAnnees", "btAppliquerDates", "btMoisPrec", "btMoisSuiv"})
            QVERIFY(
                frame.adjusted(1, 1, -1, -1).contains(g.opened.child<QWidget>(name).geometry()));
    }

    void eachGraphIsDrawnForItsOwnPeriodOrSaysWhyNot() {
        Graphes g;
        // From 01/03/2024: AL -20 and SA 1500, AL first, in the odd colour under the line.
        g.dessine(GraphesPage::kGrapheTypesDep, "01032024", "");
        QVERIFY(g.page.lGrapheTDDessine());
        DrawingSurface& surface = g.opened.child<DrawingSurface>("imgTypesDep");
        const QImage image = surface.grab().toImage();
        const int y0 = (surface.height() - 20) / 2 + 10;
        const int pas = (surface.width() - 20) / 2;
        const TParam& p = g.opened.window->budget().Param;
        QCOMPARE(QColor(image.pixel(12, y0 + 2)), qColor(p.nCoulGrapheTDTyImp));
        QCOMPARE(QColor(image.pixel(pas + 12, y0 - 20)), qColor(p.nCoulGrapheTDTyPai));
        QCOMPARE(QColor(image.pixel(pas + 12, 5)), qColor(p.nCoulGrapheTDFon));
        QCOMPARE(surface.accessibleDescription(),
                 QStringLiteral("Du 01/03/2024 jusqu'à la fin : 2 types, total 1480,00"));

        // The operations graph needs two days; one day alone is nothing to draw.
        g.dessine(GraphesPage::kGrapheOperations, "02032024", "02032024");
        QCOMPARE(g.erreurs(), QStringList{kAucune});
        QVERIFY(!g.page.lGrapheOpDessine());
        g.dessine(GraphesPage::kGrapheOperations, "01032024", "");
        QVERIFY(g.page.lGrapheOpDessine() && g.erreurs().isEmpty());

        // End before start: nothing changes.
        g.dessine(GraphesPage::kGrapheTypesDep, "16032024", "01032024");
        QCOMPARE(g.erreurs(), QStringList{"Date Initiale > Date Finale."});
        QVERIFY(g.page.lGrapheTDDessine());
        // An empty period stops the automatic redrawing of that graph only.
        g.dessine(GraphesPage::kGrapheTypesDep, "16032024", "");
        QCOMPARE(g.erreurs(), QStringList{kAucune});
        QVERIFY(!g.page.lGrapheTDDessine() && g.page.lGrapheOpDessine());
        // Nor does the user's resizing redraw it: the grown part shows the page's colour.
        const QColor fond = surface.palette().color(QPalette::Window);
        QVERIFY(fond != qColor(p.nCoulGrapheTDFon));
        const int largeur = surface.width();
        g.opened.window->resize(g.opened.window->width() + 60, g.opened.window->height());
        QTRY_COMPARE(surface.width(), largeur + 60);
        QCOMPARE(QColor(surface.grab().toImage().pixel(largeur + 30, 5)), fond);
        QVERIFY(g.erreurs().isEmpty());
        // A partly typed date is an open bound.
        g.dessine(GraphesPage::kGrapheTypesDep, "16", "");
        QVERIFY(g.page.lGrapheTDDessine() && g.erreurs().isEmpty());
    }

    void wholeMonthsAreAppliedAndSteppedWithinTheListedYears() {
        Graphes g;
        // The current operation is the last one, of March 2024.
        QCOMPARE(g.liste("cbMois").currentIndex(), 2);
        QCOMPARE(g.liste("cbMois").count(), 12);
        QCOMPARE(g.liste("cbAnnees").count(), 2);
        QCOMPARE(g.liste("cbAnnees").currentText(), QStringLiteral("2024"));

        g.choisitMois(2, "2024");
        g.clique("btAppliquerDates");
        QCOMPARE(g.periode(), QStringLiteral("01/02/2024 29/02/2024"));
        QVERIFY(g.page.lGrapheTDDessine());
        g.choisitMois(2, "2023");
        g.clique("btAppliquerDates");
        QCOMPARE(g.periode(), QStringLiteral("01/02/2023 28/02/2023"));
        QCOMPARE(g.erreurs(), QStringList{kAucune});

        g.choisitMois(1, "2024");
        g.clique("btMoisPrec");
        QCOMPARE(g.periode(), QStringLiteral("01/12/2023 31/12/2023"));
        QVERIFY(g.page.lGrapheTDDessine());
        g.choisitMois(1, "2023");
        g.clique("btMoisPrec");
        g.choisitMois(12, "2024");
        g.clique("btMoisSuiv");
        QCOMPARE(g.opened.prompter.beeps, 2);
        QCOMPARE(g.periode(), QStringLiteral("01/12/2023 31/12/2023"));
    }

    void withoutOperationsTodaysMonthIsTheOnlyChoice() {
        Graphes g{Budget{}};
        const QDate today = QDate::currentDate();
        QCOMPARE(g.liste("cbMois").currentIndex(), today.month() - 1);
        QCOMPARE(g.liste("cbAnnees").count(), 1);
        QCOMPARE(g.liste("cbAnnees").currentText(), QString::number(today.year()));
    }

    void calendarButtonsRefuseAPartlyTypedDateAndFillThePickedOne() {
        Graphes g;
        g.saisit("edDateDeb", "12");
        g.clique("btDateDeb");
        QCOMPARE(g.erreurs(), QStringList{"'12/  /    ' n'est pas une date correcte"});
        g.saisit("edDateFin", "05032024");
        test::onNextModal([](QWidget& picker) {
            QTest::mouseClick(picker.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        });
        g.clique("btDateFin");
        QCOMPARE(g.champ("edDateFin").text(), QStringLiteral("05/03/2024"));
    }

    void doubleClicksOpenTheOperationsWindowOnWhatIsUnderThePointer() {
        Graphes g;
        DrawingSurface& types = g.opened.child<DrawingSurface>("imgTypesDep");
        // Before any drawing nothing happens, not even a beep.
        QTest::mouseDClick(&types, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(g.opened.prompter.beeps, 0);

        const auto ouvre = [](DrawingSurface& surface, QPoint point) {
            QString titre;
            test::onNextModal<TfmOperationsTypeDep>(
                [&titre](QWidget& fenetre) { titre = fenetre.windowTitle(); });
            QTest::mouseDClick(&surface, Qt::LeftButton, {}, point);
            return titre;
        };
        g.dessine(GraphesPage::kGrapheTypesDep, "01032024", "");
        QCOMPARE(ouvre(types, QPoint(types.width() - 20, types.height() / 2)),
                 QStringLiteral("Détail du type de dépenses \"SA\" (Type)"));
        QTest::mouseDClick(&types, Qt::LeftButton, {}, QPoint(types.width() - 10, 20));
        QCOMPARE(g.opened.prompter.beeps, 1);

        // 02/03 to 15/03: the middle of the graph lies between the two operation days.
        g.dessine(GraphesPage::kGrapheOperations, "01032024", "");
        DrawingSurface& operations = g.opened.child<DrawingSurface>("imgOperations");
        QCOMPARE(ouvre(operations, QPoint(operations.width() / 2, operations.height() / 2)),
                 QStringLiteral("Détail des opérations du 02/03/2024 au 15/03/2024"));
    }

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

    // December 2023, then February and March 2024, the month of the current operation.
    void monthlyBalancesTickTheCurrentYearAndTheGraphLeadsToItsMonths() {
        test::OpenedBudget opened(deuxAnnees(), kOngletStats);
        opened.choose("pcStats", kStatsSoldesMensuels);
        auto& page = opened.child<SoldesMensuelsPage>("tsSoldesMensuels");
        Tree& tree = page.tvSoldesMensuels();
        QCOMPARE(page.arbre().noeuds.size(), std::size_t{5});
        QCOMPARE(tree.currentNode(), 4);
        QCOMPARE(page.soldesMensuels().size(), std::size_t{2});
        auto& surface = opened.child<DrawingSurface>("imgSoldesMensuels");
        QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(20, surface.height() / 2));
        QCOMPARE(tree.currentNode(), 3);
        QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(opened.prompter.beeps, 1);
        // Space on 2024 unticks it with its months, and walks on to February.
        tree.selectNode(2);
        QTest::keyClick(&tree, Qt::Key_Space);
        QVERIFY(page.soldesMensuels().empty());
        QCOMPARE(tree.currentNode(), 3);
    }

    // Ticked from March 2024, with no amount yet: nothing counts until one is typed.
    void aSimulationTypedInItsGridChangesTheBalancesAtOnceAndIsUndone() {
        Budget budget = deuxAnnees();
        budget.Simulations = {{1, "Pr\xEAt", "01/03/2024", "", 0}};
        test::OpenedBudget opened(budget, kOngletStats);
        opened.choose("pcStats", kStatsSoldesMensuels);
        auto& page = opened.child<SoldesMensuelsPage>("tsSoldesMensuels");
        Grid& grid = page.grSimulations();
        test::typeInCell(grid, 5, 1, "0");
        test::typeInCell(grid, 3, 1, "01/03/24");
        QCOMPARE(opened.budget().Simulations[0], budget.Simulations[0]);
        test::typeInCell(grid, 5, 1, "-150");
        const TInfoNoeudSoldesMensuels& mars = page.arbre().infos[4];
        QVERIFY(mars.lSimule && !page.arbre().infos[3].lSimule);
        QCOMPARE(mars.nSoldeAff, mars.nSoldeRef - 150);
        // March's detail: its two operations, then the simulation's line.
        auto& surface = opened.child<DrawingSurface>("imgSoldesMensuels");
        QString titre;
        int lignes = 0;
        test::onNextModal<TfmOperationsTypeDep>([&](TfmOperationsTypeDep& fenetre) {
            titre = fenetre.windowTitle();
            lignes = fenetre.grOperationsTypeDep().rows();
        });
        QTest::mouseDClick(&surface, Qt::LeftButton, {},
                           QPoint(surface.width() - 20, surface.height() / 2));
        QCOMPARE(titre, QStringLiteral("Détail des opérations du 01/03/2024 au 15/03/2024"));
        QCOMPARE(lignes, 3);
        // A right click shows the balances without simulations; the page's tree keeps its own.
        Tree& tree = page.tvSoldesMensuels();
        QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.nodeRect(4).center());
        QVERIFY(page.fenetreReference() != nullptr);
        const auto texte = [](Tree& t) { return t.treeModel().indexOf(4).data().toString(); };
        QVERIFY(texte(*page.fenetreReference()->findChild<Tree*>()).startsWith("Mars "));
        QVERIFY(texte(tree).startsWith("MARS "));
        page.reconstruit();
        QVERIFY(page.fenetreReference() == nullptr);
        QVERIFY(opened.window->annule());
        QCOMPARE(opened.budget().Simulations[0].nMontant, 0);
        QCOMPARE(page.arbre().infos[4].nSoldeAff, page.arbre().infos[4].nSoldeRef);
    }

    // A new simulation keeps the user on the page until it has a start date and an amount.
    void anIncompleteSimulationKeepsTheUserOnItsPage() {
        test::OpenedBudget opened(deuxAnnees(), kOngletStats);
        opened.choose("pcStats", kStatsSoldesMensuels);
        opened.press("btAjouter");
        Grid& grid = opened.child<SoldesMensuelsPage>("tsSoldesMensuels").grSimulations();
        test::typeInCell(grid, 3, 1, "01/03/2024");
        opened.choose("pcStats", kStatsGraphes);
        QCOMPARE(opened.tabs("pcStats").currentIndex(), int(kStatsSoldesMensuels));
        test::typeInCell(grid, 5, 1, "12,5");
        opened.choose("pcStats", kStatsGraphes);
        QCOMPARE(opened.tabs("pcStats").currentIndex(), int(kStatsGraphes));
    }

    // 2023 (December), 2024 (February, March): March, the current operation's month, in front.
    void theOperationsTreeShowsTheDetailOfEachLevel() {
        test::OpenedBudget opened(deuxAnnees(), kOngletStats);
        opened.choose("pcStats", kStatsArboOperations);
        auto& page = opened.child<ArboOperationsPage>("tsArboOperations");
        Tree& tree = page.tvOperations();
        Grid& grid = page.grDetailOperations();
        QCOMPARE(tree.currentNode(), 6);  // 2023, Dec, AL, 2024, Feb, AL, Mar
        QCOMPARE(opened.window->windowTitle(),
                 QStringLiteral("[*]Vue arbrorescente des opérations (Mars 2024)"));
        QCOMPARE(test::columnTexts(grid, 3), (QStringList{"Type", "Type"}));  // SA then AL
        QVERIFY(grid.isColumnHidden(1));
        auto& surface = opened.child<DrawingSurface>("imgDetailOperations");
        QTest::mouseClick(&surface, Qt::LeftButton, {},
                          QPoint(surface.width() - 20, surface.height() / 2));
        QCOMPARE(grid.currentCell().row, 2);
        QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(opened.prompter.beeps, 1);
        tree.selectNode(8);  // AL of March: its one operation, with mark and date
        QCOMPARE(test::columnTexts(grid, 2), QStringList{"15/03/2024"});
        QVERIFY(!grid.isColumnHidden(1));
        QVERIFY(opened.window->windowTitle().endsWith("(Mars 2024 : Type)"));
    }

    // The binder opens on March 2024, the current operation's month, and follows an edit.
    void theBinderOpensOnTheCurrentMonthAndFollowsTheJournal() {
        test::OpenedBudget opened(deuxAnnees(), kOngletStats);
        opened.choose("pcStats", kStatsClasseurs);
        auto& page = opened.child<ClasseurPage>("tsClasseursOperations");
        QCOMPARE(page.annees().count(), 2);
        QCOMPARE(page.annees().tabText(page.annees().currentIndex()), QStringLiteral("2024"));
        QCOMPARE(page.mois().tabText(page.mois().currentIndex()), QStringLiteral("Mars"));
        QCOMPARE(test::columnTexts(page.grClasseur(), 6), (QStringList{"SA", "AL"}));
        auto& surface = opened.child<DrawingSurface>("imgClasseur");
        QCOMPARE(surface.accessibleDescription(),
                 QStringLiteral("Mars 2024 : 2 lignes, total 1480,00"));
        QTest::mouseClick(&surface, Qt::LeftButton, {},
                          QPoint(surface.width() - 20, surface.height() / 2));
        QCOMPARE(page.grClasseur().currentCell().row, 2);
        page.annees().setCurrentIndex(0);
        QCOMPARE(page.mois().tabText(0), QStringLiteral("Décembre"));
        QCOMPARE(page.detail().size(), std::size_t{1});

        // An operation of April, then the binder shown again: April has its tab.
        opened.choose("pcVarnelle", kOngletOperations);
        test::typeInCell(opened.child<Grid>("grOperations"), 2, 4, "05/04/2024");
        opened.choose("pcVarnelle", kOngletStats);
        QCOMPARE(page.mois().count(), 3);
    }

    // March 2023 to March 2024, the current operation in March 2023: that March opens.
    void theBinderOpensOnTheCurrentOperationsOwnMonth() {
        Budget budget = test::sampleBudget();
        budget.Operations.insert(budget.Operations.begin(),
                                 test::operation("05/03/2023", "AL", -1));
        test::OpenedBudget opened(budget, kOngletOperations);
        opened.child<Grid>("grOperations").setCurrentCell({2, 1});
        opened.choose("pcVarnelle", kOngletStats);
        opened.choose("pcStats", kStatsClasseurs);
        auto& page = opened.child<ClasseurPage>("tsClasseursOperations");
        QCOMPARE(page.annees().tabText(page.annees().currentIndex()), QStringLiteral("2023"));
        QCOMPARE(page.mois().tabText(page.mois().currentIndex()), QStringLiteral("Mars"));
    }

    // 2022, 2023 (no operation) and 2024; the cells switch, open their year, and the dialog
    // hides rows and columns until the next rebuild.
    void theRecapSwitchesItsCellsAndChoosesItsRowsAndYears() {
        Budget budget = test::sampleBudget();
        budget.Operations.insert(budget.Operations.begin(), operation("15/12/2022", "AL", -5));
        test::OpenedBudget opened(budget, kOngletStats);
        opened.choose("pcStats", kStatsRecapTypesDep);
        auto& page = opened.child<RecapTypesDepPage>("tsRecapTypesDep");
        Grid& grid = page.grRecapTypesDep();
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.gridModel().columns().back().heading, QStringLiteral("2024"));
        QCOMPARE(grid.model()->index(0, 3).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Février -40,00, Mars -20,00"));
        clicDroit(grid, 4, 1);
        QVERIFY(!page.recap().cellule(0, 3)->lGraphe);
        clicDroit(grid, 3, 1);
        QCOMPARE(opened.prompter.beeps, 1);
        QCOMPARE(ouvre(grid, 4, 1), QStringLiteral("Détail du type de dépenses \"AL\" (Type) 2"));
        doubleClic(grid, 3, 2);
        QCOMPARE(opened.prompter.beeps, 2);

        test::onNextModal<TfmRecapSelectTypesDep>([](TfmRecapSelectTypesDep& d) {
            auto& ok = *d.findChild<QPushButton*>("btOK");
            QTest::mouseClick(d.findChild<QPushButton*>("btAucune"), Qt::LeftButton);
            QVERIFY(!ok.isEnabled());
            d.lbTypesDep().item(1)->setCheckState(Qt::Checked);
            d.lbAnnees().item(0)->setCheckState(Qt::Unchecked);
            QVERIFY(ok.isEnabled());
            QTest::mouseClick(d.findChild<QToolButton*>("btGraphe"), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QToolButton*>("btGrille"), Qt::LeftButton);
            QTest::mouseClick(&ok, Qt::LeftButton);
        });
        cliqueEnteteFixe(grid);
        QVERIFY(!grid.rowVisible(1) && grid.rowVisible(2));
        QVERIFY(!grid.columnVisible(2) && grid.columnVisible(3));
        QVERIFY(!page.recap().cellule(1, 3)->lGraphe);
        QVERIFY(page.recap().cellule(1, 1)->lGraphe);  // a year without amount keeps its drawing

        opened.choose("pcVarnelle", kOngletOperations);
        opened.choose("pcVarnelle", kOngletStats);
        QVERIFY(grid.rowVisible(1) && grid.columnVisible(2));
        QVERIFY(page.recap().cellule(1, 3)->lGraphe);
    }

    // January and March 2001, February 2024: days and months switch and open; the dialog
    // chooses months and days.
    void theCalendarSwitchesAndOpensDaysAndMonths() {
        Budget budget = test::sampleBudget();
        budget.Operations = {operation("05/01/2001", "AL", -30), operation("05/01/2001", "AL", 60),
                             operation("20/03/2001", "AL", -3), operation("10/02/2024", "AL", -1)};
        test::OpenedBudget opened(budget, kOngletStats);
        opened.choose("pcStats", kStatsCalendOp);
        auto& page = opened.child<CalendOpPage>("tsCalendOp");
        Grid& grid = page.grCalendOp();
        QCOMPARE(grid.gridModel().columnCount(), 4);
        QCOMPARE(grid.rowHeight(4), 28);
        QCOMPARE(grid.rowHeight(19), 14);
        QCOMPARE(grid.model()->index(4, 1).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("AL -30,00, AL 60,00"));
        clicDroit(grid, 2, 5);
        QVERIFY(page.calendrier().mois[0].lGrapheJour[5]);
        clicDroit(grid, 3, 20);
        QCOMPARE(opened.prompter.beeps, 1);
        clicDroit(grid, 3, 0);
        QVERIFY(page.calendrier().mois[1].lGrapheJour[31]);
        // Months and days under 10 filter on their real dates.
        QCOMPARE(ouvre(grid, 4, 0),
                 QStringLiteral("Détail des opérations du 01/2/2024 au 29/2/2024 1"));
        QCOMPARE(ouvre(grid, 2, 5),
                 QStringLiteral("Détail des opérations du 5/1/2001 au 5/1/2001 2"));
        doubleClic(grid, 2, 6);
        QCOMPARE(opened.prompter.beeps, 2);

        test::onNextModal<TfmCalendOpSelectDates>([](TfmCalendOpSelectDates& d) {
            auto& ok = *d.findChild<QPushButton*>("btOK");
            d.edDateDeb().setValue(29);
            d.edDateFin().setValue(28);
            QVERIFY(!ok.isEnabled());
            d.edDateDeb().setValue(1);
            QTest::keyClick(&d.tvMois(), Qt::Key_Space);  // the year 2001 and its months
            QCOMPARE(d.tvMois().currentNode(), 1);
            QTest::mouseClick(d.findChild<QToolButton*>("btGraphe"), Qt::LeftButton);
            QTest::mouseClick(&ok, Qt::LeftButton);
        });
        cliqueEnteteFixe(grid);
        QVERIFY(!grid.columnVisible(2) && !grid.columnVisible(3) && grid.columnVisible(4));
        QVERIFY(grid.rowVisible(28) && !grid.rowVisible(29));
        QVERIFY(page.calendrier().mois[2].lGrapheJour[0]);
    }
};

QTEST_MAIN(StatisticsPagesTest)
#include "statistics_pages_test.moc"
