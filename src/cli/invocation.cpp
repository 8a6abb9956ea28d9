#include "cli/invocation.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <termios.h>
#include <unistd.h>

namespace varnelle::cli {
namespace {

// The first line of a stream, without its line end; empty when there is none.
std::optional<std::string> premiereLigne(std::istream& in) {
    std::string ligne;
    if (!std::getline(in, ligne)) return std::nullopt;
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    return ligne;
}

// The password typed on the terminal, not echoed.
std::optional<std::string> demandeAuTerminal() {
    std::cerr << "Mot de passe : " << std::flush;
    termios avant{};
    const bool terminal = tcgetattr(STDIN_FILENO, &avant) == 0;
    if (terminal) {
        termios sansEcho = avant;
        sansEcho.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &sansEcho);
    }
    std::optional<std::string> ligne = premiereLigne(std::cin);
    if (terminal) tcsetattr(STDIN_FILENO, TCSAFLUSH, &avant);
    std::cerr << '\n';
    return ligne;
}

// The password from where the user gave it: the argument, a file or standard input, or the
// terminal. False, with the reason said, when there is none.
bool litMotDePasse(Arguments& a, std::string_view commande) {
    if (a.motDePasseDonne) return true;
    std::optional<std::string> lu;
    if (!a.fichierMotDePasse.empty()) {
        if (a.fichierMotDePasse == "-") {
            lu = premiereLigne(std::cin);
        } else {
            std::ifstream fichier(a.fichierMotDePasse, std::ios::binary);
            if (!fichier) {
                std::cerr << "Ne peut lire le fichier du mot de passe " << a.fichierMotDePasse
                          << '\n';
                return false;
            }
            lu = premiereLigne(fichier);
        }
        if (!lu) {
            std::cerr << "Le fichier du mot de passe " << a.fichierMotDePasse << " est vide.\n";
            return false;
        }
    } else if (isatty(STDIN_FILENO) == 1) {
        lu = demandeAuTerminal();
    }
    if (!lu) {
        std::cerr << "L'option --password est obligatoire pour " << commande << ".\n\n" << usage();
        return false;
    }
    a.motDePasse = *lu;
    return true;
}

}  // namespace

std::optional<Arguments> litCommande(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
    const ParsedArguments parsed = parseArguments(words);
    if (!parsed.arguments) {
        std::cerr << parsed.error << "\n\n" << usage();
        return std::nullopt;
    }
    return *parsed.arguments;
}

bool prendMotDePasse(Arguments& a, char** argv) {
    return !demandeMotDePasse(a.command) || litMotDePasse(a, argv[1]);
}

}  // namespace varnelle::cli
