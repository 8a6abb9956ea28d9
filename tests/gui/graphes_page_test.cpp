#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QtTest>

#include "gui/statistics/graphes_page.h"
#include "gui/statistics/operations_type_dep_window.h"
#include "gui/toolkit/drawing_surface.h"
#include "next_modal.h"
#include "opened_budget.h"
#include "render/colour.h"

using namespace varnelle;
using namespace varnelle::gui;

using test::operation;
using Box = RecordingPrompter::Box;

namespace {

// December 2023 before the sample's 28/02, 02/03 and 15/03/2024.
Budget deuxAnnees() {
    Budget budget = test::sampleBudget();
    budget.Operations.insert(budget.Operations.begin(), operation("10/12/2023", "AL", -10));
    return budget;
}

// The main window on its graphs page, as the user reaches it.
struct Graphes {
    test::OpenedBudget opened;
    GraphesPage& page;

    explicit Graphes(const Budget& budget = deuxAnnees())
        : opened(budget), page(opened.child<GraphesPage>("tsGraphes")) {
        opened.choose("pcVarnelle", kOngletStats);
    }

    QLineEdit& champ(const char* name) { return opened.child<QLineEdit>(name); }
    QComboBox& liste(const char* name) { return opened.child<QComboBox>(name); }
    void clique(const char* bouton) {
        QTest::mouseClick(&opened.child<QPushButton>(bouton), Qt::LeftButton);
    }
    // Types the digits of a date into a masked field from its start, as the user does.
    void saisit(const char* name, const char* chiffres) {
        QLineEdit& ed = champ(name);
        ed.clear();
        ed.setFocus();
        ed.home(false);
        QTest::keyClicks(&ed, chiffres);
    }
    void dessine(int graphe, const char* debut, const char* fin) {
        opened.choose("pcGraphes", graphe);
        saisit("edDateDeb", debut);
        saisit("edDateFin", fin);
        clique("btDessinerGraphe");
    }
    QStringList erreurs() {
        QStringList textes;
        for (const Box& box : opened.prompter.boxes) textes << box.text;
        opened.prompter.boxes.clear();
        return textes;
    }
    void choisitMois(int mois, const char* annee) {
        liste("cbMois").setCurrentIndex(mois - 1);
        liste("cbAnnees").setCurrentText(QString::fromLatin1(annee));
    }
    QString periode() { return champ("edDateDeb").text() + " " + champ("edDateFin").text(); }
};

const QString kAucune = QStringLiteral("Aucune opération dans l'intervalle de dates.");

}  // namespace

class GraphesPageTest : public QObject {
    Q_OBJECT

private slots:
    void theMonthControlsStandInsideTheirFrame() {
        Graphes g;
        // Below the group's title, on no line of its frame.
        auto& gb = g.opened.child<QGroupBox>("gbMoisComplet");
        QStyleOptionGroupBox option;
        option.initFrom(&gb);
        option.text = gb.title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect frame =
            gb.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &gb);
        for (const char* name :
             {"cbMois", "cbAnnees", "btAppliquerDates", "btMoisPrec", "btMoisSuiv"})
            QVERIFY(
                frame.adjusted(1, 1, -1, -1).contains(g.opened.child<QWidget>(name).geometry()));
    }

    void eachGraphIsDrawnForItsOwnPeriodOrSaysWhyNot() {
        Graphes g;
        // From 01/03/2024: AL -20 and SA 1500, AL first, in the odd colour under the line.
        g.dessine(GraphesPage::kGrapheTypesDep, "01032024", "");
        QVERIFY(g.page.lGrapheTDDessine());
        DrawingSurface& surface = g.opened.child<DrawingSurface>("imgTypesDep");
        const QImage image = surface.grab().toImage();
        const int y0 = (surface.height() - 20) / 2 + 10;
        const int pas = (surface.width() - 20) / 2;
        const TParam& p = g.opened.window->budget().Param;
        QCOMPARE(QColor(image.pixel(12, y0 + 2)), qColor(p.nCoulGrapheTDTyImp));
        QCOMPARE(QColor(image.pixel(pas + 12, y0 - 20)), qColor(p.nCoulGrapheTDTyPai));
        QCOMPARE(QColor(image.pixel(pas + 12, 5)), qColor(p.nCoulGrapheTDFon));

        // The operations graph needs two days; one day alone is nothing to draw.
        g.dessine(GraphesPage::kGrapheOperations, "02032024", "02032024");
        QCOMPARE(g.erreurs(), QStringList{kAucune});
        QVERIFY(!g.page.lGrapheOpDessine());
        g.dessine(GraphesPage::kGrapheOperations, "01032024", "");
        QVERIFY(g.page.lGrapheOpDessine() && g.erreurs().isEmpty());

        // End before start: nothing changes.
        g.dessine(GraphesPage::kGrapheTypesDep, "16032024", "01032024");
        QCOMPARE(g.erreurs(), QStringList{"Date Initiale > Date Finale."});
        QVERIFY(g.page.lGrapheTDDessine());
        // An empty period stops the automatic redrawing of that graph only.
        g.dessine(GraphesPage::kGrapheTypesDep, "16032024", "");
        QCOMPARE(g.erreurs(), QStringList{kAucune});
        QVERIFY(!g.page.lGrapheTDDessine() && g.page.lGrapheOpDessine());
        // Nor does the user's resizing redraw it: the grown part shows the page's colour.
        const QColor fond = surface.palette().color(QPalette::Window);
        QVERIFY(fond != qColor(p.nCoulGrapheTDFon));
        const int largeur = surface.width();
        g.opened.window->resize(g.opened.window->width() + 60, g.opened.window->height());
        QTRY_COMPARE(surface.width(), largeur + 60);
        QCOMPARE(QColor(surface.grab().toImage().pixel(largeur + 30, 5)), fond);
        QVERIFY(g.erreurs().isEmpty());
        // A partly typed date is an open bound.
        g.dessine(GraphesPage::kGrapheTypesDep, "16", "");
        QVERIFY(g.page.lGrapheTDDessine() && g.erreurs().isEmpty());
    }

    void wholeMonthsAreAppliedAndSteppedWithinTheListedYears() {
        Graphes g;
        // The current operation is the last one, of March 2024.
        QCOMPARE(g.liste("cbMois").currentIndex(), 2);
        QCOMPARE(g.liste("cbMois").count(), 12);
        QCOMPARE(g.liste("cbAnnees").count(), 2);
        QCOMPARE(g.liste("cbAnnees").currentText(), QStringLiteral("2024"));

        g.choisitMois(2, "2024");
        g.clique("btAppliquerDates");
        QCOMPARE(g.periode(), QStringLiteral("01/02/2024 29/02/2024"));
        QVERIFY(g.page.lGrapheTDDessine());
        g.choisitMois(2, "2023");
        g.clique("btAppliquerDates");
        QCOMPARE(g.periode(), QStringLiteral("01/02/2023 28/02/2023"));
        QCOMPARE(g.erreurs(), QStringList{kAucune});

        g.choisitMois(1, "2024");
        g.clique("btMoisPrec");
        QCOMPARE(g.periode(), QStringLiteral("01/12/2023 31/12/2023"));
        QVERIFY(g.page.lGrapheTDDessine());
        g.choisitMois(1, "2023");
        g.clique("btMoisPrec");
        g.choisitMois(12, "2024");
        g.clique("btMoisSuiv");
        QCOMPARE(g.opened.prompter.beeps, 2);
        QCOMPARE(g.periode(), QStringLiteral("01/12/2023 31/12/2023"));
    }

    void withoutOperationsTodaysMonthIsTheOnlyChoice() {
        Graphes g{Budget{}};
        const QDate today = QDate::currentDate();
        QCOMPARE(g.liste("cbMois").currentIndex(), today.month() - 1);
        QCOMPARE(g.liste("cbAnnees").count(), 1);
        QCOMPARE(g.liste("cbAnnees").currentText(), QString::number(today.year()));
    }

    void calendarButtonsRefuseAPartlyTypedDateAndFillThePickedOne() {
        Graphes g;
        g.saisit("edDateDeb", "12");
        g.clique("btDateDeb");
        QCOMPARE(g.erreurs(), QStringList{"'12/  /    ' n'est pas une date correcte"});
        g.saisit("edDateFin", "05032024");
        test::onNextModal([](QWidget& picker) {
            QTest::mouseClick(picker.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        });
        g.clique("btDateFin");
        QCOMPARE(g.champ("edDateFin").text(), QStringLiteral("05/03/2024"));
    }

    void doubleClicksOpenTheOperationsWindowOnWhatIsUnderThePointer() {
        Graphes g;
        DrawingSurface& types = g.opened.child<DrawingSurface>("imgTypesDep");
        // Before any drawing nothing happens, not even a beep.
        QTest::mouseDClick(&types, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(g.opened.prompter.beeps, 0);

        const auto ouvre = [](DrawingSurface& surface, QPoint point) {
            QString titre;
            test::onNextModal<TfmOperationsTypeDep>(
                [&titre](QWidget& fenetre) { titre = fenetre.windowTitle(); });
            QTest::mouseDClick(&surface, Qt::LeftButton, {}, point);
            return titre;
        };
        g.dessine(GraphesPage::kGrapheTypesDep, "01032024", "");
        QCOMPARE(ouvre(types, QPoint(types.width() - 20, types.height() / 2)),
                 QStringLiteral("Détail du type de dépenses \"SA\" (Type)"));
        QTest::mouseDClick(&types, Qt::LeftButton, {}, QPoint(types.width() - 10, 20));
        QCOMPARE(g.opened.prompter.beeps, 1);

        // 02/03 to 15/03: the middle of the graph lies between the two operation days.
        g.dessine(GraphesPage::kGrapheOperations, "01032024", "");
        DrawingSurface& operations = g.opened.child<DrawingSurface>("imgOperations");
        QCOMPARE(ouvre(operations, QPoint(operations.width() / 2, operations.height() / 2)),
                 QStringLiteral("Détail des opérations du 02/03/2024 au 15/03/2024"));
    }
};

QTEST_MAIN(GraphesPageTest)
#include "graphes_page_test.moc"
