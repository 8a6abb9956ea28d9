#pragma once

#include <filesystem>
#include <memory>

#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTabWidget>

#include "core/model/budget.h"
#include "gui/main/main_window.h"
#include "recording_prompter.h"
#include "records.h"
#include "temp_folder.h"

namespace varnelle::gui {
class Grid;
}

namespace varnelle::test {

// Types AL (-20) and SA (1500); operations of 28/02/2024 (AL -40), 02/03/2024 (SA 1500) and
// 15/03/2024 (AL -20); one savings row.
Budget sampleBudget();
// Due in May: AL (booked in May 2023 only), EA (booked in May 2024), LO, TE (booked in June
// 2024). SA is due in April.
Budget budgetDeMai();

// The chooser's answer without asking: "Budget.ini" of the folder, as read.
gui::BudgetChoisi choisitBudget(const std::filesystem::path& folder, gui::Prompter&);

// A budget "Budget" of password "SECRET" in its own folder, and the main window shown on it.
struct OpenedBudget {
    TempFolder folder;
    std::filesystem::path path = folder / "Budget.ini";
    gui::RecordingPrompter prompter;
    std::unique_ptr<gui::TfmMain> window;

    // Shows the tab `onglet` of the main window, if given, as the user reaches it.
    explicit OpenedBudget(const Budget& budget = sampleBudget(), int onglet = -1);

    template <class T> T& child(const char* name) {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) qFatal("no control %s", name);
        return *found;
    }
    QTabWidget& tabs(const char* name) { return child<QTabWidget>(name); }
    // Clicks the tab as the user does.
    void choose(const char* tabs, int index);
    bool enabled(const char* button) { return child<QPushButton>(button).isEnabled(); }
    void press(const char* button);
    // Deletes the row through "Supprimer", which acts on the grid that has the keyboard.
    void deleteFrom(const char* grid, int row);
    const Budget& budget() const { return window->budget(); }
    // A change as the user makes one: the label of the first operation becomes "Change".
    void change();
    // The budget the data file holds now, with its derived fields.
    Budget onDisk() const;
};

// Opens the cell's editor, types `text` over its content and presses Enter.
void typeInCell(gui::Grid& grid, int column, int row, const QString& text);
// Clicks the push button of a cell (shown on the current row only: the row is made current
// first).
void clickCellButton(gui::Grid& grid, int column, int row);
// What the cell shows, and what the cells of a column show.
QString cellText(const gui::Grid& grid, int column, int row);
QStringList columnTexts(const gui::Grid& grid, int column);
// Clicks the named button near its left edge: a radio button answers clicks on its circle and
// caption only, not on the rest of its width.
void click(const QWidget& parent, const char* name);

}  // namespace varnelle::test
