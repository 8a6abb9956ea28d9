#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QCommandLineParser>

#include "core/storage/budget_folder.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"

namespace {

// "--help" and "--version" answer on the terminal without a window, or a display.
void repondAuxOptions(int argc, char* argv[]) {
    bool demande = false;
    for (int i = 1; i < argc; ++i) demande = demande || argv[i][0] == '-';
    if (!demande) return;
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnelle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNELLE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tient le budget du foyer : types de dépenses, opérations, dépenses "
                       "journalières, économies et simulations."));
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide et s'arrête."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version et s'arrête."));
    parser.addOption(aide);
    parser.addOption(version);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        std::exit(EXIT_FAILURE);
    }
    if (parser.isSet(version)) {
        std::printf("Varnelle %s\n", VARNELLE_VERSION);
        std::exit(EXIT_SUCCESS);
    }
    if (parser.isSet(aide)) {
        std::printf("Usage : varnelle [--help] [--version]\n\n%s\n\n"
                    "Options :\n  -h, --help     %s\n  -v, --version  %s\n",
                    qPrintable(parser.applicationDescription()), qPrintable(aide.description()),
                    qPrintable(version.description()));
        std::exit(EXIT_SUCCESS);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    repondAuxOptions(argc, argv);
    QApplication app(argc, argv);
    varnelle::gui::prepareApplication();

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
