#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

#include "gui/toolkit/grid_model.h"

using namespace varnelle::gui;

// A collection standing in for the program's: rows of (label, mark, amount).
struct Records {
    struct Record {
        QString label;
        int mark;
        QString amount;
    };
    explicit Records(std::vector<Record> records = {}) : rows(std::move(records)) {}

    std::vector<Record> rows;
    std::vector<std::pair<int, int>> asked;  // (column, row) of every cell asked

    void bind(GridModel& model) {
        model.setColumns({{"Libellé", 200},
                          {"", 20, Qt::AlignCenter, false, 0, GridColumn::Kind::CheckBox},
                          {"Montant", 80, Qt::AlignRight | Qt::AlignVCenter}});
        model.setCellLoaded([this](int column, int row) -> QVariant {
            asked.emplace_back(column, row);
            const Record& r = rows[static_cast<std::size_t>(row - 1)];
            return column == 1 ? QVariant(r.label) : column == 2 ? QVariant(r.mark) : r.amount;
        });
        model.setEndCellEdit([this](int column, int row, const QVariant& value) {
            Record& r = rows[static_cast<std::size_t>(row - 1)];
            if (column == 2) {
                r.mark = value.toInt();
                return true;
            }
            if (value.toString().trimmed().isEmpty()) return false;  // refused
            (column == 1 ? r.label : r.amount) = value.toString();
            return true;
        });
        model.setRows(static_cast<int>(rows.size()));
    }
};

class GridModelTest : public QObject {
    Q_OBJECT

private slots:
    void editsGoThroughTheProgramWhichMayRefuseThem() {
        Records records({{"Loyer", 0, "-600,00"}});
        GridModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        records.bind(model);
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("   "), Qt::EditRole));
        QCOMPARE(records.rows[0].label, QStringLiteral("Loyer"));
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("Loyer"));
        QVERIFY(model.setData(model.index(0, 2), QStringLiteral("-650,00"), Qt::EditRole));
        QCOMPARE(records.rows[0].amount, QStringLiteral("-650,00"));
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(records.rows[0].mark, 1);
        // A text column takes no check state, a check box no text.
        QVERIFY(!model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("x"), Qt::EditRole));
        // The third state set by the program is kept as such.
        QVERIFY(model.setData(model.index(0, 1), Qt::PartiallyChecked, Qt::CheckStateRole));
        QCOMPARE(records.rows[0].mark, 2);

        // Rows the program adds show once it says how many there are.
        records.rows.push_back({"Gaz", 0, "-40,00"});
        model.setRows(2);
        QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("Gaz"));

        model.setReadOnly(true);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("Gaz"), Qt::EditRole));
        QCOMPARE(records.rows[0].label, QStringLiteral("Loyer"));
    }

    void aLargeGridAsksOnlyForTheRowsItShows() {
        Records records;
        records.rows.assign(100000, {"Opération", 1, "-12,34"});
        GridModel model;
        records.bind(model);
        QTableView view;
        view.setModel(&model);
        view.resize(500, 400);
        records.asked.clear();
        view.grab();
        const std::size_t shown = records.asked.size();
        QVERIFY(shown > 0);
        QVERIFY2(shown < 3 * 3 * 40, qPrintable(QString::number(shown)));
        records.asked.clear();
        model.reload();
        view.grab();
        QVERIFY(records.asked.size() < 3 * 3 * 40);
    }
};

QTEST_MAIN(GridModelTest)
#include "grid_model_test.moc"
