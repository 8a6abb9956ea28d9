#include <clocale>
#include <cstdlib>

#include <QApplication>

#include "core/storage/budget_folder.h"
#include "gui/main/main_window.h"
#include "gui/toolkit/prompter.h"
#include "gui/toolkit/system_locale.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too; the budget's numbers are formatted
    // with the separator the program chooses, not the C library's.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Varnelle"));
    QApplication::setDesktopFileName(QStringLiteral("varnelle"));
    QApplication::setFont(varnelle::gui::interfaceFont());
    varnelle::gui::applySystemLocale();
    // Without it the standard menus and dialogs stay in English; the program still runs.
    varnelle::gui::installeTraductionQt();

    varnelle::gui::MessageBoxPrompter prompter;
    const std::filesystem::path folder =
        varnelle::dossierDonnees(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (folder.empty() || !varnelle::prepareDossierDonnees(folder)) {
        prompter.error(nullptr, QStringLiteral("Erreur"),
                       QStringLiteral("Ne peut créer le dossier des budgets %1")
                           .arg(varnelle::gui::fromFileName(folder.string())));
        return EXIT_FAILURE;
    }

    varnelle::gui::TfmMain fmMain(folder, prompter);
    if (!fmMain.loaded()) return EXIT_SUCCESS;
    fmMain.show();
    return QApplication::exec();
}
