#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "core/model/month_mask.h"
#include "gui/editing/types_dep_periodicite_dialog.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

TTypeDep typeDep(const char* code, std::int32_t masque) {
    TTypeDep type;
    type.cTypeDep = code;
    type.nPeriodicite = masque;
    return type;
}

QList<int> checkedRows(const QListWidget& list) {
    QList<int> rows;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->checkState() == Qt::Checked) rows << row;
    return rows;
}

}  // namespace

class TypesDepPeriodiciteTest : public QObject {
    Q_OBJECT

private slots:
    void theMaskTicksItsMonthsAndComesBack() {
        // January, May and December: the first, a middle and the last bit.
        const std::int32_t masque = bitDuMois(1) | bitDuMois(5) | bitDuMois(12);
        TfmTypesDepPeriodicite dialog(typeDep("AL", masque));
        auto* lbMois = dialog.findChild<QListWidget*>("lbMois");
        QCOMPARE(lbMois->count(), 12);
        QCOMPARE(lbMois->item(0)->text(), QStringLiteral("Janvier"));
        QCOMPARE(lbMois->item(11)->text(), QStringLiteral("Décembre"));
        QCOMPARE(checkedRows(*lbMois), (QList<int>{0, 4, 11}));
        QCOMPARE(lbMois->currentRow(), 0);
        QCOMPARE(dialog.nPeriodicite(), masque);

        // Tous and Aucun tick every month or none.
        QTest::mouseClick(dialog.findChild<QPushButton*>("btTous"), Qt::LeftButton);
        QCOMPARE(dialog.nPeriodicite(), 4095);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btAucun"), Qt::LeftButton);
        QCOMPARE(dialog.nPeriodicite(), 0);
    }

    void spaceTicksARunOfMonths() {
        TfmTypesDepPeriodicite dialog(typeDep("AL", 0));
        auto* lbMois = dialog.findChild<QListWidget*>("lbMois");
        lbMois->setCurrentRow(5);
        for (int i = 0; i < 3; ++i) QTest::keyClick(lbMois, Qt::Key_Space);
        QCOMPARE(checkedRows(*lbMois), (QList<int>{5, 6, 7}));
        QCOMPARE(lbMois->currentRow(), 8);
        // With a modifier the month is still ticked, but the current month stays.
        QTest::keyClick(lbMois, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(checkedRows(*lbMois), (QList<int>{5, 6, 7, 8}));
        QCOMPARE(lbMois->currentRow(), 8);
        // A second press on a ticked month unticks it; the walk stops at December.
        lbMois->setCurrentRow(11);
        QTest::keyClick(lbMois, Qt::Key_Space);
        QTest::keyClick(lbMois, Qt::Key_Space);
        QCOMPARE(lbMois->currentRow(), 11);
        QCOMPARE(dialog.nPeriodicite(), bitDuMois(6) | bitDuMois(7) | bitDuMois(8) | bitDuMois(9));
    }

    void theCaptionNamesTheTypeAndEveryMonthIsInSight() {
        TfmTypesDepPeriodicite dialog(typeDep("\xC9L", 0));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Périodicité de \"ÉL\""));
        dialog.show();
        auto* lbMois = dialog.findChild<QListWidget*>("lbMois");
        QVERIFY(lbMois->viewport()->rect().contains(lbMois->visualItemRect(lbMois->item(11))));
        QCOMPARE(lbMois->verticalScrollBar()->maximum(), 0);
    }
};

QTEST_MAIN(TypesDepPeriodiciteTest)
#include "types_dep_periodicite_test.moc"
