#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "gui/toolkit/cell_texts.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/grid_delegate.h"

using namespace varnelle::gui;

// QTest::keyClicks takes ASCII only.
static void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, {});
}

class GridTest : public QObject {
    Q_OBJECT

    // A grid over rows of (mark, label, amount, date, type code), logging every callback as
    // "event column row [value]".
    struct Fixture {
        Grid grid;
        std::unique_ptr<QAbstractItemModelTester> tester =
            std::make_unique<QAbstractItemModelTester>(
                &grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        std::vector<std::vector<QString>> records{{"1", "Loyer", "-600,00", "01/02/2026", "LOG"},
                                                  {"0", "Salaire", "2100,00", "02/02/2026", "SAL"},
                                                  {"2", "Pain", "-1,20", "03/02/2026", "ALI"}};
        QStringList log;
        bool reloadOnEdit = false;  // as the program does after every edit
        int loads = 0;              // cells asked of the program

        Fixture() {
            grid.setColumns({{"", 24, Qt::AlignCenter, false, 0, GridColumn::Kind::CheckBox},
                             {"Libellé", 120, Qt::AlignLeft | Qt::AlignVCenter, false, 6},
                             {"Montant", 80, Qt::AlignRight},
                             {"Date", 90, Qt::AlignLeft, false, 10, GridColumn::Kind::Text,
                              GridColumn::Button::Push},
                             {"Type", 50, Qt::AlignLeft, false, 3, GridColumn::Kind::Text,
                              GridColumn::Button::PickList}});
            grid.onCellLoaded([this](int column, int row) -> QVariant {
                ++loads;
                const QString& value = cell(column, row);
                return column == 1 ? QVariant(value.toInt()) : QVariant(value);
            });
            grid.onEndCellEdit([this](int column, int row, const QVariant& value) {
                note("end", column, row, value.toString());
                if (value.toString().isEmpty()) return false;
                cell(column, row) = value.toString();
                if (reloadOnEdit) grid.reload();
                return true;
            });
            grid.onCellEdit([this](int column, int row, QString& value) {
                note("edit", column, row, value);
                value = value.toUpper();
            });
            grid.onButtonClick([this](int column, int row) { note("button", column, row); });
            grid.onDoubleClickCell([this](int column, int row) { note("double", column, row); });
            grid.onHeadingClick([this](int column) { note("heading", column, 0); });
            grid.onColumnResized([this](int column) { note("resized", column, 0); });
            grid.onColumnChanged([this](int from, int to) { note("column", from, to); });
            grid.onRowChanged([this](int from, int to) { note("row", from, to); });
            grid.onDropDownInit([](int, int) { return 2; });
            grid.onDropDownCellLoaded([](int listColumn, int listRow, int, int) {
                static const QString entries[2][2] = {{"ali", "Alimentation"}, {"LOG", "Logement"}};
                return entries[listRow - 1][listColumn - 1];
            });
            grid.setRows(3);
            grid.resize(520, 160);
            grid.show();
        }

        QString& cell(int column, int row) {
            return records[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
        }
        void note(const char* event, int a, int b, const QString& value = {}) {
            log << QStringLiteral("%1 %2 %3 %4").arg(event).arg(a).arg(b).arg(value).trimmed();
        }
        QString shown(int column, int row) {
            return grid.gridModel().index(row - 1, column - 1).data().toString();
        }
        QPoint centerOf(int column, int row) {
            return grid.visualRect(grid.gridModel().index(row - 1, column - 1)).center();
        }
        QLineEdit* openEditor(int column, int row) {
            settle();
            grid.setCurrentCell({column, row});
            grid.edit(grid.currentIndex());
            return grid.viewport()->findChild<QLineEdit*>();
        }
        // The delegate commits on the next turn and deletes its editor later.
        static void settle() {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        void dragBoundary(QHeaderView* header, int section, QPoint by) {
            const int end =
                header->sectionViewportPosition(section) + header->sectionSize(section) - 1;
            const QPoint from = header->orientation() == Qt::Horizontal
                                    ? QPoint(end, header->height() / 2)
                                    : QPoint(header->width() / 2, end);
            QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, from + by,
                             header->viewport()->mapToGlobal(from + by), Qt::NoButton,
                             Qt::LeftButton, {});
            QCoreApplication::sendEvent(header->viewport(), &move);
            QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, from + by);
        }
    };

private slots:
    void aClickTogglesACheckBoxThroughTheProgram() {
        Fixture f;
        QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centerOf(1, 2));
        QCOMPARE(f.cell(1, 2), QStringLiteral("1"));
        QCOMPARE(f.log.filter("edit").join('|'), QStringLiteral("edit 1 2 1"));
        QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centerOf(1, 2));
        QCOMPARE(f.cell(1, 2), QStringLiteral("0"));
        QCOMPARE(f.grid.gridModel()
                     .data(f.grid.gridModel().index(2, 0), Qt::CheckStateRole)
                     .value<Qt::CheckState>(),
                 Qt::PartiallyChecked);

        f.grid.setReadOnly(true);
        QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centerOf(1, 2));
        QCOMPARE(f.cell(1, 2), QStringLiteral("0"));
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        QVERIFY(f.openEditor(2, 1) == nullptr);
    }

    void typedTextIsEndedThroughTheProgramWhichMayRefuseIt() {
        Fixture f;
        const auto typeInto = [&f](int row, const char* text) {
            QLineEdit* editor = f.openEditor(2, row);
            QVERIFY(editor != nullptr);
            editor->clear();
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
            Fixture::settle();
        };
        typeInto(1, "Gaz");
        QCOMPARE(f.cell(2, 1), QStringLiteral("GAZ"));
        typeInto(2, "");
        QCOMPARE(f.log.last(), QStringLiteral("end 2 2"));
        QCOMPARE(f.cell(2, 2), QStringLiteral("Salaire"));
        QCOMPARE(f.shown(2, 2), QStringLiteral("Salaire"));

        // endEdit commits what is being typed, refused or not, and closes the editor.
        QLineEdit* editor = f.openEditor(2, 3);
        QVERIFY(f.grid.isEditing());
        editor->clear();
        f.grid.endEdit();
        QVERIFY(!f.grid.isEditing());
        QCOMPARE(f.shown(2, 3), QStringLiteral("Pain"));
        editor = f.openEditor(2, 3);
        QTest::keyClicks(editor, "x");
        f.grid.endEdit();
        QCOMPARE(f.cell(2, 3), QStringLiteral("X"));

        // A reload from within the program's end-cell-edit leaves the user where they were.
        f.reloadOnEdit = true;
        QTest::failOnWarning(QRegularExpression(".*"));
        f.grid.setCurrentCell({2, 2});
        f.log.clear();
        typeInto(2, "Eau");
        QCOMPARE(f.cell(2, 2), QStringLiteral("EAU"));
        QCOMPARE(f.grid.currentCell(), (Grid::Cell{2, 2}));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Down);
        QCOMPARE(f.log.filter(QRegularExpression("^(row|column)")).join('|'),
                 QStringLiteral("row 2 3"));
        QVERIFY(f.openEditor(2, 3) != nullptr);
        f.grid.endEdit();
        QVERIFY(!f.grid.isEditing());
    }

    void theEditorTakesOnlyWhatTheBudgetCanKeep() {
        Fixture f;
        QLineEdit* editor = f.openEditor(2, 1);
        QVERIFY(editor != nullptr);
        editor->clear();
        typeText(editor, QStringLiteral("éléphant"));  // upper-cased as typed, cut at six
        QCOMPARE(editor->text(), QStringLiteral("ÉLÉPHA"));
        editor->clear();
        QTest::keyClicks(editor, "a");
        editor->insert(QStringLiteral("b\tc"));  // pasted control character
        typeText(editor, QStringLiteral("Ωœ"));  // œ is in Windows-1252, Ω is not
        QCOMPARE(editor->text(), QStringLiteral("AŒ"));
    }

    void callbacksGetDataColumnsWhateverTheLayout() {
        Fixture f;
        f.grid.setDisplayPosition(3, 1);
        f.grid.setColumnVisible(1, false);
        // Cells are numbered from one, the heading being row 0, whatever is shown first.
        const QPoint first = QPoint(2, 2) + f.grid.viewport()->pos();
        QCOMPARE(f.grid.cellAt(first), (Grid::Cell{3, 1}));
        const QPoint heading(first.x(), f.grid.horizontalHeader()->pos().y() + 2);
        QCOMPARE(f.grid.cellAt(heading), (Grid::Cell{3, 0}));
        f.grid.setCurrentCell({3, 1});
        f.log.clear();

        QTest::keyClick(f.grid.viewport(), Qt::Key_Right);  // to Libellé, shown second
        QTest::keyClick(f.grid.viewport(), Qt::Key_Down);
        QCOMPARE(f.log.join('|'), QStringLiteral("column 3 2|row 1 2"));
        QCOMPARE(f.grid.currentCell(), (Grid::Cell{2, 2}));

        f.log.clear();
        // A widget double click in QTest comes without its first click.
        const auto doubleClick = [](QWidget* widget, QPoint at) {
            QTest::mouseClick(widget, Qt::LeftButton, {}, at);
            QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        };
        doubleClick(f.grid.viewport(), f.centerOf(3, 3));
        QLineEdit* editor = f.grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);  // the double click opened the amount's editor
        editor->clear();
        QTest::keyClicks(editor, "5");
        f.grid.endEdit();
        QCOMPARE(f.log.filter(QRegularExpression("^(edit|end)")).join('|'),
                 QStringLiteral("edit 3 3 5|end 3 3 5"));
        doubleClick(f.grid.horizontalHeader()->viewport(), QPoint(f.centerOf(3, 1).x(), 4));
        QCOMPARE(f.log.filter(QRegularExpression("double|heading")).join('|'),
                 QStringLiteral("double 3 3|heading 3 0|double 3 0"));

        // Mouse down reports the grid's own coordinates, which cellAt maps back.
        QPoint down;
        f.grid.onMouseDown(
            [&down](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                if (button == Qt::RightButton && keys == Qt::ShiftModifier) down = {x, y};
            });
        QTest::mouseClick(f.grid.viewport(), Qt::RightButton, Qt::ShiftModifier, f.centerOf(5, 2));
        QCOMPARE(down, f.centerOf(5, 2) + f.grid.viewport()->pos());
        QCOMPARE(f.grid.cellAt(down), (Grid::Cell{5, 2}));
    }

    void cellButtonsAndPickListsGoThroughTheProgram() {
        Fixture f;
        const QRect date = f.grid.visualRect(f.grid.gridModel().index(1, 3));
        // The button shows on the current row only: the first click just moves there.
        for (int click = 0; click < 2; ++click)
            QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {},
                              GridDelegate::buttonRect(date).center());
        QCOMPARE(f.log.filter("button").join('|'), QStringLiteral("button 4 2"));

        f.grid.setCurrentCell({5, 2});
        f.grid.edit(f.grid.currentIndex());
        auto* pickList = f.grid.viewport()->findChild<QComboBox*>("gridPickList");
        QVERIFY(pickList != nullptr);
        QCOMPARE(pickList->currentIndex(), -1);  // SAL is not offered
        QVERIFY(!pickList->isEditable());
        QCOMPARE(pickList->model()->rowCount(), 2);
        QCOMPARE(pickList->model()->index(1, 1).data().toString(), QStringLiteral("Logement"));
        f.log.clear();
        pickList->showPopup();
        pickList->view()->setCurrentIndex(pickList->model()->index(0, 0));
        QTest::keyClick(pickList->view(), Qt::Key_Return);
        Fixture::settle();
        QCOMPARE(f.log.join('|'), QStringLiteral("edit 5 2 ali|end 5 2 ALI"));
        QCOMPARE(f.cell(5, 2), QStringLiteral("ALI"));
        QVERIFY(!f.grid.isEditing());
    }

    void theFixedColumnStaysAtTheLeftAndItsHeadingIsAButton() {
        Fixture f;
        f.grid.setColumns({{"Poste", 90}, {"Janv.", 150}, {"Févr.", 150}, {"Mars", 150}});
        f.grid.setFixedColumn(true);
        f.grid.setFixedColumnColors(QColor(0, 0, 128), Qt::white);
        f.grid.horizontalScrollBar()->setValue(f.grid.horizontalScrollBar()->maximum());
        QVERIFY(f.grid.horizontalScrollBar()->value() > 0);

        auto* rows = f.grid.verticalHeader();
        const QPoint fixedCell =
            rows->geometry().topLeft() + QPoint(45, rows->sectionViewportPosition(1) + 5);
        QCOMPARE(f.grid.cellAt(fixedCell), (Grid::Cell{1, 2}));
        const QImage left = f.grid.grab().toImage();
        QCOMPARE(QColor(left.pixel(fixedCell)), QColor(0, 0, 128));
        // It lies beside the scrolled cells, never over them.
        QVERIFY(f.grid.viewport()->geometry().left() > rows->geometry().right());

        auto* heading = f.grid.findChild<QWidget*>("gridFixedHeading");
        QVERIFY(heading != nullptr && heading->isVisible());
        QTest::mouseClick(heading, Qt::LeftButton);
        QTest::mouseDClick(heading, Qt::LeftButton);  // follows the click just made
        QCOMPARE(f.grid.cellAt(heading->geometry().center()), (Grid::Cell{1, 0}));
        QCOMPARE(f.log.filter(QRegularExpression("heading|double")).join('|'),
                 QStringLiteral("heading 1 0|double 1 0"));
    }

    void resizingOneResizesAllWhenAsked() {
        Fixture f;
        f.grid.setColumnResize(Grid::Resize::All);
        f.grid.setRowResize(Grid::Resize::All);
        f.dragBoundary(f.grid.horizontalHeader(), 1, QPoint(30, 0));
        QCOMPARE(f.grid.columnWidth(1), 150);
        for (int column = 0; column < 5; ++column) QCOMPARE(f.grid.columnWidth(column), 150);
        QCOMPARE(f.log.filter("resized").join('|'), QStringLiteral("resized 2 0"));

        f.dragBoundary(f.grid.verticalHeader(), 0, QPoint(0, 10));
        QCOMPARE(f.grid.rowHeight(0), 28);
        QCOMPARE(f.grid.rowHeight(2), 28);

        // One at a time leaves the others alone, and the program's own sizing is not the user's.
        f.grid.setColumnResize(Grid::Resize::One);
        f.dragBoundary(f.grid.horizontalHeader(), 0, QPoint(-100, 0));
        QVERIFY(f.grid.columnWidth(0) < 150);
        QCOMPARE(f.grid.columnWidth(1), 150);
        f.log.clear();
        f.grid.setColumnWidthOf(2, 40);
        QVERIFY(f.log.isEmpty());
    }

    void rowsAreSelectedByNumber() {
        Fixture f;
        f.grid.setSelection(Grid::Selection::Rows);
        f.grid.selectRow(1);
        f.grid.selectRow(3);
        f.grid.unselectRow(1);
        f.grid.selectRow(2);
        QCOMPARE(f.grid.selectedRows(), (std::vector<int>{2, 3}));
    }

    void aLargeGridReloadsAtOnceAndKeepsItsPlace() {
        Fixture f;
        f.records.resize(100000, f.records.front());
        f.grid.setRows(100000);
        f.grid.setRowBar(true, true);
        f.grid.setRowHeightOf(50000, 40);
        f.grid.setCurrentCell({2, 50000});
        f.log.clear();
        f.tester.reset();  // it walks the rows on every reset, the grid must not
        f.loads = 0;
        f.grid.reload();
        f.grid.verticalScrollBar()->setValue(f.grid.verticalScrollBar()->maximum() / 3);
        f.grid.viewport()->grab();
        QVERIFY2(f.loads < 1000, qPrintable(QString::number(f.loads)));  // a screenful or two
        QCOMPARE(f.grid.currentCell(), (Grid::Cell{2, 50000}));
        QVERIFY(f.log.isEmpty());
        QCOMPARE(f.grid.rowHeight(49999), 40);
        QCOMPARE(f.grid.rowHeight(49998), 18);

        f.grid.setRows(10);  // the current row is gone: the program hears where the user is now
        QCOMPARE(f.log.join('|'), QStringLiteral("row 50000 10"));
    }

    // Cells draw their texts shaped once; the pixels are those of the painter's own drawing,
    // for the grids' fonts and sizes, every alignment, texts that do not fit, and the second
    // drawing of a text, which uses what the first one shaped.
    void cellTextsAreDrawnAsThePainterDrawsThem() {
        const QStringList texts{"-1085,40",   "Échéance prêt immobilier",
                                "12/06/2219", " lead",
                                "trail  ",    "a bit too long for the narrow cell",
                                "Ωμέγα 漢字", "tab\tand\nnewline",
                                "W",          "i"};
        QFont bold;
        bold.setBold(true);
        QFont italic("DejaVu Serif");
        italic.setItalic(true);
        QFont underlined;
        underlined.setUnderline(true);
        std::vector<QFont> fonts{QFont(), bold, italic, underlined};
        for (const int points : {6, 7, 8, 9, 10, 11, 13, 16}) {
            QFont sized("MS Sans Serif");
            sized.setPointSize(points);
            fonts.push_back(sized);
        }
        const std::vector<Qt::Alignment> alignments{
            Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter,
            Qt::AlignHCenter | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignTop,
            Qt::AlignRight | Qt::AlignBottom};
        CellTexts cache;
        for (const QFont& font : fonts) {
            for (const int height : {11, 14, 17, 18, 21, 24}) {
                QImage expected(680, 330, QImage::Format_RGB32),
                    drawn(expected.size(), QImage::Format_RGB32);
                for (QImage* image : {&expected, &drawn}) {
                    image->fill(Qt::white);
                    QPainter painter(image);
                    painter.setFont(font);
                    painter.setPen(QColor(0, 0, 128));
                    for (std::size_t row = 0; row < 2 * alignments.size(); ++row) {
                        const Qt::Alignment alignment = alignments[row % alignments.size()];
                        int x = 3;
                        for (const QString& text : texts) {
                            const QRect area(x, 3 + static_cast<int>(row) * 32,
                                             9 + text.size() % 5 * 13, height);
                            x += area.width() + 4;
                            painter.save();
                            painter.setClipRect(area);
                            if (image == &drawn)
                                cache.draw(painter, area, alignment, text);
                            else
                                painter.drawText(
                                    area, static_cast<int>(alignment) | Qt::TextSingleLine, text);
                            painter.restore();
                        }
                    }
                }
                QVERIFY2(drawn == expected,
                         qPrintable(font.toString() + " " + QString::number(height)));
            }
        }
    }

    void theLookFollowsTheSettings() {
        Fixture f;
        f.grid.setRowHeightOf(2, 30);
        f.grid.setDefaultRowHeight(21);
        f.grid.setHeadingHeight(14);
        QCOMPARE(f.grid.horizontalHeader()->height(), 14);
        QCOMPARE(f.grid.rowHeight(0), 21);
        QCOMPARE(f.grid.rowHeight(1), 30);

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

        // The program's own painting replaces the default one.
        f.grid.onPaintCell([](int column, int row, QPainter& painter, const QRect& rect) {
            if (column != 2 || row != 1) return false;
            painter.fillRect(rect, QColor(0, 128, 0));
            return true;
        });
        image = f.grid.viewport()->grab().toImage();
        QCOMPARE(QColor(image.pixel(cell.center())), QColor(0, 128, 0));
        const QRect other = f.grid.visualRect(f.grid.gridModel().index(1, 1));
        QVERIFY(QColor(image.pixel(other.center())) != QColor(0, 128, 0));
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
