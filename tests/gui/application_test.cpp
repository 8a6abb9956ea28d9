#include <QApplication>
#include <QSpinBox>
#include <QStyle>
#include <QtTest>

#include "gui/main/application.h"
#include "opened_budget.h"

using namespace varnelle;

class ApplicationTest : public QObject {
    Q_OBJECT

private slots:
    // The window decorations and task switchers show the program's own icon, and the style
    // stays the one the fixed-size controls were laid out for, whatever the desktop's.
    void theProgramKeepsItsIconAndItsStyle() {
        // As a desktop whose own style is another one would have it.
        QApplication::setStyle(QStringLiteral("Windows"));
        gui::prepareApplication();
        QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(32, 32).isNull());
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Varnelle"));

        test::OpenedBudget opened;
        QCOMPARE(opened.window->windowIcon().cacheKey(), icon.cacheKey());
        // The narrowest fixed box must show its widest value, "31", whole.
        auto& jours = opened.child<QSpinBox>("edNbJoursMois");
        QVERIFY2(
            jours.sizeHint().width() <= jours.width(),
            qPrintable(QStringLiteral("%1 > %2").arg(jours.sizeHint().width()).arg(jours.width())));
    }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
