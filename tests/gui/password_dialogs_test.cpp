#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "core/storage/budget_folder.h"
#include "core/storage/password.h"
#include "core/storage/profile_file.h"
#include "gui/main/change_mot_de_passe_dialog.h"
#include "gui/main/choix_fichier_dialog.h"
#include "recording_prompter.h"
#include "temp_folder.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

template <class T> T* child(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", name);
    return found;
}

// A budget of password "ANCIEN" and the dialog that changes it.
struct PasswordChange {
    test::TempFolder folder;
    std::filesystem::path path = folder / "Budget.ini";
    ProfileFile file;
    RecordingPrompter prompter;
    TfmChangeMotDePasse dialog{file, prompter};
    PasswordChange() {
        test::writeFile(path, "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("ANCIEN") +
                                  "\r\nnNbOperations=0\r\n");
        file.open(path);
    }
    void type(const char* ancien, const char* nouveau, const char* again) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edAncien"), ancien);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edNouveau"), nouveau);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edConfirmation"), again);
    }
    void ok() { QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton); }
};

}  // namespace

// The dialogs that choose a budget by its password and change that password.
class PasswordDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void anExistingBudgetOpensWithItsPasswordInAnyCase() {
        test::TempFolder folder;
        QVERIFY(creeBudget(folder.path(), "Budget", "secret"));
        QVERIFY(creeBudget(folder.path(), "Autre", "x"));
        std::filesystem::rename(folder / "Budget.ini", folder / "Budget.INI");
        test::writeFile(folder / "Copie de Budget.ini", "");
        RecordingPrompter prompter;
        TfmChoixNomFicINI dialog(folder.path(), prompter);
        dialog.show();

        auto* list = child<QListWidget>(dialog, "lbBDDExistantes");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Autre"));
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(child<QRadioButton>(dialog, "rbBDDExistantes")->isChecked());
        QVERIFY(!child<QLineEdit>(dialog, "edNouvelleBDD")->isEnabled());
        auto* ok = child<QPushButton>(dialog, "btOK");
        QVERIFY(!ok->isEnabled());

        list->setCurrentRow(1);
        auto* password = child<QLineEdit>(dialog, "edMotDePasse");
        QTest::keyClicks(password, "secret");
        QCOMPARE(password->text(), QStringLiteral("SECRET"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), std::string("Budget.INI"));
        QVERIFY(prompter.boxes.empty());

        // A file that cannot be read is said so, never taken for a wrong password.
        std::filesystem::resize_file(folder / "Autre.ini", ProfileFile::kMaxFileBytes + 1);
        TfmChoixNomFicINI large(folder.path(), prompter);
        large.show();
        QTest::keyClicks(child<QLineEdit>(large, "edMotDePasse"), "x");
        QTest::mouseClick(child<QPushButton>(large, "btOK"), Qt::LeftButton);
        QVERIFY(large.result().empty() && prompter.boxes[0].text.contains("trop grand"));
    }

    void aNewBudgetNeedsAFreeNameAndAPassword() {
        test::TempFolder folder;
        RecordingPrompter prompter;
        {
            TfmChoixNomFicINI empty(folder.path(), prompter);
            empty.show();
            QVERIFY(child<QRadioButton>(empty, "rbNouvelleBDD")->isChecked());
            QVERIFY(child<QLineEdit>(empty, "edNouvelleBDD")->isEnabled());
            QVERIFY(!child<QListWidget>(empty, "lbBDDExistantes")->isEnabled());
        }
        QVERIFY(creeBudget(folder.path(), "Budget", "secret"));
        test::writeFile(folder / "Copie de Vacances.ini", "");
        TfmChoixNomFicINI dialog(folder.path(), prompter);
        dialog.show();
        QTest::mouseClick(child<QRadioButton>(dialog, "rbNouvelleBDD"), Qt::LeftButton);
        auto* name = child<QLineEdit>(dialog, "edNouvelleBDD");
        auto* ok = child<QPushButton>(dialog, "btOK");
        QTest::keyClicks(child<QLineEdit>(dialog, "edMotDePasse"), "maison");
        for (const char* taken : {"budget", "copie de vacances", "a/b"}) {
            name->setText(taken);
            QVERIFY2(!ok->isEnabled(), taken);
            QVERIFY(!child<QLabel>(dialog, "stRefus")->text().isEmpty());
        }
        name->clear();
        QTest::keyClicks(name, "Maison");
        QVERIFY(child<QLabel>(dialog, "stRefus")->text().isEmpty());
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), std::string("Maison.ini"));
        ProfileFile created;
        QCOMPARE(created.open(folder / "Maison.ini"), ProfileFile::OpenStatus::Ok);
        QVERIFY(MotDePasseCorrect(created, "MAISON"));
    }

    void okNeedsBothPasswordsAndTheSameConfirmationAndAWrongOneChangesNothing() {
        PasswordChange opened;
        const std::string before = test::readFile(opened.path);
        auto* ok = opened.dialog.findChild<QPushButton*>("btOK");
        opened.type("autre", "neuf", "neu");
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(opened.dialog.findChild<QLineEdit*>("edConfirmation"), "F");
        QVERIFY(ok->isEnabled());
        opened.ok();
        QCOMPARE(opened.prompter.boxes.size(), std::size_t{1});
        QCOMPARE(opened.prompter.boxes[0].text, QStringLiteral("Ancien mot de passe invalide !!!"));
        QCOMPARE(test::readFile(opened.path), before);
    }

    // Written at once, or after a change made elsewhere only on Yes to the question.
    void theNewPasswordIsWrittenUnlessAChangeElsewhereIsKept() {
        struct Case {
            bool changedElsewhere;
            Prompter::Answer answer;
        };
        for (const Case c : {Case{false, Prompter::Answer::Cancel},
                             Case{true, Prompter::Answer::No}, Case{true, Prompter::Answer::Yes}}) {
            PasswordChange opened;
            if (c.changedElsewhere)
                test::writeFile(opened.path, "[GENERAL]\r\ncMotDePasse=" +
                                                 BrouillerMotDePasse("ANCIEN") + "\r\nautre=1\r\n");
            opened.prompter.answerNext(c.answer);
            opened.type("ancien", "neuf", "neuf");
            opened.ok();
            QCOMPARE(opened.prompter.boxes.size(), std::size_t{c.changedElsewhere ? 1u : 0u});
            if (c.changedElsewhere)
                QCOMPARE(opened.prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
            ProfileFile reread;
            QCOMPARE(reread.open(opened.path), ProfileFile::OpenStatus::Ok);
            QCOMPARE(MotDePasseCorrect(reread, "NEUF"), c.answer != Prompter::Answer::No);
        }
    }
};

QTEST_MAIN(PasswordDialogsTest)
#include "password_dialogs_test.moc"
