#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"

using namespace varnelle::cli;

int main(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
    const ParsedArguments parsed = parseArguments(words);
    if (!parsed.arguments) {
        std::cerr << parsed.error << "\n\n" << usage();
        return kExitRefused;
    }
    const Arguments& a = *parsed.arguments;
    int status = kExitOk;
    switch (a.command) {
    case Command::Help: std::cout << usage(); break;
    case Command::List: status = runList(a.operands[0], std::cout, std::cerr); break;
    case Command::New:
        status = runNew(a.operands[0], a.operands[1], a.motDePasse, std::cerr);
        break;
    case Command::Show:
        status = runShow(a.operands[0], a.motDePasse, a.sort, std::cout, std::cerr);
        break;
    case Command::Check:
        status = runCheck(a.operands[0], a.motDePasse, std::cout, std::cerr);
        break;
    case Command::Balances:
        status = runBalances(a.operands[0], a.motDePasse, std::cout, std::cerr);
        break;
    case Command::Tree: status = runTree(a.operands[0], a.motDePasse, std::cout, std::cerr); break;
    case Command::Recap:
        status = runRecap(a.operands[0], a.motDePasse, std::cout, std::cerr);
        break;
    case Command::Calendar:
        status = runCalendar(a.operands[0], a.motDePasse, std::cout, std::cerr);
        break;
    case Command::Chart: status = runChart(a.operands[0], a.motDePasse, a.chart, std::cerr); break;
    case Command::Report:
        status = runReport(a.operands[0], a.motDePasse, a.report, std::cerr);
        break;
    }
    // A full disk or a closed pipe must not pass for a complete answer.
    if (!std::cout.flush()) {
        std::cerr << "Ne peut écrire la sortie standard.\n";
        return kExitRefused;
    }
    return status;
}
