#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/storage/password.h"
#include "core/storage/profile_file.h"
#include "gui/main/change_mot_de_passe_dialog.h"
#include "recording_prompter.h"
#include "temp_folder.h"

using namespace varnelle;
using namespace varnelle::gui;

class ChangeMotDePasseTest : public QObject {
    Q_OBJECT

    struct Opened {
        test::TempFolder folder;
        std::filesystem::path path = folder / "Budget.ini";
        ProfileFile file;
        RecordingPrompter prompter;
        TfmChangeMotDePasse dialog{file, prompter};
        Opened() {
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

private slots:
    void okNeedsBothPasswordsAndTheSameConfirmationAndAWrongOneChangesNothing() {
        Opened opened;
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
            Opened opened;
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

QTEST_MAIN(ChangeMotDePasseTest)
#include "change_mot_de_passe_test.moc"
