#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "core/model/month_mask.h"
#include "gui/editing/ajout_operations_dialog.h"
#include "gui/editing/import_releve_dialog.h"
#include "gui/editing/operations_page.h"
#include "gui/editing/suppression_operations_dialog.h"
#include "gui/editing/types_dep_periodicite_dialog.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/grid.h"
#include "next_modal.h"
#include "opened_budget.h"

using namespace varnelle;
using namespace varnelle::gui;
using varnelle::test::click;

namespace {

using Positions = std::vector<std::size_t>;

template <typename T = QWidget> T* child(const QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
}

bool enabled(const QWidget& dialog, const char* name) {
    return child(dialog, name)->isEnabled();
}

QString today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

QString thisYear() {
    return QString::number(QDate::currentDate().year());
}

// Every control inside the client area, none cut by its group box.
void checkEverythingFits(QWidget& dialog) {
    dialog.show();
    for (const QWidget* widget : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(dialog.rect().contains(widget->geometry()), qPrintable(widget->objectName()));
        for (const QWidget* inner : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!inner->isWindow() && !inner->objectName().isEmpty())
                QVERIFY2(widget->rect().contains(inner->geometry()),
                         qPrintable(inner->objectName()));
    }
}

}  // namespace

class OperationsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void theDialogsOpenInTheMiddleOfTheScreen() {
        QWidget opener;  // in a corner
        opener.setGeometry(0, 0, 300, 200);
        opener.show();
        const Budget budget = test::budgetDeMai();
        TfmAjtPlsOp ajout(budget, &opener);
        TfmSupPlsOp sup(budget, 1, &opener);
        TfmTypesDepPeriodicite mois(budget.TypesDep[0], &opener);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&ajout, &sup, &mois}) {
            dialog->show();
            const QPoint middle = opener.screen()->availableGeometry().center();
            QVERIFY((dialog->frameGeometry().center() - middle).manhattanLength() <= 2);
        }
    }

    void withoutTypesOnlyOneOperationCanBeAdded() {
        const Budget budget;
        TfmAjtPlsOp dialog(budget);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Ajout d'opération(s)"));
        QVERIFY(child<QRadioButton>(dialog, "rbUneSeule")->isChecked());
        QVERIFY(!enabled(dialog, "rbPlusieurs"));
        for (const char* name : {"edDateAjt", "btDateAjt", "lbTypesDep", "btToutes", "btAucune"})
            QVERIFY2(!enabled(dialog, name), name);
        QVERIFY(enabled(dialog, "btOK"));
        QCOMPARE(dialog.choix(), TfmAjtPlsOp::Choix::UneSeule);
        QCOMPARE(QString::fromStdString(dialog.dateAjout()), today());
        checkEverythingFits(dialog);
    }

    void theDateTicksTheTypesDueAndNotYetBooked() {
        const Budget budget = test::budgetDeMai();
        TfmAjtPlsOp dialog(budget);
        auto* lbTypesDep = child<QListWidget>(dialog, "lbTypesDep");
        QCOMPARE(lbTypesDep->count(), 5);
        QCOMPARE(lbTypesDep->item(0)->text(), QStringLiteral("Libellé AL"));
        click(dialog, "rbPlusieurs");
        for (const char* name : {"edDateAjt", "btDateAjt", "lbTypesDep", "btToutes", "btAucune"})
            QVERIFY2(enabled(dialog, name), name);
        auto* edDateAjt = child<QLineEdit>(dialog, "edDateAjt");
        QCOMPARE(dialog.focusWidget(), edDateAjt);

        // June: TE is due but booked; nothing else is due, and OK waits for a tick.
        edDateAjt->setText(QStringLiteral("10/06/2024"));
        QCOMPARE(dialog.typesCoches(), Positions{});
        QVERIFY(!enabled(dialog, "btOK"));
        click(dialog, "btToutes");
        QCOMPARE(dialog.typesCoches(), (Positions{0, 1, 2, 3, 4}));
        QVERIFY(enabled(dialog, "btOK"));

        // While the date is being typed the ticks stay, but OK waits for a whole date.
        edDateAjt->clear();
        QTest::keyClicks(edDateAjt, QStringLiteral("1205"));
        QCOMPARE(dialog.dateAjout(), std::string("12/05/    "));
        QCOMPARE(dialog.typesCoches(), (Positions{0, 1, 2, 4}));
        QVERIFY(!enabled(dialog, "btOK"));
        QTest::keyClicks(edDateAjt, QStringLiteral("2023"));
        QCOMPARE(dialog.typesCoches(), (Positions{1, 2, 4}));
        click(dialog, "btAucune");
        QCOMPARE(dialog.typesCoches(), Positions{});
        QVERIFY(!enabled(dialog, "btOK"));

        // Space ticks the current type and moves on; a tick is enough for OK.
        lbTypesDep->setCurrentRow(3);
        QTest::keyClick(lbTypesDep, Qt::Key_Space);
        QCOMPARE(dialog.typesCoches(), Positions{3});
        QCOMPARE(lbTypesDep->currentRow(), 4);
        QVERIFY(enabled(dialog, "btOK"));
        lbTypesDep->item(3)->setCheckState(Qt::Unchecked);
        QVERIFY(!enabled(dialog, "btOK"));

        // Back to one operation: OK whatever the list says.
        click(dialog, "rbUneSeule");
        QVERIFY(!enabled(dialog, "lbTypesDep"));
        QVERIFY(enabled(dialog, "btOK"));
        QCOMPARE(dialog.choix(), TfmAjtPlsOp::Choix::UneSeule);
    }

    void theCalendarButtonWritesThePickedDate() {
        const Budget budget = test::budgetDeMai();
        TfmAjtPlsOp dialog(budget);
        click(dialog, "rbPlusieurs");
        child<QLineEdit>(dialog, "edDateAjt")->setText(QStringLiteral("10/04/2024"));
        QCOMPARE(dialog.typesCoches(), Positions{3});
        for (const char* answer : {"btCancel", "btOK"}) {
            test::onNextModal<TFCCalend>([answer](TFCCalend& calendar) {
                click(calendar, "btMoisSuiv");
                click(calendar, answer);
            });
            click(dialog, "btDateAjt");
        }
        QCOMPARE(dialog.dateAjout(), std::string("10/05/2024"));
        QCOMPARE(dialog.typesCoches(), (Positions{0, 2, 4}));
        click(dialog, "btOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.choix(), TfmAjtPlsOp::Choix::Plusieurs);
    }

    // The choice of years and starting month is the core's; here, only that the dialog asks it
    // about the current row, or about none.
    void theDeleteDialogStartsOnTheMonthOfTheCurrentOperation() {
        Budget budget;
        for (const char* date : {"15/03/2021", "01/01/2023", "10/05/2024"})
            budget.Operations.push_back(test::operation(date, "AL", -1));
        TfmSupPlsOp dialog(budget, 2);
        auto* cbAnnees = child<QComboBox>(dialog, "cbAnnees");
        QCOMPARE(cbAnnees->count(), 4);
        QCOMPARE(cbAnnees->currentText(), QStringLiteral("2023"));
        QCOMPARE(child<QComboBox>(dialog, "cbMois")->currentIndex(), 0);
        QCOMPARE(dialog.choix(), TfmSupPlsOp::Choix::OperationCourante);
        TfmSupPlsOp none(budget, 0);
        QCOMPARE(child<QComboBox>(none, "cbAnnees")->currentText(), thisYear());
    }

    void theMonthsDueDialogTicksItsMaskAndSpaceWalksTheMonths() {
        // January, May and December: the first, a middle and the last bit.
        const std::int32_t masque = bitDuMois(1) | bitDuMois(5) | bitDuMois(12);
        TfmTypesDepPeriodicite dialog(test::type("\xC9L", -1, masque));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Périodicité de \"ÉL\""));
        auto* lbMois = child<QListWidget>(dialog, "lbMois");
        QCOMPARE(lbMois->item(11)->text(), QStringLiteral("Décembre"));
        QCOMPARE(lbMois->item(4)->checkState(), Qt::Checked);
        QCOMPARE(lbMois->item(3)->checkState(), Qt::Unchecked);
        QCOMPARE(dialog.nPeriodicite(), masque);
        dialog.show();
        QCOMPARE(lbMois->verticalScrollBar()->maximum(), 0);  // every month in sight
        click(dialog, "btTous");
        QCOMPARE(dialog.nPeriodicite(), 4095);

        click(dialog, "btAucun");
        lbMois->setCurrentRow(5);
        for (int i = 0; i < 2; ++i) QTest::keyClick(lbMois, Qt::Key_Space);
        // With a modifier the month is still ticked, but the current month stays.
        QTest::keyClick(lbMois, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(lbMois->currentRow(), 7);
        // A second press on a ticked month unticks it; the walk stops at December.
        lbMois->setCurrentRow(11);
        QTest::keyClick(lbMois, Qt::Key_Space);
        QTest::keyClick(lbMois, Qt::Key_Space);
        QCOMPARE(lbMois->currentRow(), 11);
        QCOMPARE(dialog.nPeriodicite(), bitDuMois(6) | bitDuMois(7) | bitDuMois(8));
    }

    void theMonthOfAYearIsChosenWhenAsked() {
        Budget budget;
        budget.Operations = {test::operation("31/12/0999", "AL", -1),
                             test::operation("15/03/1001", "AL", -1)};
        TfmSupPlsOp dialog(budget, 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Suppression de plusieurs opérations"));
        auto* cbMois = child<QComboBox>(dialog, "cbMois");
        auto* cbAnnees = child<QComboBox>(dialog, "cbAnnees");
        QCOMPARE(cbMois->count(), 12);
        QCOMPARE(cbMois->itemText(1), QStringLiteral("Février"));
        QVERIFY(!cbMois->isEnabled() && !cbAnnees->isEnabled());
        QCOMPARE(dialog.mois(), std::string("12"));
        // The years are written as the dates write them.
        QCOMPARE(dialog.annee(), std::string("0999"));

        click(dialog, "rbOperationsDe");
        QVERIFY(cbMois->isEnabled() && cbAnnees->isEnabled());
        QCOMPARE(dialog.focusWidget(), cbMois);
        cbMois->setCurrentIndex(2);
        cbAnnees->setCurrentIndex(2);
        QCOMPARE(dialog.choix(), TfmSupPlsOp::Choix::OperationsDuMois);
        QCOMPARE(dialog.mois(), std::string("03"));
        QCOMPARE(dialog.annee(), std::string("1001"));
        click(dialog, "rbOperationCourante");
        QVERIFY(!cbMois->isEnabled());
        QCOMPARE(dialog.choix(), TfmSupPlsOp::Choix::OperationCourante);
        checkEverythingFits(dialog);
    }

    // A statement imported from the operations tab: Ctrl+I, the preview with the line already
    // in the journal skipped, OK only once every line has a type, a rule typing the others,
    // then one undo step; a second import finds everything in, a faulty one imports nothing.
    void aStatementIsPreviewedTypedAndImportedAsOneStep() {
        Budget budget = test::sampleBudget();
        budget.Operations[1].cLibelle = "VIR SALAIRE";
        test::OpenedBudget opened(budget, kOngletOperations);
        auto& page = opened.child<OperationsPage>("tsOperations");
        const auto ecrit = [&](const char* nom, const QByteArray& octets) {
            const std::filesystem::path chemin = opened.folder / nom;
            QFile f(QString::fromStdString(chemin.string()));
            f.open(QIODevice::WriteOnly);
            f.write(octets);
            return QString::fromStdString(chemin.string());
        };
        // Windows-1252, as French banks write it; no column named as expected but the date.
        const QString csv = ecrit("releve.csv", "Date;Texte;Somme\r\n"
                                                "02/03/2024; vir  salaire ;1500,00\r\n"
                                                "05/03/2024;CB \xc9PICERIE;-4,20\r\n"
                                                "06/03/2024;CB MARCHE;-12,00\r\n");
        page.setChoixReleve([&](QWidget*) { return csv; });
        int apercus = 0;
        // Checks the preview, then says whether the user accepts it.
        const auto regarde = [&](TfmImportReleve& dialogue, bool& accepte) {
            ++apercus;
            dialogue.show();
            Grid& grille = dialogue.grReleve();
            auto* ok = child<QPushButton>(dialogue, "btOK");
            if (apercus == 1) {
                QCOMPARE(grille.rows(), 0);  // the columns are the user's to say
                child<QComboBox>(dialogue, "cbColonneLibelle")->setCurrentIndex(2);
                child<QComboBox>(dialogue, "cbColonneMontant")->setCurrentIndex(3);
                QCOMPARE(grille.rows(), 3);
                QCOMPARE(test::cellText(grille, 6, 1),
                         QStringLiteral("Ignorée : déjà dans le journal"));
                QVERIFY(!ok->isEnabled());
                // The first type of the pick list, AL, for the second line.
                grille.setCurrentCell({5, 2});
                grille.edit(grille.currentIndex());
                auto* types = grille.viewport()->findChild<QComboBox*>("gridPickList");
                QVERIFY(types != nullptr);
                types->showPopup();
                types->view()->setCurrentIndex(types->model()->index(0, 0));
                QTest::keyClick(types->view(), Qt::Key_Return);
                QCoreApplication::processEvents();
                QCOMPARE(test::cellText(grille, 5, 2), QStringLiteral("AL"));
                QVERIFY(!ok->isEnabled());
                test::onNextModal<QInputDialog>([](QInputDialog& d) {
                    d.setTextValue(QStringLiteral("cb "));
                    d.accept();
                });
                child<QPushButton>(dialogue, "btRegle")->click();
                QCOMPARE(test::cellText(grille, 5, 3), QStringLiteral("AL"));
                QVERIFY(ok->isEnabled());
                accepte = true;
                return;
            }
            // The same statement again: its lines are all in the journal now.
            QCOMPARE(test::columnTexts(grille, 6),
                     QStringList(3, QStringLiteral("Ignorée : déjà dans le journal")));
            QVERIFY(!ok->isEnabled());
        };
        page.setApercuImport([&](TfmImportReleve& dialogue) {
            bool accepte = false;
            regarde(dialogue, accepte);
            return accepte;
        });
        const std::filesystem::path recuperation = opened.folder / "Budget.ini.recup";
        // One blank operation is not a batch: it waits for the delay of the recovery file.
        test::onNextModal<TfmAjtPlsOp>([](TfmAjtPlsOp& d) { d.accept(); });
        opened.press("btAjouter");
        QCOMPARE(opened.budget().Operations.size(), 4u);
        QVERIFY(!std::filesystem::exists(recuperation));
        QVERIFY(opened.window->annule());
        // The key reaches the tab's shortcut from the journal that has the keyboard, whose
        // menu offers the same action.
        Grid& journal = opened.child<Grid>("grOperations");
        auto* action = page.findChild<QAction*>("acImporterReleve");
        QCOMPARE(action->text(), QStringLiteral("Importer un relevé…"));
        QCOMPARE(journal.contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(journal.actions().contains(action));
        opened.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(opened.window.get()));
        journal.setFocus();
        QTest::keyClick(journal.viewport(), Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(apercus, 1);
        QVERIFY(std::filesystem::exists(recuperation));  // a batch is kept at once
        const auto& ops = opened.budget().Operations;
        QCOMPARE(ops.size(), 5u);
        QCOMPARE(ops[2].cLibelle, std::string("CB \xc9PICERIE"));
        QCOMPARE(ops[2].nSelect, 0);
        QCOMPARE(ops[3].cTypeDep, std::string("AL"));
        QCOMPARE(ops[4].cDate, std::string("15/03/2024"));
        QCOMPARE(static_cast<double>(ops[4].nSolde), 1423.8);
        QCOMPARE(journal.currentCell().row, 3);
        QVERIFY(opened.budget().Import.colonnes("Date;Texte;Somme") != nullptr);
        QCOMPARE(opened.budget().Import.regles().size(), 1u);

        QVERIFY(opened.window->annule());
        QCOMPARE(ops.size(), 3u);
        QVERIFY(opened.budget().Import.vide());
        QVERIFY(opened.window->retablit());
        QCOMPARE(ops.size(), 5u);
        page.importeReleve();
        QCOMPARE(apercus, 2);

        // A faulty statement: the line is named and nothing changes.
        page.setChoixReleve([&](QWidget*) {
            return ecrit("faux.qif", "!Type:Bank\nD31/02/2024\nT-1,00\nPX\n^\n");
        });
        page.importeReleve();
        QCOMPARE(opened.prompter.boxes.size(), 1u);
        QCOMPARE(opened.prompter.boxes.back().text,
                 QStringLiteral("Relevé « faux.qif » refusé, ligne 2 : date absente ou "
                                "incorrecte. Rien n'est importé."));
        QCOMPARE(apercus, 2);
        QCOMPARE(ops.size(), 5u);
    }
};

QTEST_MAIN(OperationsDialogsTest)
#include "operations_dialogs_test.moc"
