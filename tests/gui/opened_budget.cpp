#include "opened_budget.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

#include "core/model/month_mask.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"
#include "gui/toolkit/grid.h"
#include "gui/toolkit/grid_delegate.h"

namespace varnelle::test {

Budget sampleBudget() {
    Budget budget;
    budget.TypesDep = {type("AL", -20), type("SA", 1500)};
    budget.Operations = {operation("28/02/2024", "AL", -40), operation("02/03/2024", "SA", 1500),
                         operation("15/03/2024", "AL", -20)};
    budget.Economies.push_back({"Livret", 100, 0});
    return budget;
}

Budget budgetDeMai() {
    Budget budget;
    const std::int32_t mai = bitDuMois(5);
    budget.TypesDep = {type("AL", -20, mai), type("EA", -30, mai), type("LO", -500, mai),
                       type("SA", 1500, bitDuMois(4)), type("TE", -9, mai | bitDuMois(6))};
    for (TTypeDep& type : budget.TypesDep) type.cLibelle = "Libell\xE9 " + type.cTypeDep;
    budget.Operations = {operation("02/05/2023", "AL", -20), operation("03/05/2024", "EA", -30),
                         operation("15/06/2024", "TE", -9)};
    return budget;
}

gui::BudgetChoisi choisitBudget(const std::filesystem::path& folder, gui::Prompter&) {
    gui::BudgetChoisi chosen{"Budget.ini", {}};
    chosen.file.open(folder / chosen.fileName);
    return chosen;
}

OpenedBudget::OpenedBudget(const Budget& budget, int onglet) {
    creeBudget(folder.path(), "Budget", "secret");
    ProfileFile file;
    file.open(path);
    SauveFichier(file, budget);
    window = std::make_unique<gui::TfmMain>(folder.path(), prompter, choisitBudget);
    window->show();
    if (onglet >= 0) choose("pcVarnelle", onglet);
}

void OpenedBudget::choose(const char* name, int index) {
    QTabBar* bar = child<QTabWidget>(name).tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void OpenedBudget::press(const char* button) {
    QTest::mouseClick(&child<QPushButton>(button), Qt::LeftButton);
}

void OpenedBudget::change() {
    choose("pcVarnelle", gui::kOngletOperations);
    typeInCell(child<gui::Grid>("grOperations"), 5, 1, "Change");
}

void OpenedBudget::deleteFrom(const char* grid, int row) {
    child<gui::Grid>(grid).setCurrentCell({1, row});
    child<gui::Grid>(grid).setFocus();
    press("btSupprimer");
}

Budget OpenedBudget::onDisk() const {
    ProfileFile file;
    file.open(path);
    Budget budget;
    ChargeFichier(file, budget);
    budget.calculeTout();
    return budget;
}

namespace {

// The grid commits an edit on the next turn of the event loop and deletes its editor later.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

void typeInCell(gui::Grid& grid, int column, int row, const QString& text) {
    settle();
    grid.setCurrentCell({column, row});
    grid.edit(grid.currentIndex());
    auto* editor = grid.viewport()->findChild<QLineEdit*>("gridEditor");
    if (editor == nullptr) qFatal("no editor in column %d", column);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
}

void clickCellButton(gui::Grid& grid, int column, int row) {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column - 1));
    grid.setCurrentCell({column, row});
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      gui::GridDelegate::buttonRect(cell).center());
}

QString cellText(const gui::Grid& grid, int column, int row) {
    return grid.model()->index(row - 1, column - 1).data().toString();
}

QStringList columnTexts(const gui::Grid& grid, int column) {
    QStringList texts;
    for (int row = 1; row <= grid.rows(); ++row) texts << cellText(grid, column, row);
    return texts;
}

void click(const QWidget& parent, const char* name) {
    auto* button = parent.findChild<QAbstractButton*>(name);
    if (button == nullptr) qFatal("no button %s", name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

}  // namespace varnelle::test
