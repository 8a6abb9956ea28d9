#include <QAbstractItemModelTester>
#include <QtTest>

#include "gui/toolkit/tree.h"
#include "gui/toolkit/tree_pictures.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

// 0 2024 / 1 Février / 2 Loyer / 3 Mars / 4 2025 / 5 Avril, years and months with tick boxes.
TreeNodes sample() {
    constexpr auto o = TickState::Unticked, none = TickState::None;
    return {{0, "2024", 0, 1, o}, {1, "F\xE9vrier", 2, 3, o}, {2, "Loyer", 4, 5, none},
            {1, "Mars", 2, 3, o}, {0, "2025", 0, 1, o},       {1, "Avril", 2, 3, o}};
}

}  // namespace

class TreeTest : public QObject {
    Q_OBJECT

    TreeNodes nodes = sample();
    Tree tree;
    QAbstractItemModelTester tester{&tree.treeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};
    QStringList log;

    QPoint inside(int node, TreeHit::Area area) {
        const QRect r = tree.nodeRect(node);
        for (int x = r.left() - 40; x < r.right(); ++x)
            if (tree.hitTest({x, r.center().y()}).area == area) return {x + 1, r.center().y()};
        return {};
    }

private slots:
    void init() {
        nodes = sample();
        log.clear();
        tree.setNodes(&nodes);
        tree.setImages(treePictures());
        tree.onCurrentNodeChanged(
            [this](int node) { log << QStringLiteral("current %1").arg(node); });
        tree.onTickClick([this](const TreeHit& hit) {
            log << QStringLiteral("tick %1").arg(hit.node);
            toggleTick(nodes, TreeShape(nodes), hit.node);
            tree.reload();
        });
        tree.resize(240, 300);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
    }

    void modelReadsTheListItIsLent() {
        TreeModel& model = tree.treeModel();
        const QModelIndex february = model.index(0, 0, model.index(0, 0));
        QCOMPARE(february.data().toString(), QStringLiteral("Février"));
        QCOMPARE(model.nodeOf(model.index(0, 0, february)), 2);
        QCOMPARE(model.nodeOf(model.parent(model.indexOf(5))), 4);
        const QIcon icon = model.indexOf(1).data(Qt::DecorationRole).value<QIcon>();
        QCOMPARE(icon.pixmap(16, QIcon::Selected).toImage(), treePictures()[3].toImage());
        QCOMPARE(icon.pixmap(16, QIcon::Normal).toImage(), treePictures()[2].toImage());
        // A list cut short before the reload is read no further than it goes.
        nodes.resize(2);
        QVERIFY(!model.indexOf(5).data().isValid());
        tree.reload();
        QCOMPARE(model.rowCount(), 1);
    }

    void ticksAreTheProgramsAndLabelsSelect() {
        tree.expandAll();
        tree.selectNode(3);
        log.clear();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, inside(1, TreeHit::Area::Tick));
        QCOMPARE(log, QStringList{"tick 1"});
        // The reload kept what was open and what was current.
        QCOMPARE(nodes[0].tick, TickState::Ticked);
        QCOMPARE(tree.currentNode(), 3);
        QVERIFY(!tree.nodeRect(2).isEmpty());
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, inside(5, TreeHit::Area::Label));
        QCOMPARE(log, (QStringList{"tick 1", "current 5"}));
        QCOMPARE(tree.hitTest(inside(4, TreeHit::Area::Button)).node, 4);
        QCOMPARE(tree.hitTest(inside(2, TreeHit::Area::Icon)).node, 2);
        QCOMPARE(inside(2, TreeHit::Area::Tick), QPoint());  // a node without a box
    }

    void selectsByPositionAndShowsTheNode() {
        nodes.clear();
        for (int year = 0; year < 60; ++year) {
            nodes.push_back({0, std::to_string(2000 + year)});
            for (int month = 1; month <= 12; ++month) nodes.push_back({1, std::to_string(month)});
        }
        tree.reload();
        const int late = 50 * 13 + 7;
        QVERIFY(tree.nodeRect(late).isEmpty());
        tree.selectNode(late);
        tree.scrollToNode(late);
        QCOMPARE(tree.currentNode(), late);
        QCOMPARE(log, QStringList{QStringLiteral("current %1").arg(late)});
        QVERIFY(tree.viewport()->rect().contains(tree.nodeRect(late)));
    }

    void aRebuildIsSilentAndStartsClosed() {
        tree.expandAll();
        tree.selectNode(5);
        log.clear();
        {
            Tree::Building building(tree);
            QVERIFY(!tree.updatesEnabled());
            nodes = sample();
            tree.reload();
            tree.selectNode(1);
        }
        QVERIFY(log.isEmpty());
        QVERIFY(tree.updatesEnabled());
        QVERIFY(tree.nodeRect(2).isEmpty());
        tree.selectNode(3);
        QCOMPARE(log, QStringList{"current 3"});
    }
};

QTEST_MAIN(TreeTest)
#include "tree_test.moc"
