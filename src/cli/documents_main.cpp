// The helper that draws the charts and prints the reports of the command line, started by
// varnelle-cli with the words it was given: only it loads Qt Gui.
#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/invocation.h"

using namespace varnelle::cli;

int main(int argc, char** argv) {
    std::optional<Arguments> commande = litCommande(argc, argv);
    if (!commande || !prendMotDePasse(*commande, argv)) return kExitRefused;
    const Arguments& a = *commande;
    switch (a.command) {
    case Command::Chart: return runChart(a.operands[0], a.motDePasse, a.chart, std::cerr);
    case Command::Report: return runReport(a.operands[0], a.motDePasse, a.report, std::cerr);
    default: return kExitRefused;  // varnelle-cli runs every other command itself
    }
}
