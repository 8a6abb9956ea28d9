#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "core/storage/budget_folder.h"
#include "core/storage/password.h"
#include "gui/main/choix_fichier_dialog.h"
#include "recording_prompter.h"
#include "temp_folder.h"

using namespace varnelle;
using namespace varnelle::gui;

class ChoixFichierTest : public QObject {
    Q_OBJECT

    template <class T> static T* child(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(name);
        if (found == nullptr) qFatal("no control %s", name);
        return found;
    }

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
};

QTEST_MAIN(ChoixFichierTest)
#include "choix_fichier_test.moc"
