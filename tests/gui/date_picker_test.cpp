#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "editing/date_picker_dialog.h"
#include "model/date_text.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

QString shown(const TFCCalend& dialog) {
    return QString::fromStdString(dateText(dialog.dateAffichee()));
}

QString labels(const TFCCalend& dialog) {
    return dialog.findChild<QLabel*>("stMois")->text() + ' ' +
           dialog.findChild<QLabel*>("stAnnee")->text();
}

void click(QWidget& dialog, const char* name) {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(name), Qt::LeftButton);
}

// The cell of `day` in the shown month; days 7 to 21 appear only once in the grid.
QPoint dayCell(QWidget& dialog, int day) {
    auto* view = dialog.findChild<QCalendarWidget*>("Calend")->findChild<QAbstractItemView*>();
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toString() == QString::number(day))
                return view->visualRect(index).center();
        }
    return {};
}

QWidget* calendarView(QWidget& dialog) {
    return dialog.findChild<QCalendarWidget*>("Calend")
        ->findChild<QAbstractItemView*>()
        ->viewport();
}

// Runs ChoisitDate on `texte`, doing `act` on the dialog once it is open.
std::optional<std::string> choose(std::string_view texte, std::function<void(TFCCalend&)> act,
                                  QString* shownAtStart = nullptr) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TFCCalend*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (shownAtStart) *shownAtStart = shown(*dialog);
        act(*dialog);
        // A dialog left open would hang the test; closed, it answers nothing and fails it.
        if (dialog->isVisible()) dialog->reject();
    });
    return ChoisitDate(nullptr, texte);
}

}  // namespace

class DatePickerTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAStartingDateTodayIsShown() {
        TFCCalend dialog;
        QCOMPARE(labels(dialog), QStringLiteral("Mois : Année :"));
        dialog.show();
        const QDate today = QDate::currentDate();
        QCOMPARE(shown(dialog), today.toString(QStringLiteral("dd/MM/yyyy")));
        const char* const months[] = {"janvier",   "février", "mars",     "avril",
                                      "mai",       "juin",    "juillet",  "août",
                                      "septembre", "octobre", "novembre", "décembre"};
        QCOMPARE(labels(dialog), QString::fromUtf8(months[today.month() - 1]) + ' ' +
                                     QString::number(today.year()));
    }

    void theButtonsMoveTheShownDate() {
        struct Case {
            CivilDate from;
            const char* button;
            const char* date;
            const char* labels;
        };
        const Case cases[] = {
            {{31, 3, 2024}, "btMoisPrec", "29/02/2024", "février 2024"},
            {{31, 1, 2023}, "btMoisSuiv", "28/02/2023", "février 2023"},
            {{15, 12, 2023}, "btMoisSuiv", "15/01/2024", "janvier 2024"},
            {{10, 1, 2024}, "btMoisPrec", "10/12/2023", "décembre 2023"},
            {{29, 2, 2024}, "btAnneeSuiv", "28/02/2025", "février 2025"},
            {{29, 2, 2024}, "btAnneePrec", "28/02/2023", "février 2023"},
            // The core's date range ends the years.
            {{31, 12, 9999}, "btAnneeSuiv", "31/12/9999", "décembre 9999"},
            {{31, 12, 9999}, "btMoisSuiv", "31/12/9999", "décembre 9999"},
            {{1, 1, 1}, "btAnneePrec", "01/01/0001", "janvier 1"},
            {{1, 1, 1}, "btMoisPrec", "01/01/0001", "janvier 1"},
        };
        for (const Case& c : cases) {
            TFCCalend dialog;
            dialog.setDateDepart(c.from);
            dialog.show();
            click(dialog, c.button);
            QCOMPARE(shown(dialog), QString::fromLatin1(c.date));
            QCOMPARE(labels(dialog), QString::fromUtf8(c.labels));
        }
    }

    void todayAndAClickedDayBecomeTheShownDate() {
        TFCCalend dialog;
        dialog.setDateDepart(CivilDate{3, 5, 2001});
        dialog.show();
        QTest::mouseClick(calendarView(dialog), Qt::LeftButton, {}, dayCell(dialog, 17));
        QCOMPARE(shown(dialog), QStringLiteral("17/05/2001"));
        // All six weeks fit in the calendar's 105 pixels.
        auto* view = dialog.findChild<QCalendarWidget*>("Calend")->findChild<QAbstractItemView*>();
        const QModelIndex lastDay = view->model()->index(view->model()->rowCount() - 1, 6);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(lastDay)));
        click(dialog, "btAnneeSuiv");
        click(dialog, "btAujourdhui");
        QCOMPARE(dialog.dateAffichee().year, QDate::currentDate().year());
        QCOMPARE(shown(dialog), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(labels(dialog).right(4), QString::number(QDate::currentDate().year()));
    }

    void choisitDateAnswersOnlyOnOk() {
        QString start;
        QCOMPARE(
            choose("05/03/2024", [](TFCCalend& d) { click(d, "btMoisSuiv"), click(d, "btOK"); }),
            std::optional<std::string>("05/04/2024"));
        QCOMPARE(choose("05/03/2024", [](TFCCalend& d) { click(d, "btCancel"); }), std::nullopt);
        QCOMPARE(choose("05/03/2024", [](TFCCalend& d) { d.close(); }), std::nullopt);
        // Neither the blank mask nor an impossible date is a starting date.
        const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        for (const char* texte : {"  /  /    ", "30/02/2024"}) {
            QCOMPARE(choose(
                         texte, [](TFCCalend& d) { click(d, "btOK"); }, &start),
                     std::optional<std::string>(today.toStdString()));
            QCOMPARE(start, today);
        }
    }

    void aDoubleClickedDayIsTheAnswer() {
        QCOMPARE(choose("05/03/2024",
                        [](TFCCalend& d) {
                            // The first click of a double click selects the day.
                            QTest::mouseClick(calendarView(d), Qt::LeftButton, {}, dayCell(d, 20));
                            QTest::mouseDClick(calendarView(d), Qt::LeftButton, {}, dayCell(d, 20));
                        }),
                 std::optional<std::string>("20/03/2024"));
    }
};

QTEST_MAIN(DatePickerTest)
#include "date_picker_test.moc"
