#include "cli/arguments.h"

#include <array>
#include <charconv>
#include <utility>

#include "core/model/date_text.h"

namespace varnelle::cli {
namespace {

struct CommandForm {
    std::string_view name;
    Command command;
    std::array<std::string_view, 2> operands;  // names for messages; empty when unused
    bool takesPassword;
    bool takesSort;
    bool takesChart;
    bool takesReport = false;
};

constexpr std::array<CommandForm, 10> kForms = {{
    {"list", Command::List, {"DOSSIER", ""}, false, false, false},
    {"new", Command::New, {"DOSSIER", "NOM"}, true, false, false},
    {"show", Command::Show, {"FICHIER", ""}, true, true, false},
    {"check", Command::Check, {"FICHIER", ""}, true, false, false},
    {"balances", Command::Balances, {"FICHIER", ""}, true, false, false},
    {"tree", Command::Tree, {"FICHIER", ""}, true, false, false},
    {"recap", Command::Recap, {"FICHIER", ""}, true, false, false},
    {"calendar", Command::Calendar, {"FICHIER", ""}, true, false, false},
    {"chart", Command::Chart, {"FICHIER", ""}, true, false, true},
    {"report", Command::Report, {"FICHIER", ""}, true, false, false, true},
}};

// A picture smaller than its margins draws nothing useful; a larger one than this is a typo.
constexpr int kCoteMin = 20;
constexpr int kCoteMax = 10000;

ParsedArguments failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

enum class Lecture { AutreOption, Valeur, ValeurManquante };

// Reads "NAME VALUE" or "NAME=VALUE" at words[i], moving i onto the value.
Lecture litOption(const std::vector<std::string>& words, std::size_t& i, std::string_view name,
                  std::string& value) {
    const std::string& word = words[i];
    if (word == name) {
        if (i + 1 == words.size()) return Lecture::ValeurManquante;
        value = words[++i];
        return Lecture::Valeur;
    }
    if (word.size() > name.size() && word.starts_with(name) && word[name.size()] == '=') {
        value = word.substr(name.size() + 1);
        return Lecture::Valeur;
    }
    return Lecture::AutreOption;
}

std::optional<int> cote(std::string_view text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc{} || end != text.data() + text.size() || n < kCoteMin || n > kCoteMax)
        return std::nullopt;
    return n;
}

// The chart options, once every word is read: --kind, --size and --output are required.
std::string checkChart(const std::string& kind, const std::string& size, ChartOptions& chart) {
    if (kind.empty()) return "L'option --kind est obligatoire pour chart.";
    if (kind == "types")
        chart.kind = ChartKind::Types;
    else if (kind == "operations")
        chart.kind = ChartKind::Operations;
    else if (kind == "soldes")
        chart.kind = ChartKind::Soldes;
    else
        return "Graphe inconnu : " + kind + " (types, operations ou soldes).";
    for (const auto& [date, option] : {std::pair{&chart.from, "--from"}, {&chart.to, "--to"}})
        if (!date->empty() && !DateValide(*date))
            return "'" + *date + "' n'est pas une date correcte (" + option + ", jj/mm/aaaa).";
    if (size.empty()) return "L'option --size est obligatoire pour chart.";
    const auto x = size.find_first_of("xX");
    const auto width = x == std::string::npos ? std::nullopt : cote(size.substr(0, x));
    const auto height = x == std::string::npos ? std::nullopt : cote(size.substr(x + 1));
    if (!width || !height)
        return "Taille incorrecte : " + size + " (LARGEURxHAUTEUR, de " + std::to_string(kCoteMin) +
               " à " + std::to_string(kCoteMax) + " pixels).";
    chart.width = *width;
    chart.height = *height;
    if (chart.output.empty()) return "L'option --output est obligatoire pour chart.";
    return {};
}

// The report options, once every word is read: both are required.
std::string checkReport(const std::string& kind, ReportOptions& report) {
    if (kind.empty()) return "L'option --kind est obligatoire pour report.";
    if (kind == "types")
        report.kind = ReportKind::Types;
    else if (kind == "operations")
        report.kind = ReportKind::Operations;
    else if (kind == "daily")
        report.kind = ReportKind::Daily;
    else
        return "Liste inconnue : " + kind + " (types, operations ou daily).";
    if (report.output.empty()) return "L'option --output est obligatoire pour report.";
    return {};
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
    std::string kind, size;
    ChartOptions& chart = arguments.chart;
    std::vector<std::pair<std::string_view, std::string*>> options;
    if (form->takesChart)
        options = {{"--kind", &kind},
                   {"--from", &chart.from},
                   {"--to", &chart.to},
                   {"--size", &size},
                   {"--output", &chart.output}};
    if (form->takesReport) options = {{"--kind", &kind}, {"--output", &arguments.report.output}};
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool isOption = !optionsEnded && word.size() > 1 && word.front() == '-';
        if (!isOption) {
            arguments.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (form->takesSort && word == "--sort") {
            arguments.sort = true;
            continue;
        }
        Lecture lu = Lecture::AutreOption;
        std::string_view option;
        if (form->takesPassword) {
            option = "--password";
            lu = litOption(words, i, option, arguments.motDePasse);
            passwordGiven = passwordGiven || lu == Lecture::Valeur;
        }
        for (const auto& [optionName, value] : options) {
            if (lu != Lecture::AutreOption) break;
            option = optionName;
            lu = litOption(words, i, option, *value);
        }
        if (lu == Lecture::ValeurManquante)
            return failure("L'option " + std::string(option) + " demande une valeur.");
        if (lu == Lecture::AutreOption)
            return failure("Option inconnue pour " + name + " : " + word);
    }

    std::size_t expected = 0;
    while (expected < form->operands.size() && !form->operands[expected].empty()) ++expected;
    const std::size_t given = arguments.operands.size();
    if (given < expected)
        return failure("Argument manquant : " + std::string(form->operands[given]));
    if (given > expected) return failure("Argument en trop : " + arguments.operands[expected]);
    if (form->takesPassword && !passwordGiven)
        return failure("L'option --password est obligatoire pour " + name + ".");
    if (form->takesChart)
        if (std::string error = checkChart(kind, size, chart); !error.empty())
            return failure(std::move(error));
    if (form->takesReport)
        if (std::string error = checkReport(kind, arguments.report); !error.empty())
            return failure(std::move(error));
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
           "  varnelle-cli balances FICHIER --password MOT_DE_PASSE\n"
           "      Affiche les soldes mensuels, simulations cochées comprises, un mois par ligne.\n"
           "  varnelle-cli tree FICHIER --password MOT_DE_PASSE\n"
           "      Affiche l'arborescence des opérations, un nœud par ligne.\n"
           "  varnelle-cli recap FICHIER --password MOT_DE_PASSE\n"
           "      Affiche en JSON les sommes mensuelles de chaque type de dépenses, par année.\n"
           "  varnelle-cli calendar FICHIER --password MOT_DE_PASSE\n"
           "      Affiche en JSON le calendrier des opérations, mois par mois et jour par jour.\n"
           "  varnelle-cli chart FICHIER --password MOT_DE_PASSE --kind types|operations|soldes\n"
           "              [--from jj/mm/aaaa] [--to jj/mm/aaaa] --size LARGEURxHAUTEUR\n"
           "              --output IMAGE.png\n"
           "      Dessine en PNG le graphe des types de dépenses, des opérations ou des soldes\n"
           "      mensuels de la période, aux couleurs du budget ; sans --from ou --to, la\n"
           "      période est ouverte.\n"
           "  varnelle-cli report FICHIER --password MOT_DE_PASSE --kind types|operations|daily\n"
           "              --output LISTE.pdf\n"
           "      Imprime en PDF la liste des types de dépenses, des opérations ou des dépenses\n"
           "      journalières, page par page comme l'aperçu avant impression.\n"
           "\n"
           "Codes de sortie : 0 succès, 1 erreur d'usage, mot de passe invalide ou demande\n"
           "refusée, 2 fichier illisible ou endommagé.\n";
}

}  // namespace varnelle::cli
