#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "core/model/month_mask.h"
#include "gui/editing/ajout_operations_dialog.h"
#include "gui/editing/suppression_operations_dialog.h"
#include "gui/editing/types_dep_periodicite_dialog.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "records.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

using Positions = std::vector<std::size_t>;

template <typename T = QWidget> T* child(const QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<T*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
}

// A radio button answers clicks on its circle and caption only, not on the rest of its width.
void click(const QWidget& dialog, const char* name) {
    auto* button = child<QAbstractButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
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

// Due in May: AL (booked in May 2023 only), EA (booked in May 2024), LO, TE (booked in
// June). SA is due in April.
Budget budgetDeMai() {
    Budget budget;
    const std::int32_t mai = bitDuMois(5);
    budget.TypesDep = {test::type("AL", -20, mai), test::type("EA", -30, mai),
                       test::type("LO", -500, mai), test::type("SA", 1500, bitDuMois(4)),
                       test::type("TE", -9, mai | bitDuMois(6))};
    for (TTypeDep& type : budget.TypesDep) type.cLibelle = "Libell\xE9 " + type.cTypeDep;
    budget.Operations = {test::operation("02/05/2023", "AL", -20),
                         test::operation("03/05/2024", "EA", -30),
                         test::operation("15/06/2024", "TE", -9)};
    return budget;
}

}  // namespace

class OperationsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void theDialogsOpenInTheMiddleOfTheScreen() {
        QWidget opener;  // in a corner
        opener.setGeometry(0, 0, 300, 200);
        opener.show();
        const Budget budget = budgetDeMai();
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
        QCOMPARE(dialog.size(), QSize(288, 409));
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
        const Budget budget = budgetDeMai();
        TfmAjtPlsOp dialog(budget);
        auto* lbTypesDep = child<QListWidget>(dialog, "lbTypesDep");
        QCOMPARE(lbTypesDep->count(), 5);
        QCOMPARE(lbTypesDep->item(0)->text(), QStringLiteral("Libellé AL"));
        click(dialog, "rbPlusieurs");
        for (const char* name : {"edDateAjt", "btDateAjt", "lbTypesDep", "btToutes", "btAucune"})
            QVERIFY2(enabled(dialog, name), name);
        auto* edDateAjt = child<QLineEdit>(dialog, "edDateAjt");
        QCOMPARE(dialog.focusWidget(), edDateAjt);

        edDateAjt->setText(QStringLiteral("10/05/2024"));
        QCOMPARE(dialog.typesCoches(), (Positions{0, 2, 4}));
        QVERIFY(enabled(dialog, "btOK"));
        // June: TE is due but booked; nothing else is due.
        edDateAjt->setText(QStringLiteral("10/06/2024"));
        QCOMPARE(dialog.typesCoches(), Positions{});
        QVERIFY(!enabled(dialog, "btOK"));
        click(dialog, "btToutes");
        QCOMPARE(dialog.typesCoches(), (Positions{0, 1, 2, 3, 4}));
        QVERIFY(enabled(dialog, "btOK"));

        // While the date is being typed the ticks stay, but OK waits for a whole date.
        edDateAjt->clear();
        QCOMPARE(dialog.dateAjout(), std::string("  /  /    "));
        QTest::keyClicks(edDateAjt, QStringLiteral("1205"));
        QCOMPARE(dialog.dateAjout(), std::string("12/05/    "));
        QCOMPARE(dialog.typesCoches(), (Positions{0, 1, 2, 4}));
        QVERIFY(!enabled(dialog, "btOK"));
        QTest::keyClicks(edDateAjt, QStringLiteral("2023"));
        QCOMPARE(dialog.typesCoches(), (Positions{1, 2, 4}));
        QVERIFY(enabled(dialog, "btOK"));
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
        const Budget budget = budgetDeMai();
        TfmAjtPlsOp dialog(budget);
        click(dialog, "rbPlusieurs");
        child<QLineEdit>(dialog, "edDateAjt")->setText(QStringLiteral("10/04/2024"));
        QCOMPARE(dialog.typesCoches(), Positions{3});
        for (const char* answer : {"btCancel", "btOK"}) {
            QTimer::singleShot(0, [answer] {
                auto* calendar = qobject_cast<TFCCalend*>(QApplication::activeModalWidget());
                QVERIFY(calendar);
                click(*calendar, "btMoisSuiv");
                click(*calendar, answer);
                if (calendar->isVisible()) calendar->reject();
            });
            click(dialog, "btDateAjt");
        }
        QCOMPARE(dialog.dateAjout(), std::string("10/05/2024"));
        QCOMPARE(dialog.typesCoches(), (Positions{0, 2, 4}));
        click(dialog, "btOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.choix(), TfmAjtPlsOp::Choix::Plusieurs);
    }

    void theDeleteDialogOffersTheYearsOfTheJournal_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<int>("currentRow");
        // Empty: only the current year, and the current month selected.
        QTest::addColumn<QStringList>("years");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("month");
        const QStringList all{"2021", "2022", "2023", "2024"};
        const QString blank = QStringLiteral("  /  /    ");
        QTest::newRow("current row")
            << QStringList{"15/03/2021", "01/01/2023", "10/05/2024"} << 2 << all << "2023" << 1;
        QTest::newRow("last row") << QStringList{"15/03/2021", "10/05/2024"} << 2 << all << "2024"
                                  << 5;
        QTest::newRow("just added") << QStringList{"15/03/2021", "10/05/2024", blank} << 3
                                    << QStringList{} << QString() << 0;
        QTest::newRow("blank current row") << QStringList{"15/03/2021", blank, "10/05/2024"} << 2
                                           << QStringList{} << QString() << 0;
        QTest::newRow("no row") << QStringList{"15/03/2021", "10/05/2024"} << 0 << QStringList{}
                                << QString() << 0;
        QTest::newRow("row past the end")
            << QStringList{"15/03/2021"} << 2 << QStringList{} << QString() << 0;
        QTest::newRow("no operation") << QStringList{} << 0 << QStringList{} << QString() << 0;
    }

    void theDeleteDialogOffersTheYearsOfTheJournal() {
        QFETCH(QStringList, dates);
        QFETCH(int, currentRow);
        QFETCH(QStringList, years);
        QFETCH(QString, year);
        QFETCH(int, month);
        Budget budget;
        for (const QString& date : dates)
            budget.Operations.push_back(test::operation(qPrintable(date), "AL", -1));
        TfmSupPlsOp dialog(budget, currentRow);
        auto* cbAnnees = child<QComboBox>(dialog, "cbAnnees");
        QStringList listed;
        for (int i = 0; i < cbAnnees->count(); ++i) listed << cbAnnees->itemText(i);
        QCOMPARE(listed, years.isEmpty() ? QStringList{thisYear()} : years);
        QCOMPARE(cbAnnees->currentText(), year.isEmpty() ? thisYear() : year);
        QCOMPARE(child<QComboBox>(dialog, "cbMois")->currentIndex() + 1,
                 month == 0 ? QDate::currentDate().month() : month);
        QCOMPARE(dialog.choix(), TfmSupPlsOp::Choix::OperationCourante);
    }

    void theMonthOfAYearIsChosenWhenAsked() {
        Budget budget;
        budget.Operations = {test::operation("31/12/0999", "AL", -1),
                             test::operation("15/03/1001", "AL", -1)};
        TfmSupPlsOp dialog(budget, 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Suppression de plusieurs opérations"));
        QCOMPARE(dialog.size(), QSize(272, 133));
        auto* cbMois = child<QComboBox>(dialog, "cbMois");
        auto* cbAnnees = child<QComboBox>(dialog, "cbAnnees");
        QCOMPARE(cbMois->count(), 12);
        QCOMPARE(cbMois->itemText(1), QStringLiteral("Février"));
        QCOMPARE(cbMois->maxVisibleItems(), 12);
        QCOMPARE(cbAnnees->maxVisibleItems(), 4);
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
};

QTEST_MAIN(OperationsDialogsTest)
#include "operations_dialogs_test.moc"
