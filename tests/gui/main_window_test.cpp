#include <utility>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "core/model/date_text.h"
#include "core/stats/calend_op.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"
#include "gui/editing/ajout_operations_dialog.h"
#include "gui/editing/import_releve_dialog.h"
#include "gui/editing/suppression_operations_dialog.h"
#include "gui/editing/types_dep_page.h"
#include "gui/editing/types_dep_periodicite_dialog.h"
#include "gui/main/change_mot_de_passe_dialog.h"
#include "gui/main/choix_fichier_dialog.h"
#include "gui/main/main_window.h"
#include "gui/reports/apercu_rapport.h"
#include "gui/settings/colour_picker.h"
#include "gui/settings/parametres_dialog.h"
#include "gui/statistics/calend_op_select_dates_dialog.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/statistics/recap_select_types_dep_dialog.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/page.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/tree.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/budget_text.h"
#include "render/colour.h"
#include "temp_folder.h"

using namespace varnelle;
using namespace varnelle::gui;

using test::operation;
using test::sampleBudget;
using test::type;
using Opened = test::OpenedBudget;

namespace {

// Records the index of each statistics page as it is rebuilt from the budget.
void watchRebuilds(Opened& opened, QList<int>& rebuilt) {
    QTabWidget& pcStats = opened.tabs("pcStats");
    for (int index = 0; index < pcStats.count(); ++index)
        QObject::connect(static_cast<Page*>(pcStats.widget(index)), &Page::reconstruite,
                         [&rebuilt, index] { rebuilt << index; });
}

// The controls under `root` that a screen reader would announce without a name.
QStringList sansNom(const QWidget& root) {
    QStringList manquants;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        const bool controle = qobject_cast<QAbstractButton*>(w) ||
                              qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLineEdit*>(w) ||
                              qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                              qobject_cast<QAbstractSlider*>(w) ||
                              w->inherits("varnelle::gui::DrawingSurface");
        // Pieces of other controls (headers, a spin box's editor, a combo's list) are named
        // through their owner.
        if (!controle || qobject_cast<QHeaderView*>(w) || w->parentWidget() == nullptr ||
            qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()) ||
            w->objectName().startsWith(QLatin1String("qt_")) || w->inherits("QScrollBar") ||
            w->inherits("QTableCornerButton") || w->inherits("QComboBoxListView"))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty())
            manquants << (w->objectName().isEmpty()
                              ? QString::fromLatin1(w->metaObject()->className())
                              : w->objectName());
    }
    return manquants;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnlyWithTheRightPasswordAndWritesNothingOnTheWay() {
        test::TempFolder folder;
        QVERIFY(creeBudget(folder.path(), "Budget", "secret"));
        const std::string before = test::readFile(folder / "Budget.ini");
        struct Case {
            const char* password;
            bool cancel;
            bool loaded;
            std::size_t boxes;
        };
        for (const Case& c : {Case{"Secret", false, true, 0}, Case{"autre", false, false, 1},
                              Case{"secret", true, false, 0}}) {
            RecordingPrompter prompter;
            test::onNextModal([&c](QWidget& dialog) {
                QTest::keyClicks(dialog.findChild<QLineEdit*>("edMotDePasse"), c.password);
                QTest::mouseClick(dialog.findChild<QPushButton*>(c.cancel ? "btCancel" : "btOK"),
                                  Qt::LeftButton);
            });
            TfmMain window(folder.path(), prompter);
            QCOMPARE(window.loaded(), c.loaded);
            QCOMPARE(prompter.boxes.size(), c.boxes);
            if (c.boxes > 0)
                QCOMPARE(
                    prompter.boxes[0].text,
                    QStringLiteral("Mot de passe de la base de données 'Budget.ini' invalide !!!"));
            if (c.loaded) {
                QCOMPARE(window.windowTitle(), QStringLiteral("[*]Varnelle - [Budget.ini]"));
                QVERIFY(!window.isWindowModified());
            }
            QCOMPARE(test::readFile(folder / "Budget.ini"), before);
        }
        QCOMPARE(listeBudgets(folder.path()).size(), std::size_t{1});
    }

    void theWindowLoadsTheContentWhosePasswordWasChecked() {
        test::TempFolder folder;
        QVERIFY(creeBudget(folder.path(), "Budget", "secret"));
        RecordingPrompter prompter;
        TfmMain window(folder.path(), prompter, [](const std::filesystem::path& in, Prompter& p) {
            test::onNextModal([](QWidget& dialog) {
                QTest::keyClicks(dialog.findChild<QLineEdit*>("edMotDePasse"), "secret");
                QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
            });
            BudgetChoisi chosen = ChoixFichier(in, p);
            // Another budget, of another password, is swapped in once the password is checked.
            test::writeFile(in / "Budget.ini", "[GENERAL]\r\ncMotDePasse=x\r\nnNbTypesDep=1\r\n");
            return chosen;
        });
        QVERIFY(window.loaded());
        QVERIFY(window.budget().TypesDep.empty());
    }

    void aNewBudgetOpensOnItsTypesWithNothingToAddToOperations() {
        test::TempFolder folder;
        RecordingPrompter prompter;
        test::onNextModal([](QWidget& dialog) {
            QVERIFY(dialog.findChild<QRadioButton*>("rbNouvelleBDD")->isChecked());
            QTest::keyClicks(dialog.findChild<QLineEdit*>("edNouvelleBDD"), "Maison");
            QTest::keyClicks(dialog.findChild<QLineEdit*>("edMotDePasse"), "clef");
            QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        });
        TfmMain window(folder.path(), prompter);
        QVERIFY(window.loaded());
        window.show();
        auto* tabs = window.findChild<QTabWidget*>("pcVarnelle");
        QCOMPARE(tabs->currentIndex(), int(kOngletTypesDep));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(kOngletOperations).center());
        QCOMPARE(tabs->currentIndex(), int(kOngletOperations));
        QVERIFY(!window.findChild<QPushButton*>("btAjouter")->isEnabled());
        QVERIFY(!window.findChild<QPushButton*>("btSupprimer")->isEnabled());
    }

    void incompleteRowsKeepTheUserOnTheirTab() {
        Budget budget = sampleBudget();
        budget.TypesDep.push_back(type("  ", 0));
        budget.Operations.push_back(operation("16/03/2024", "AL", 0));
        budget.Simulations.push_back({0, "Prêt", "  /  /    ", "", 0});
        Opened opened(budget);
        QTabWidget& main = opened.tabs("pcVarnelle");
        QCOMPARE(main.currentIndex(), int(kOngletOperations));

        // The last operation, current since the window was shown, has no amount.
        QCOMPARE(opened.child<Grid>("grOperations").currentCell().row, 4);
        opened.choose("pcVarnelle", kOngletTypesDep);
        QCOMPARE(main.currentIndex(), int(kOngletOperations));
        opened.child<Grid>("grOperations").setCurrentCell({2, 1});
        opened.choose("pcVarnelle", kOngletTypesDep);
        QCOMPARE(main.currentIndex(), int(kOngletTypesDep));

        // Types keep their file order: the one of blank code is the third.
        opened.child<Grid>("grTypesDep").setCurrentCell({2, 3});
        opened.choose("pcVarnelle", kOngletDepJourn);
        QCOMPARE(main.currentIndex(), int(kOngletTypesDep));
        opened.child<Grid>("grTypesDep").setCurrentCell({2, 2});
        opened.choose("pcVarnelle", kOngletStats);
        QCOMPARE(main.currentIndex(), int(kOngletStats));

        QTabWidget& stats = opened.tabs("pcStats");
        opened.choose("pcStats", kStatsSoldesMensuels);
        opened.child<Grid>("grSimulations").setCurrentCell({2, 1});
        opened.choose("pcStats", kStatsRecapTypesDep);
        opened.choose("pcVarnelle", kOngletTypesDep);
        QCOMPARE(stats.currentIndex(), int(kStatsSoldesMensuels));
        QCOMPARE(main.currentIndex(), int(kOngletStats));
        QVERIFY(opened.prompter.boxes.empty());
        QCOMPARE(opened.prompter.beeps, 0);
    }

    // "Imprimer" opens the preview of the tab's list, and is offered again once it is closed;
    // without a record there is nothing to preview.
    void printingPreviewsTheListOfTheTabInFront() {
        Budget budget = sampleBudget();
        for (int i = 0; i < 70; ++i) budget.Operations.push_back(operation("20/03/2024", "AL", -1));
        Opened opened(budget, kOngletOperations);
        QString vu;
        opened.window->setApercu([&](const RapportListe& rapport, QWidget*) {
            vu = QStringLiteral("%1 %2 %3")
                     .arg(fromBudgetText(rapport.titre()))
                     .arg(rapport.nbPages())
                     .arg(opened.enabled("btImprimer"));
        });
        opened.press("btImprimer");
        QCOMPARE(vu, QStringLiteral("Report Opérations 2 0"));
        QVERIFY(opened.enabled("btImprimer"));
        opened.choose("pcVarnelle", kOngletDepJourn);
        opened.press("btImprimer");
        QCOMPARE(vu, QStringLiteral("Report Dépenses Journalières 1 0"));

        vu.clear();
        opened.window->budget().TypesDep.clear();
        opened.choose("pcVarnelle", kOngletTypesDep);
        opened.press("btImprimer");
        QVERIFY(vu.isEmpty());
        QCOMPARE(opened.prompter.boxes.size(), std::size_t{1});
        QCOMPARE(opened.prompter.boxes[0].text, QStringLiteral("Rien à imprimer."));
    }

    // The preview steps through its pages and prints them all, or says why it could not.
    void thePreviewPrintsEveryPageOrSaysWhy() {
        Budget budget = sampleBudget();
        for (int i = 0; i < 70; ++i) budget.Operations.push_back(operation("20/03/2024", "AL", -1));
        Opened opened(budget);
        const RapportListe rapport(opened.budget(), ListeImprimee::Operations);
        TfmApercuRapport apercu(rapport, opened.prompter);
        apercu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&apercu));
        QCOMPARE(apercu.findChild<QLabel*>("stPage")->text(), QStringLiteral("Page 1 / 2"));
        QTest::keyClick(&apercu, Qt::Key_PageDown);
        QCOMPARE(apercu.pageMontree(), std::size_t{1});
        QVERIFY(!apercu.findChild<QToolButton*>("btSuivante")->isEnabled());
        QVERIFY(!apercu.imagePage().isNull());

        test::TempFolder dossier;
        QString sortie = QString::fromStdString((dossier / "liste.pdf").string());
        apercu.setChoixImprimante([&sortie](QPrinter& printer, QWidget*) {
            printer.setOutputFileName(sortie);
            return true;
        });
        apercu.imprime();
        QProcess pdfinfo;
        pdfinfo.start(QStringLiteral("pdfinfo"), {sortie});
        QVERIFY(pdfinfo.waitForFinished());
        QVERIFY(pdfinfo.readAllStandardOutput().contains("Pages:           2"));
        QVERIFY(opened.prompter.boxes.empty());

        sortie = QString::fromStdString((dossier / "absent" / "liste.pdf").string());
        apercu.imprime();
        QCOMPARE(opened.prompter.boxes.size(), std::size_t{1});
        QCOMPARE(opened.prompter.boxes[0].text,
                 QStringLiteral("Ne peut imprimer sur %1.").arg(sortie));
    }

    // "Tester" shows the copy at once; "Annuler", Escape and the close box all give back the
    // settings found, font and bookmarks included; OK keeps a colour as one undo step.
    void theSettingsDialogTestsCancelsAndKeeps() {
        Opened opened(sampleBudget(), kOngletOperations);
        const TParam avant = opened.budget().Param;
        Grid& grid = opened.child<Grid>("grOperations");
        const auto fond = [&grid] { return grid.model()->index(1, 1).data(Qt::BackgroundRole); };
        const QVariant fondAvant = fond();
        const auto choisitAqua = [](TfmParametres& d) {
            ColourPicker& picker = d.choixCouleur(ArbreCouleurs::Grilles);
            QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.caseDe(14).center());
        };
        for (const auto& ferme : std::vector<std::function<void(TfmParametres&)>>{
                 [](TfmParametres& d) { d.findChild<QPushButton*>("btAnnuler")->click(); },
                 [](TfmParametres& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                 [](TfmParametres& d) { d.close(); }}) {
            QVariant fondTeste;
            test::onNextModal<TfmParametres>([&](TfmParametres& d) {
                // Opened from the operations, on their odd months.
                QCOMPARE(d.arbre(ArbreCouleurs::Grilles).currentNode(), 14);
                choisitAqua(d);
                d.findChild<QPushButton*>("btTester")->click();
                fondTeste = fond();
                ferme(d);
            });
            opened.press("btParametres");
            QCOMPARE(fondTeste.value<QColor>(), QColor(0, 255, 255));
            QVERIFY(opened.budget().Param == avant);
            QCOMPARE(fond(), fondAvant);
        }
        QVERIFY(!opened.window->historique().peutAnnuler());

        test::onNextModal<TfmParametres>([&](TfmParametres& d) {
            choisitAqua(d);
            d.findChild<QPushButton*>("btOK")->click();
        });
        opened.press("btParametres");
        QCOMPARE(opened.budget().Param.nCoulGrilleOpMsImp, 0xFFFF00);
        QCOMPARE(opened.budget().Param.OptGrilleOp.cPolice, avant.OptGrilleOp.cPolice);
        QVERIFY(opened.window->enregistre());
        QCOMPARE(opened.onDisk().Param.nCoulGrilleOpMsImp, 0xFFFF00);
        QVERIFY(opened.window->annule());
        QVERIFY(opened.budget().Param == avant);
        QCOMPARE(fond(), fondAvant);
    }

    // From "Soldes mensuels": Simulations > Fond and Soldes mensuels > Fond on "Général"; the
    // operations window reaches the dialog too, on its own nodes.
    void theSettingsOpenOnTheNodesOfWhereTheyAreAsked() {
        Opened opened(sampleBudget(), kOngletStats);
        opened.choose("pcStats", kStatsSoldesMensuels);
        QString vu;
        test::onNextModal<TfmParametres>([&vu](TfmParametres& d) {
            vu = QStringLiteral("%1 %2 %3 %4")
                     .arg(d.arbre(ArbreCouleurs::Grilles).currentNode())
                     .arg(d.arbre(ArbreCouleurs::Graphes).currentNode())
                     .arg(d.pcOptGrilles().currentIndex())
                     .arg(d.choixCouleur(ArbreCouleurs::Grilles).selection().value_or(-1));
        });
        opened.press("btParametres");
        QCOMPARE(vu, QStringLiteral("32 38 0 15"));  // white

        TfmOperationsTypeDep fenetre(opened.budget(), opened.prompter, opened.window.get());
        fenetre.Initialise("AL", kDateVide, kDateVide, 0, nullptr);
        test::onNextModal<TfmParametres>([&vu](TfmParametres& d) {
            vu = QString::number(d.arbre(ArbreCouleurs::Grilles).currentNode());
            d.stExemple().isVisible() ? vu += " " + d.stExemple().text() : vu;
        });
        fenetre.findChild<QPushButton*>("btParametres")->click();
        QCOMPARE(vu, QStringLiteral("44 Fenêtre de détails"));
    }

    // Every control of the window, on each tab, and of the settings dialog has a name for
    // screen readers.
    void everyControlHasANameForScreenReaders() {
        Opened opened(sampleBudget());
        QStringList manquants;
        for (int onglet = 0; onglet < opened.tabs("pcVarnelle").count(); ++onglet) {
            opened.choose("pcVarnelle", onglet);
            manquants << sansNom(*opened.window);
        }
        test::onNextModal<TfmParametres>(
            [&manquants](TfmParametres& d) { manquants << sansNom(d); });
        opened.press("btParametres");
        // The other windows and dialogs, as they open.
        const Budget& budget = opened.budget();
        const RapportListe rapport(budget, ListeImprimee::Operations);
        Grid grille;
        const CalendOp calendrier = ConstruitCalendOp(budget.Operations, false);
        std::vector<std::unique_ptr<QWidget>> fenetres;
        fenetres.emplace_back(new TfmChoixNomFicINI(opened.folder.path(), opened.prompter));
        fenetres.emplace_back(new TfmAjtPlsOp(budget));
        fenetres.emplace_back(new TfmSupPlsOp(budget, 1));
        fenetres.emplace_back(new TfmTypesDepPeriodicite(budget.TypesDep[0]));
        fenetres.emplace_back(new TFCCalend);
        fenetres.emplace_back(new TfmChangeMotDePasse(opened.window->dataFile(), opened.prompter));
        fenetres.emplace_back(new TfmOperationsTypeDep(budget, opened.prompter));
        fenetres.emplace_back(new TfmApercuRapport(rapport, opened.prompter));
        fenetres.emplace_back(new TfmRecapSelectTypesDep(budget, grille));
        fenetres.emplace_back(new TfmCalendOpSelectDates(calendrier, grille));
        FichierReleve releve;
        releve.octets = "Date;Libelle;Montant\n01/03/2024;X;-1,00\n";
        releve.releve = litCsv(releve.octets, budget.Import);
        fenetres.emplace_back(new TfmImportReleve(budget, QStringLiteral("releve.csv"),
                                                  FormatReleve::Csv, releve, opened.prompter));
        for (const auto& fenetre : fenetres) manquants << sansNom(*fenetre);
        manquants.removeDuplicates();
        QVERIFY2(manquants.isEmpty(), qPrintable(manquants.join(QLatin1Char(' '))));
    }

    // From inside a grid, the tabs' keys change tab, Ctrl+C copies a cell, and Ctrl+A then
    // Ctrl+C the whole list under its headings, ready for a spreadsheet.
    void gridsCopyAndLeaveTheTabKeysToTheTabs() {
        Opened opened(sampleBudget(), kOngletOperations);
        Grid& grid = opened.child<Grid>("grOperations");
        grid.setFocus();
        grid.setCurrentCell({4, 2});
        QTest::keyClick(grid.viewport(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1500,00"));
        QTest::keyClick(grid.viewport(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(grid.viewport(), Qt::Key_C, Qt::ControlModifier);
        const QStringList lignes = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lignes.size(), 5);  // headings, three operations, the last line end
        QVERIFY(lignes[0].endsWith(QStringLiteral("Date\tType\tMontant\tLibellé\tSolde")));
        QVERIFY(lignes[2].startsWith(QStringLiteral("x\t02/03/2024\tSA\t1500,00")));

        QTest::keyClick(grid.viewport(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(opened.tabs("pcVarnelle").currentIndex(), int(kOngletDepJourn));
        QTest::keyClick(opened.child<Grid>("grDepJourn").viewport(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(opened.tabs("pcVarnelle").currentIndex(), int(kOngletOperations));
    }

    void buttonsAndTheGaugeFollowTheTabInFront() {
        Opened opened;
        opened.choose("pcVarnelle", kOngletTypesDep);
        QVERIFY(opened.child<TypesDepPage>("tsTypesDep").jaugeAffichee());
        QVERIFY(!opened.child<Grid>("grTypesDep").isColumnHidden(6));
        for (const char* button : {"btAjouter", "btSupprimer", "btImprimer"})
            QVERIFY(opened.enabled(button));
        opened.choose("pcVarnelle", kOngletStats);
        QVERIFY(!opened.enabled("btAjouter") && !opened.enabled("btSupprimer"));
        QVERIFY(!opened.enabled("btImprimer"));
        opened.choose("pcStats", kStatsSoldesMensuels);
        QVERIFY(opened.enabled("btAjouter") && opened.enabled("btSupprimer"));
        for (const char* button : {"btParametres", "btSvg1", "btSvg2", "btRst1", "btRst2"})
            QVERIFY(opened.enabled(button));

        Budget twoYears = sampleBudget();
        twoYears.Operations.front().cDate = "15/03/2003";
        twoYears.Operations.back().cDate = "02/01/2004";
        Opened other(twoYears);
        other.choose("pcVarnelle", kOngletTypesDep);
        QVERIFY(!other.child<TypesDepPage>("tsTypesDep").jaugeAffichee());
        QVERIFY(other.child<Grid>("grTypesDep").isColumnHidden(6));

        other.window->resize(900, 600);
        QCOMPARE(other.child<QPushButton>("btFermer").geometry(), QRect(900 - 81 - 16, 8, 81, 25));
    }

    void standsAtTheTopLeftAsTallAsTheScreenFrameIncluded() {
        Opened opened;
        QWidget& window = *opened.window;
        const QRect screen = window.screen()->availableGeometry();
        QVERIFY(window.frameGeometry().height() > window.height());
        QCOMPARE(window.frameGeometry().topLeft(), screen.topLeft());
        QCOMPARE(window.frameGeometry().height(), screen.height());
    }

    void theLastOperationOpensUnderWholeRowsAndTheMonthFitsTheDesignedHeight() {
        Budget budget = sampleBudget();
        budget.Operations.resize(100, budget.Operations.back());
        Opened opened(budget);
        Grid& grid = opened.child<Grid>("grOperations");          // rows 18 high
        const int half = grid.viewport()->height() % 18 ? 0 : 9;  // not a height of whole rows
        opened.window->resize(772, opened.window->height() + half);
        grid.scrollToCell({1, 100});
        QCOMPARE(grid.rowViewportPosition(grid.rowAt(0)), 0);
        opened.choose("pcVarnelle", kOngletDepJourn);
        opened.window->resize(772, 708);
        Grid& jours = opened.child<Grid>("grDepJourn");
        QVERIFY(jours.rowViewportPosition(30) + jours.rowHeight(30) <= jours.viewport()->height());
    }

    void aStatisticsPageIsRebuiltOnlyWhenMarked() {
        Opened opened;
        QList<int> rebuilt;
        watchRebuilds(opened, rebuilt);
        auto pages = [&rebuilt] { return std::exchange(rebuilt, {}); };
        opened.choose("pcVarnelle", kOngletStats);
        QCOMPARE(pages(), QList<int>{kStatsGraphes});
        opened.choose("pcStats", kStatsRecapTypesDep);
        opened.choose("pcStats", kStatsGraphes);
        opened.choose("pcStats", kStatsRecapTypesDep);
        QCOMPARE(pages(), QList<int>{kStatsRecapTypesDep});
        opened.choose("pcVarnelle", kOngletDepJourn);
        opened.choose("pcVarnelle", kOngletStats);
        opened.choose("pcStats", kStatsCalendOp);
        opened.choose("pcStats", kStatsGraphes);
        QCOMPARE(pages(), (QList<int>{kStatsRecapTypesDep, kStatsCalendOp, kStatsGraphes}));
        // Those still marked are rebuilt when they come to the front, the others are not.
        for (int page : {kStatsRecapTypesDep, kStatsArboOperations, kStatsCalendOp,
                         kStatsSoldesMensuels, kStatsGraphes})
            opened.choose("pcStats", page);
        QCOMPARE(pages(), (QList<int>{kStatsArboOperations, kStatsSoldesMensuels}));
    }

    void bookmarksBringBackTheTabsAndAreSavedWithTheBudget() {
        Opened opened;
        QTabWidget& main = opened.tabs("pcVarnelle");
        opened.press("btRst1");
        opened.press("btRst2");
        QCOMPARE(main.currentIndex(), int(kOngletOperations));

        opened.choose("pcVarnelle", kOngletStats);
        opened.choose("pcGraphes", 1);
        opened.press("btSvg1");
        opened.choose("pcVarnelle", kOngletDepJourn);
        opened.press("btSvg2");
        QCOMPARE(opened.window->budget().Param.ConfigOnglets2, (TConfigOnglets{2, -1, -1}));

        opened.choose("pcGraphes", 0);
        opened.choose("pcVarnelle", kOngletTypesDep);
        QList<int> rebuilt;
        watchRebuilds(opened, rebuilt);
        opened.press("btRst1");
        QCOMPARE(main.currentIndex(), int(kOngletStats));
        QCOMPARE(opened.tabs("pcStats").currentIndex(), int(kStatsGraphes));
        QCOMPARE(opened.tabs("pcGraphes").currentIndex(), 1);
        QCOMPARE(rebuilt.count(), 1);
        QVERIFY(!opened.enabled("btImprimer"));
        opened.press("btRst2");
        QCOMPARE(main.currentIndex(), int(kOngletDepJourn));
        QVERIFY(opened.enabled("btImprimer"));

        opened.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(opened.window->close());
        const TParam saved = opened.onDisk().Param;
        QCOMPARE(saved.ConfigOnglets1, (TConfigOnglets{3, 0, 1}));
        QCOMPARE(saved.ConfigOnglets2, (TConfigOnglets{2, -1, -1}));
    }

    void closingAsksAndTheFileHoldsWhatTheUserSaw() {
        Opened opened;
        const std::string before = test::readFile(opened.path);
        QVERIFY(opened.window->close());  // nothing changed: nothing asked
        QVERIFY(opened.prompter.boxes.empty());
        opened.window->show();
        opened.change();

        opened.prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!opened.window->close());
        QVERIFY(opened.window->isVisible());
        QCOMPARE(opened.window->budget().Operations[0].cLibelle, std::string("Change"));
        const auto& box = opened.prompter.boxes.back();
        QCOMPARE(box.kind, RecordingPrompter::Box::Kind::YesNoCancel);
        QCOMPARE(box.text, QStringLiteral("Sauvegarder les modifications apportées ?"));
        QCOMPARE(box.defaultAnswer, Prompter::Answer::No);

        opened.prompter.answerNext(Prompter::Answer::No);
        QVERIFY(opened.window->close());
        QCOMPARE(test::readFile(opened.path), before);

        Opened again;
        again.change();
        again.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(again.window->close());
        QCOMPARE(again.onDisk(), again.window->budget());
        QVERIFY(std::filesystem::exists(again.folder / "Budget.ini.bak"));
    }

    void aFailedSaveIsToldAndKeepsTheWindowOpen() {
        Opened opened;
        const std::string before = test::readFile(opened.path);
        opened.change();
        opened.prompter.answerNext(Prompter::Answer::Yes);
        {
            test::FileSizeLimit full(64);
            QVERIFY(!opened.window->close());
        }
        QVERIFY(opened.window->isVisible());
        const auto& box = opened.prompter.boxes.back();
        QCOMPARE(box.caption, QStringLiteral("Erreur"));
        QVERIFY2(box.text.startsWith(QStringLiteral("Ne peut écrire dans ") +
                                     QString::fromStdString(opened.path.string())),
                 qPrintable(box.text));
        QCOMPARE(test::readFile(opened.path), before);
    }

    void aFileChangedOnDiskIsOverwrittenOnlyOnYes() {
        Opened opened;
        opened.change();
        test::writeFile(opened.path, "[GENERAL]\r\ncMotDePasse=x\r\n");
        opened.prompter.answerNext(Prompter::Answer::Yes);
        opened.prompter.answerNext(Prompter::Answer::No);
        QVERIFY(!opened.window->close());
        QCOMPARE(opened.prompter.boxes.back().kind, RecordingPrompter::Box::Kind::YesNo);
        QCOMPARE(opened.prompter.boxes.back().defaultAnswer, Prompter::Answer::No);
        QCOMPARE(test::readFile(opened.path), std::string("[GENERAL]\r\ncMotDePasse=x\r\n"));

        opened.prompter.answerNext(Prompter::Answer::Yes);
        opened.prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(opened.window->close());
        QCOMPARE(opened.onDisk().Operations, opened.window->budget().Operations);
        QCOMPARE(opened.prompter.unexpectedQuestions, 0);
    }

    // Save now, undo and redo through the window's keys; the title marks unsaved changes.
    void theKeysSaveUndoAndRedoAndTheTitleMarksChanges() {
        Opened opened(sampleBudget(), kOngletOperations);
        Grid& grid = opened.child<Grid>("grOperations");
        test::typeInCell(grid, 2, 1, "20/03/2024");  // from the first row to the last
        QVERIFY(opened.window->isWindowModified());
        opened.choose("pcVarnelle", kOngletTypesDep);
        const auto key = [&](Qt::Key touche, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(opened.window.get(), touche, Qt::ControlModifier | modifiers);
        };
        key(Qt::Key_Z, {});
        QCOMPARE(opened.tabs("pcVarnelle").currentIndex(), int(kOngletOperations));
        QCOMPARE(grid.currentCell().row, 1);
        QVERIFY(!opened.window->isWindowModified());
        key(Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(grid.currentCell().row, 3);
        key(Qt::Key_Z, {});
        key(Qt::Key_Y, {});
        QVERIFY(opened.window->isWindowModified());
        key(Qt::Key_S, {});
        QVERIFY(!opened.window->isWindowModified());
        QCOMPARE(opened.onDisk(), opened.budget());
    }

    // Killed after a change, the program leaves it beside the budget, whose file it never
    // touched; the next opening offers it back as unsaved, and "Non" at closing drops it.
    void aChangeSurvivesAKillAndIsOfferedBack() {
        auto opened = std::make_unique<Opened>();
        const std::filesystem::path folder = opened->folder.path(), budget = opened->path;
        opened->window.reset();
        const std::string before = test::readFile(budget);
        QProcess victim;
        victim.start(QStringLiteral(VARNELLE_KILL_VICTIM), {QString::fromStdString(folder)});
        QVERIFY(victim.waitForReadyRead(20000));
        QCOMPARE(victim.readAllStandardOutput().trimmed(), QByteArray("ready"));
        victim.kill();
        QVERIFY(victim.waitForFinished());
        QCOMPARE(test::readFile(budget), before);
        QCOMPARE(test::folderContent(folder),
                 (std::vector<std::string>{"Budget.ini", "Budget.ini.bak", "Budget.ini.recup"}));
        QCOMPARE(test::permissionsOf(folder / "Budget.ini.recup"),
                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

        RecordingPrompter prompter;
        prompter.answerNext(Prompter::Answer::Yes);
        TfmMain window(folder, prompter, test::choisitBudget);
        QCOMPARE(window.budget().Operations[0].cLibelle, std::string("Perdu"));
        QVERIFY(window.isWindowModified());
        prompter.answerNext(Prompter::Answer::No);
        QVERIFY(window.close());
        QCOMPARE(test::folderContent(folder),
                 (std::vector<std::string>{"Budget.ini", "Budget.ini.bak"}));
    }

    void theOperationsGridTakesItsZoomLinesAndRowColours() {
        Budget budget = sampleBudget();
        budget.Param.OptGrilleOp.nZoom = 2;
        budget.Param.OptGrilleOp.Grid = 2;
        budget.Operations.push_back(operation("20/x3/2024", "AL", -5, 2));
        budget.Operations.push_back(operation("20/04/2024", "AL", -5, 1));
        Opened opened(budget);
        Grid& grid = opened.child<Grid>("grOperations");
        std::vector<int> zoomed;
        for (int column = 0; column < 6; ++column) zoomed.push_back(grid.columnWidth(column));
        QCOMPARE(grid.rowHeight(0), 21);
        QCOMPARE(grid.lines(), Grid::Lines::Horizontal);
        QCOMPARE(opened.child<Grid>("grTypesDep").lines(), Grid::Lines::Both);

        const TParam& p = budget.Param;
        auto cell = [&grid](int row, int role) {
            return grid.model()->index(row - 1, 1).data(role);
        };
        // Rows in file order: 28/02, 02/03, 15/03, then the malformed month, then April.
        QCOMPARE(cell(4, Qt::BackgroundRole).value<QColor>(), qColor(p.nCoulGrilleOpMsImp));
        QCOMPARE(cell(5, Qt::BackgroundRole).value<QColor>(), qColor(p.nCoulGrilleOpMsPai));
        QCOMPARE(cell(4, Qt::ForegroundRole).value<QColor>(), qColor(p.nCoulGrilleOpOpDec));
        QCOMPARE(cell(5, Qt::ForegroundRole).value<QColor>(), qColor(p.nCoulGrilleOpOpCoc));
        QCOMPARE(cell(5, Qt::FontRole).value<QFont>().pointSize(), 12);
        grid.edit(grid.model()->index(0, 4));  // the headings and the typing too
        for (const char* name : {"gridHeadings", "gridEditor"})
            QCOMPARE(QFontInfo(grid.findChild<QWidget*>(name)->font()).pointSize(), 12);

        // New settings reach every grid once applied.
        TParam& param = opened.window->budget().Param;
        param.nCoulGrilleTDFond = 0x123456;
        param.nCoulToutesGrillesETFond = 0x00FF00;
        param.OptGrilleOp.nZoom = 0;
        opened.window->AppliqueParametres();
        QCOMPARE(opened.child<Grid>("grTypesDep").palette().color(QPalette::Base),
                 qColor(0x123456));
        for (const char* name : {"grTypesDep", "grOperations", "grDepJourn", "grEconomies",
                                 "grSimulations", "grRecapTypesDep", "grCalendOp"})
            QCOMPARE(opened.child<Grid>(name).headingBackground(), qColor(0x00FF00));
        QCOMPARE(opened.child<Grid>("grCalendOp").fixedBackground(), qColor(0x00FF00));
        for (int column = 0; column < 6; ++column)
            QVERIFY(grid.columnWidth(column) < zoomed[std::size_t(column)]);
        QCOMPARE(cell(5, Qt::FontRole).value<QFont>().pointSize(), 8);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
