#include "cli/arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <map>
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
    bool takesImport = false;
};

constexpr std::array<CommandForm, 11> kForms = {{
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
    {"import", Command::Import, {"FICHIER", ""}, true, false, false, false, true},
}};

// A picture smaller than its margins draws nothing useful; a larger one than this is a typo.
constexpr int kCoteMin = 20;
constexpr int kCoteMax = 10000;

ParsedArguments failure(std::string message) {
    return {std::nullopt, std::move(message)};
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

// The import options, once every word is read: --statement is required, and the format must
// be known.
std::string checkImport(const std::string& format, ImportOptions& import) {
    if (import.releve.empty()) return "L'option --statement est obligatoire pour import.";
    if (!format.empty()) {
        import.format = formatReleve("." + format);
        if (!import.format || format == "qfx")
            return "Format de relevé inconnu : " + format + " (csv, ofx ou qif).";
    } else {
        import.format = formatReleve(import.releve);
        if (!import.format)
            return "Le format du relevé " + import.releve +
                   " ne se déduit pas de son extension : donnez --format csv, ofx ou qif.";
    }
    return {};
}

}  // namespace

std::optional<std::string> formatImage(const std::string& sortie) {
    const std::size_t point = sortie.rfind('.');
    if (point == std::string::npos || sortie.find('/', point) != std::string::npos)
        return std::nullopt;
    std::string extension = sortie.substr(point + 1);
    for (char& c : extension) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    if (extension == "png" || extension == "bmp") return extension;
    if (extension == "jpg" || extension == "jpeg") return "jpg";
    return std::nullopt;
}

ParsedArguments parseArguments(const std::vector<std::string>& words) {
    if (words.empty()) return failure("Commande manquante.");
    const std::string& name = words.front();
    if (name == "help" || name == "--help" || name == "-h") return {Arguments{}, {}};
    if (name == "--version" || name == "-v") {
        Arguments version;
        version.command = Command::Version;
        return {version, {}};
    }

    const CommandForm* form = nullptr;
    for (const CommandForm& f : kForms)
        if (f.name == name) form = &f;
    if (form == nullptr) return failure("Commande inconnue : " + name);

    // The options each command takes, read as "--name value" or "--name=value" anywhere after
    // the command, a repeated one keeping its last value; "--" ends them.
    std::vector<std::pair<std::string, bool>> options = {{"help", false}};  // name, takes a value
    if (form->takesPassword)
        options.insert(options.end(), {{"password", true}, {"password-file", true}});
    if (form->takesSort) options.push_back({"sort", false});
    if (form->takesChart)
        options.insert(
            options.end(),
            {{"kind", true}, {"from", true}, {"to", true}, {"size", true}, {"output", true}});
    if (form->takesReport) options.insert(options.end(), {{"kind", true}, {"output", true}});
    if (form->takesImport)
        options.insert(
            options.end(),
            {{"statement", true}, {"format", true}, {"default-type", true}, {"dry-run", false}});
    const auto optionNamed = [&](std::string_view option) {
        return std::find_if(options.begin(), options.end(),
                            [&](const auto& o) { return o.first == option; });
    };

    Arguments arguments;
    arguments.command = form->command;
    std::map<std::string, std::string, std::less<>> values;
    // An unknown option is told first, wherever it stands; then the first other fault.
    std::string unknown, fault;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            arguments.operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word[1] != '-') {
            // Single letters: no option has one.
            if (unknown.empty()) unknown = word.substr(0, 2);
        } else {
            const std::size_t equal = word.find('=');
            const std::string option =
                word.substr(2, equal == std::string::npos ? equal : equal - 2);
            const auto known = optionNamed(option);
            if (known == options.end()) {
                if (unknown.empty()) unknown = "--" + option;
            } else if (!known->second) {
                if (equal != std::string::npos && fault.empty())
                    fault = "L'option --" + option + " ne prend pas de valeur.";
                values[option];
            } else if (equal != std::string::npos) {
                values[option] = word.substr(equal + 1);
            } else if (i + 1 < words.size()) {
                values[option] = words[++i];
            } else if (fault.empty()) {
                fault = "L'option --" + option + " demande une valeur.";
            }
        }
    }
    if (!unknown.empty()) return failure("Option inconnue pour " + name + " : " + unknown);
    if (!fault.empty()) return failure(std::move(fault));

    if (values.contains("help")) {
        arguments.command = Command::Help;
        arguments.aideDe = name;
        arguments.operands.clear();
        return {std::move(arguments), {}};
    }
    const auto valeur = [&](const char* option) {
        const auto found = values.find(option);
        return found == values.end() ? std::string() : found->second;
    };
    if (form->takesPassword) {
        arguments.motDePasse = valeur("password");
        arguments.motDePasseDonne = values.contains("password");
        arguments.fichierMotDePasse = valeur("password-file");
    }
    arguments.sort = form->takesSort && values.contains("sort");
    std::string kind, size;
    ChartOptions& chart = arguments.chart;
    if (form->takesChart) {
        kind = valeur("kind");
        chart.from = valeur("from");
        chart.to = valeur("to");
        size = valeur("size");
        chart.output = valeur("output");
    }
    if (form->takesReport) {
        kind = valeur("kind");
        arguments.report.output = valeur("output");
    }

    std::string format;
    if (form->takesImport) {
        arguments.import.releve = valeur("statement");
        format = valeur("format");
        arguments.import.typeDefaut = valeur("default-type");
        arguments.import.essai = values.contains("dry-run");
    }

    std::size_t expected = 0;
    while (expected < form->operands.size() && !form->operands[expected].empty()) ++expected;
    const std::size_t given = arguments.operands.size();
    if (given < expected)
        return failure("Argument manquant : " + std::string(form->operands[given]));
    if (given > expected) return failure("Argument en trop : " + arguments.operands[expected]);
    if (form->takesChart)
        if (std::string error = checkChart(kind, size, chart); !error.empty())
            return failure(std::move(error));
    if (form->takesReport)
        if (std::string error = checkReport(kind, arguments.report); !error.empty())
            return failure(std::move(error));
    if (form->takesImport)
        if (std::string error = checkImport(format, arguments.import); !error.empty())
            return failure(std::move(error));
    return {std::move(arguments), {}};
}

bool demandeMotDePasse(Command command) {
    for (const CommandForm& f : kForms)
        if (f.command == command) return f.takesPassword;
    return false;
}

std::string usageDe(std::string_view commande) {
    const std::string_view texte = usage();
    const std::string debut = "  varnelle-cli " + std::string(commande) + " ";
    const std::size_t from = texte.find(debut);
    if (from == std::string_view::npos) return std::string(texte);
    std::size_t to = texte.find("\n  varnelle-cli ", from + 1);
    if (to == std::string_view::npos) to = texte.find("\n\n", from);
    std::string aide = "Usage :\n" + std::string(texte.substr(from, to + 1 - from));
    for (const CommandForm& f : kForms)
        if (f.name == commande && f.takesPassword)
            aide += "\n" + std::string(texte.substr(texte.find("Mot de passe :")));
    return aide;
}

std::string_view usage() {
    return "Usage :\n"
           "  varnelle-cli --help | --version\n"
           "  varnelle-cli COMMANDE --help\n"
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
           "  varnelle-cli import FICHIER --password MOT_DE_PASSE --statement RELEVE\n"
           "              [--format csv|ofx|qif] [--default-type CODE] [--dry-run]\n"
           "      Importe un relevé bancaire dans les opérations, non cochées, et enregistre le\n"
           "      budget. Le format suit l'extension du relevé (.csv, .ofx, .qfx, .qif) sauf\n"
           "      --format. Les colonnes d'un CSV se trouvent par sa ligne d'en-tête (Date ;\n"
           "      Libellé ou Description ; Montant, ou Débit et Crédit), en UTF-8 ou en\n"
           "      Windows-1252. Une opération déjà dans le journal (même date, même montant,\n"
           "      même libellé) ou déjà importée (même FITID) est ignorée. Le type de chaque\n"
           "      ligne vient du dernier choix pour le même libellé, sinon d'une règle du\n"
           "      budget, sinon de --default-type ; sans lui, les lignes sans type sont\n"
           "      listées et rien n'est importé. --dry-run montre ce qui serait fait sans rien\n"
           "      enregistrer.\n"
           "\n"
           "Mot de passe : --password MOT_DE_PASSE le donne sur la ligne de commande, où ps et\n"
           "l'historique du shell le voient ; --password-file FICHIER le lit sur la première\n"
           "ligne du fichier (- pour l'entrée standard) ; sans l'un ni l'autre, il est demandé\n"
           "sans écho quand l'entrée est un terminal.\n"
           "\n"
           "Codes de sortie : 0 succès, 1 erreur d'usage, mot de passe invalide ou demande\n"
           "refusée, 2 fichier illisible ou endommagé.\n";
}

}  // namespace varnelle::cli
