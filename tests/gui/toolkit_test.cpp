#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "core/model/date_text.h"
#include "gui/toolkit/date_picker_dialog.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/system_locale.h"
#include "next_modal.h"
#include "render/budget_text.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

// What the next message box showed; Enter then presses its default button.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};
void answerNextBoxWithEnter(SeenBox& seen) {
    varnelle::test::onNextModal<QMessageBox>([&seen](QMessageBox& box) {
        seen = {box.windowTitle(), box.text(), box.icon(), {}};
        for (QAbstractButton* button : box.buttons())
            seen.buttons << button->text().remove(QLatin1Char('&'));
        seen.buttons.sort();
        QTest::keyClick(&box, Qt::Key_Return);
    });
}

QString shown(const TFCCalend& dialog) {
    return QString::fromStdString(dateText(dialog.dateAffichee()));
}

QString labels(const TFCCalend& dialog) {
    return dialog.findChild<QLabel*>("stMois")->text() + ' ' +
           dialog.findChild<QLabel*>("stAnnee")->text();
}

QString today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

void click(QWidget& dialog, const char* name) {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(name), Qt::LeftButton);
}

QAbstractItemView* calendarView(QWidget& dialog) {
    return dialog.findChild<QCalendarWidget*>("Calend")->findChild<QAbstractItemView*>();
}

// Days 7 to 21 appear only once in the grid. A double click is a click, then a double click.
void clickDay(QWidget& dialog, int day, bool twice = false) {
    QAbstractItemView* view = calendarView(dialog);
    for (int row = 0; row < view->model()->rowCount(); ++row)
        for (int column = 0; column < 7; ++column) {
            const QModelIndex index = view->model()->index(row, column);
            if (index.data().toString() != QString::number(day)) continue;
            const QPoint centre = view->visualRect(index).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
            if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
            return;
        }
    QFAIL("no such day");
}

// Runs ChoisitDate on `texte`, doing `act` on the dialog once it is open.
std::optional<std::string> choose(std::string_view texte, std::function<void(TFCCalend&)> act) {
    varnelle::test::onNextModal<TFCCalend>(act);
    return ChoisitDate(nullptr, texte);
}

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void budgetTextKeepsWhatTheFileCanHold() {
        const QString typed = QStringLiteral("Été 2024 – 15 € œuvre");
        const auto bytes = toBudgetText(typed);
        QVERIFY(bytes.has_value());
        QCOMPARE(*bytes, std::string("\xC9t\xE9 2024 \x96 15 \x80 \x9Cuvre"));
        QCOMPARE(fromBudgetText(*bytes), typed);
        QVERIFY(!toBudgetText(QStringLiteral("月")).has_value());

        QVERIFY(isAcceptableBudgetText(QStringLiteral("Loyer été"), 20));
        QVERIFY(!isAcceptableBudgetText(QStringLiteral("Loyer été"), 8));
        QVERIFY(!isAcceptableBudgetText(QStringLiteral("deux\nlignes"), 50));
        QVERIFY(!isAcceptableBudgetText(QStringLiteral("tab\tulation"), 50));
        QVERIFY(!isAcceptableBudgetText(QStringLiteral("Ł"), 50));
    }

    void localeFactsComeFromTheLocaleOrFallBackToFrench() {
        const LocaleFacts c = localeFactsOf(QLocale::c());
        QCOMPARE(c.nomsMois[1], std::string("f\xE9vrier"));
        QCOMPARE(c.separateurDecimal, ',');

        const LocaleFacts english = localeFactsOf(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(english.nomsMois[0], std::string("January"));
        QCOMPARE(english.separateurDecimal, '.');

        const LocaleFacts german = localeFactsOf(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(german.nomsMois[2], std::string("M\xE4rz"));
        QCOMPARE(german.separateurDecimal, ',');

        // Names the data file's character set cannot hold are not used.
        const LocaleFacts russian = localeFactsOf(QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(russian.nomsMois[0], std::string("janvier"));
    }

    void boxesHaveTheirTitleIconAndDefaultButton() {
        MessageBoxPrompter prompter;
        struct Case {
            bool withCancel;
            Prompter::Answer defaultAnswer;
        };
        for (const Case c : {Case{false, Prompter::Answer::No}, Case{true, Prompter::Answer::No},
                             Case{true, Prompter::Answer::Yes}}) {
            SeenBox seen;
            answerNextBoxWithEnter(seen);
            const Prompter::Answer answer =
                c.withCancel ? prompter.askYesNoCancel(nullptr, "Sauvegarder ?", c.defaultAnswer)
                             : prompter.askYesNo(nullptr, "Supprimer ?", c.defaultAnswer);
            QCOMPARE(answer, c.defaultAnswer);
            QCOMPARE(seen.title, QStringLiteral("Attention"));
            QCOMPARE(seen.icon, QMessageBox::Question);
            const QStringList expected =
                c.withCancel ? QStringList{"Annuler", "Non", "Oui"} : QStringList{"Non", "Oui"};
            QCOMPARE(seen.buttons, expected);
        }
        // Errors show their caption with one button.
        SeenBox seen;
        answerNextBoxWithEnter(seen);
        prompter.error(nullptr, "Erreur", "Ne peut écrire dans /tmp/x.ini");
        QCOMPARE(seen.title, QStringLiteral("Erreur"));
        QCOMPARE(seen.text, QStringLiteral("Ne peut écrire dans /tmp/x.ini"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }

    void withoutAStartingDateTodayIsShown() {
        TFCCalend dialog;
        QCOMPARE(labels(dialog), QStringLiteral("Mois : Année :"));
        dialog.show();
        QCOMPARE(shown(dialog), today());
        const QDate now = QDate::currentDate();
        QCOMPARE(labels(dialog), QLocale(QLocale::French).monthName(now.month()) + ' ' +
                                     QString::number(now.year()));
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
            {{10, 1, 2024}, "btMoisPrec", "10/12/2023", "décembre 2023"},
            {{29, 2, 2024}, "btAnneeSuiv", "28/02/2025", "février 2025"},
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
        clickDay(dialog, 17);
        QCOMPARE(shown(dialog), QStringLiteral("17/05/2001"));
        // All six weeks fit in the calendar's 105 pixels.
        QAbstractItemView* view = calendarView(dialog);
        const QModelIndex lastDay = view->model()->index(view->model()->rowCount() - 1, 6);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(lastDay)));
        click(dialog, "btAnneeSuiv");
        click(dialog, "btAujourdhui");
        QCOMPARE(shown(dialog), today());
        QCOMPARE(labels(dialog).right(4), QString::number(QDate::currentDate().year()));
    }

    void choisitDateAnswersOnlyOnOk() {
        using Answer = std::optional<std::string>;
        QCOMPARE(
            choose("05/03/2024", [](TFCCalend& d) { click(d, "btMoisSuiv"), click(d, "btOK"); }),
            Answer("05/04/2024"));
        QCOMPARE(choose("05/03/2024", [](TFCCalend& d) { clickDay(d, 20, true); }),
                 Answer("20/03/2024"));
        QCOMPARE(choose("05/03/2024", [](TFCCalend& d) { click(d, "btCancel"); }), std::nullopt);
        QCOMPARE(choose("05/03/2024", [](TFCCalend& d) { d.close(); }), std::nullopt);
        // Neither the blank mask nor an impossible date is a starting date.
        for (const char* texte : {"  /  /    ", "30/02/2024"})
            QCOMPARE(choose(texte, [](TFCCalend& d) { click(d, "btOK"); }),
                     Answer(today().toStdString()));
    }

    // Runs last: the boxes above must speak French without Qt's translation.
    void standardMenusSpeakFrench() {
        QVERIFY(installeTraductionQt());
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Annuler"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
