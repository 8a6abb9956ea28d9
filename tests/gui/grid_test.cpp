#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include "toolkit/grid.h"

using namespace varnelle::gui;

class GridTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Grid grid;
        std::vector<QString> labels{"Loyer", "Salaire", "Pain"};
        std::vector<int> marks{1, 0, 2};
        std::vector<QString> refusedEdits;

        Fixture() {
            grid.setColumns({{"", 24, Qt::AlignCenter, false, 0, GridColumn::Kind::CheckBox},
                             {"Libellé", 120},
                             {"Montant", 80, Qt::AlignRight}});
            GridModel& model = grid.gridModel();
            model.setCellLoaded([this](int column, int row) -> QVariant {
                const auto r = static_cast<std::size_t>(row - 1);
                if (column == 1) return marks[r];
                return column == 2 ? QVariant(labels[r]) : QVariant(QStringLiteral("0,00"));
            });
            model.setEndCellEdit([this](int column, int row, const QVariant& value) {
                const auto r = static_cast<std::size_t>(row - 1);
                if (column == 1) {
                    marks[r] = value.toInt();
                    return true;
                }
                if (value.toString().isEmpty()) {
                    refusedEdits.push_back(value.toString());
                    return false;
                }
                labels[r] = value.toString();
                return true;
            });
            grid.setRows(3);
            grid.resize(300, 150);
            grid.show();
        }

        QPoint centerOf(int column, int row) {
            const QRect r = grid.visualRect(grid.gridModel().index(row - 1, column - 1));
            return r.center();
        }
    };

private slots:
    void cellsAreNumberedFromOneWithTheHeadingAsRowZero() {
        Fixture f;
        f.grid.setCurrentCell({2, 3});
        QCOMPARE(f.grid.currentCell(), (Grid::Cell{2, 3}));
        const QPoint inside = f.centerOf(3, 2) + f.grid.viewport()->pos();
        QCOMPARE(f.grid.cellAt(inside), (Grid::Cell{3, 2}));
        const QPoint heading(inside.x(), f.grid.horizontalHeader()->pos().y() + 2);
        QCOMPARE(f.grid.cellAt(heading), (Grid::Cell{3, 0}));

        // Shown first and with the check boxes hidden, amounts keep their data number.
        f.grid.setDisplayPosition(3, 1);
        f.grid.setColumnVisible(1, false);
        const QModelIndex first = f.grid.indexAt(QPoint(2, 2));
        QCOMPARE(first.column() + 1, 3);
        QCOMPARE(f.grid.cellAt(QPoint(2, 2) + f.grid.viewport()->pos()), (Grid::Cell{3, 1}));
    }

    void aClickTogglesACheckBoxThroughTheProgram() {
        Fixture f;
        QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centerOf(1, 2));
        QCOMPARE(f.marks[1], 1);
        QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centerOf(1, 2));
        QCOMPARE(f.marks[1], 0);
        QCOMPARE(f.grid.gridModel()
                     .data(f.grid.gridModel().index(2, 0), Qt::CheckStateRole)
                     .value<Qt::CheckState>(),
                 Qt::PartiallyChecked);
    }

    void typedTextIsEndedThroughTheProgramWhichMayRefuseIt() {
        Fixture f;
        const auto typeInto = [&f](int row, const char* text) {
            f.grid.setCurrentCell({2, row});
            f.grid.edit(f.grid.currentIndex());
            auto* editor = f.grid.viewport()->findChild<QLineEdit*>();
            QVERIFY(editor != nullptr);
            editor->clear();
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
            // The delegate commits on the next turn and deletes its editor later.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        typeInto(1, "Gaz");
        QCOMPARE(f.labels[0], QStringLiteral("Gaz"));
        typeInto(2, "");
        QCOMPARE(f.refusedEdits.size(), std::size_t{1});
        QCOMPARE(f.labels[1], QStringLiteral("Salaire"));
        QCOMPARE(
            f.grid.gridModel().data(f.grid.gridModel().index(1, 1), Qt::DisplayRole).toString(),
            QStringLiteral("Salaire"));
    }

    void linesAndCheckShapesFollowTheSettings() {
        Fixture f;
        f.grid.setColors(Qt::white, Qt::black, Qt::lightGray, Qt::black, QColor(255, 0, 0));
        f.grid.setLines(Grid::Lines::Vertical);
        const QRect cell = f.grid.visualRect(f.grid.gridModel().index(0, 1));
        QImage image = f.grid.viewport()->grab().toImage();
        QCOMPARE(QColor(image.pixel(cell.right(), cell.center().y())), QColor(255, 0, 0));
        QVERIFY(QColor(image.pixel(cell.center().x(), cell.bottom())) != QColor(255, 0, 0));

        std::vector<QImage> boxes;
        for (const auto shape :
             {Grid::CheckShape::Flat, Grid::CheckShape::Tick, Grid::CheckShape::Cross}) {
            f.grid.setCheckShape(shape);
            const QRect box = f.grid.visualRect(f.grid.gridModel().index(0, 0));
            boxes.push_back(f.grid.viewport()->grab(box).toImage());
        }
        QVERIFY(boxes[0] != boxes[1]);
        QVERIFY(boxes[1] != boxes[2]);
        QVERIFY(boxes[0] != boxes[2]);
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
