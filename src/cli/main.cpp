#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include <unistd.h>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/invocation.h"

using namespace varnelle::cli;

namespace {

constexpr const char* kDessinateur = "varnelle-cli-documents";

// Charts and reports are drawn by a helper program that links Qt Gui, whose loading would
// cost every other command several milliseconds. It is looked for beside this program (the
// build tree), then where the installation puts it, never on the search path.
int lanceDessin(char** argv) {
    std::error_code erreur;
    const std::filesystem::path ici =
        std::filesystem::read_symlink("/proc/self/exe", erreur).parent_path();
    int echec = ENOENT;
    if (!erreur) {
        for (const std::filesystem::path& chemin :
             {ici / kDessinateur, ici / VARNELLE_DESSINATEUR_RELATIF / kDessinateur}) {
            // The same words and the same standard input: the password never travels.
            ::execv(chemin.c_str(), argv);
            echec = errno;
        }
    }
    std::cerr << "Ne peut lancer " << kDessinateur << " : " << std::strerror(echec) << ".\n";
    return kExitUnreadable;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Arguments> commande = litCommande(argc, argv);
    if (!commande) return kExitRefused;
    Arguments& a = *commande;
    // Handed over before the password is read: the helper reads it from where it was given.
    if (a.command == Command::Chart || a.command == Command::Report) return lanceDessin(argv);
    if (!prendMotDePasse(a, argv)) return kExitRefused;
    int status = kExitOk;
    switch (a.command) {
    case Command::Help:
        std::cout << (a.aideDe.empty() ? std::string(usage()) : usageDe(a.aideDe));
        break;
    case Command::Version: std::cout << "varnelle-cli " << VARNELLE_VERSION << '\n'; break;
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
    case Command::Chart:
    case Command::Report: break;  // handed over above
    case Command::Import:
        status = runImport(a.operands[0], a.motDePasse, a.import, std::cout, std::cerr);
        break;
    }
    // A full disk or a closed pipe must not pass for a complete answer.
    if (!std::cout.flush()) {
        std::cerr << "Ne peut écrire la sortie standard.\n";
        return kExitRefused;
    }
    return status;
}
