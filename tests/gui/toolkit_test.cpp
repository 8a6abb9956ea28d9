#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

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
