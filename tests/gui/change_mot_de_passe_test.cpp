#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "main/change_mot_de_passe_dialog.h"
#include "storage/password.h"
#include "storage/profile_file.h"
#include "temp_folder.h"
#include "toolkit/prompter.h"

using namespace varnelle;
using namespace varnelle::gui;

class ChangeMotDePasseTest : public QObject {
    Q_OBJECT

    struct Opened {
        test::TempFolder folder;
        std::filesystem::path path = folder / "Budget.ini";
        ProfileFile file;
        Opened() {
            test::writeFile(path, "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("ANCIEN") +
                                      "\r\nnNbOperations=0\r\n");
            file.open(path);
        }
    };

    static void type(QDialog& dialog, const char* ancien, const char* nouveau, const char* again) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edAncien"), ancien);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edNouveau"), nouveau);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edConfirmation"), again);
    }

private slots:
    void okNeedsBothPasswordsAndTheSameConfirmation() {
        Opened opened;
        RecordingPrompter prompter;
        TfmChangeMotDePasse dialog(opened.file, prompter);
        auto* ok = dialog.findChild<QPushButton*>("btOK");
        type(dialog, "ancien", "neuf", "neu");
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edConfirmation"), "F");
        QVERIFY(ok->isEnabled());
    }

    void theNewPasswordIsWrittenAtOnce() {
        Opened opened;
        RecordingPrompter prompter;
        TfmChangeMotDePasse dialog(opened.file, prompter);
        type(dialog, "ancien", "neuf", "neuf");
        QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QVERIFY(prompter.boxes.empty());
        ProfileFile reread;
        QCOMPARE(reread.open(opened.path), ProfileFile::OpenStatus::Ok);
        QVERIFY(MotDePasseCorrect(reread, "NEUF"));
    }

    void aWrongOldPasswordChangesNothing() {
        Opened opened;
        const std::string before = test::readFile(opened.path);
        RecordingPrompter prompter;
        TfmChangeMotDePasse dialog(opened.file, prompter);
        type(dialog, "autre", "neuf", "neuf");
        QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QCOMPARE(prompter.boxes.size(), std::size_t{1});
        QCOMPARE(prompter.boxes[0].text, QStringLiteral("Ancien mot de passe invalide !!!"));
        QCOMPARE(test::readFile(opened.path), before);
    }

    void aChangeMadeElsewhereIsOverwrittenOnlyOnYes() {
        for (const auto answer : {Prompter::Answer::No, Prompter::Answer::Yes}) {
            Opened opened;
            test::writeFile(opened.path, "[GENERAL]\r\ncMotDePasse=" +
                                             BrouillerMotDePasse("ANCIEN") + "\r\nautre=1\r\n");
            RecordingPrompter prompter;
            prompter.answerNext(answer);
            TfmChangeMotDePasse dialog(opened.file, prompter);
            type(dialog, "ancien", "neuf", "neuf");
            QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
            QCOMPARE(prompter.boxes.size(), std::size_t{1});
            QCOMPARE(prompter.boxes[0].defaultAnswer, Prompter::Answer::No);
            ProfileFile reread;
            reread.open(opened.path);
            QCOMPARE(MotDePasseCorrect(reread, "NEUF"), answer == Prompter::Answer::Yes);
        }
    }
};

QTEST_MAIN(ChangeMotDePasseTest)
#include "change_mot_de_passe_test.moc"
