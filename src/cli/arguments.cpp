#include "arguments.h"

#include <array>
#include <utility>

namespace varnelle::cli {
namespace {

struct CommandForm {
    std::string_view name;
    Command command;
    std::array<std::string_view, 2> operands;  // names for messages; empty when unused
    bool takesPassword;
    bool takesSort;
};

constexpr std::array<CommandForm, 4> kForms = {{
    {"list", Command::List, {"DOSSIER", ""}, false, false},
    {"new", Command::New, {"DOSSIER", "NOM"}, true, false},
    {"show", Command::Show, {"FICHIER", ""}, true, true},
    {"check", Command::Check, {"FICHIER", ""}, true, false},
}};

constexpr std::string_view kPasswordOption = "--password";

ParsedArguments failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& words) {
    if (words.empty()) return failure("Commande manquante.");
    const std::string& name = words.front();
    if (name == "help" || name == "--help" || name == "-h") return {Arguments{}, {}};

    const CommandForm* form = nullptr;
    for (const CommandForm& f : kForms)
        if (f.name == name) form = &f;
    if (form == nullptr) return failure("Commande inconnue : " + name);

    Arguments arguments;
    arguments.command = form->command;
    bool passwordGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool isOption = !optionsEnded && word.size() > 1 && word.front() == '-';
        if (!isOption) {
            arguments.operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (form->takesPassword && word == kPasswordOption) {
            if (i + 1 == words.size()) return failure("L'option --password demande une valeur.");
            arguments.motDePasse = words[++i];
            passwordGiven = true;
        } else if (form->takesPassword && word.starts_with(std::string(kPasswordOption) + "=")) {
            arguments.motDePasse = word.substr(kPasswordOption.size() + 1);
            passwordGiven = true;
        } else if (form->takesSort && word == "--sort") {
            arguments.sort = true;
        } else {
            return failure("Option inconnue pour " + name + " : " + word);
        }
    }

    std::size_t expected = 0;
    while (expected < form->operands.size() && !form->operands[expected].empty()) ++expected;
    const std::size_t given = arguments.operands.size();
    if (given < expected)
        return failure("Argument manquant : " + std::string(form->operands[given]));
    if (given > expected) return failure("Argument en trop : " + arguments.operands[expected]);
    if (form->takesPassword && !passwordGiven)
        return failure("L'option --password est obligatoire pour " + name + ".");
    return {std::move(arguments), {}};
}

std::string_view usage() {
    return "Usage :\n"
           "  varnelle-cli list DOSSIER\n"
           "      Liste les budgets du dossier.\n"
           "  varnelle-cli new DOSSIER NOM --password MOT_DE_PASSE\n"
           "      Crée un budget vide protégé par ce mot de passe.\n"
           "  varnelle-cli show FICHIER --password MOT_DE_PASSE [--sort]\n"
           "      Affiche le budget en JSON ; --sort trie d'abord les opérations.\n"
           "  varnelle-cli check FICHIER --password MOT_DE_PASSE\n"
           "      Vérifie que le budget se charge et en donne un résumé.\n"
           "\n"
           "Codes de sortie : 0 succès, 1 erreur d'usage, mot de passe invalide ou demande\n"
           "refusée, 2 fichier illisible ou endommagé.\n";
}

}  // namespace varnelle::cli
