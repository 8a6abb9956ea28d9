// Opens the budget of the folder given, changes the label of its first operation as the user
// would, says "ready" once the change is kept for recovery, and waits to be killed.
#include <cstdio>

#include <QApplication>

#include "gui/main/main_window.h"
#include "gui/toolkit/grid.h"
#include "opened_budget.h"

int main(int argc, char** argv) {
    using namespace varnelle;
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    gui::RecordingPrompter prompter;
    gui::TfmMain window(argv[1], prompter, test::choisitBudget);
    window.setDelaiRecuperation(0);
    window.show();
    test::typeInCell(*window.findChild<gui::Grid*>("grOperations"), 5, 1, "Perdu");
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
