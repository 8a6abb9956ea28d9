#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statements/statement_file.h"

namespace varnelle::cli {

enum class Command {
    Help,
    Version,
    List,
    New,
    Show,
    Check,
    Balances,
    Tree,
    Recap,
    Calendar,
    Chart,
    Report,
    Import
};

enum class ChartKind { Types, Operations, Soldes };

// What "chart" draws, read and checked from its options.
struct ChartOptions {
    ChartKind kind = ChartKind::Types;
    std::string from;  // dd/mm/yyyy, or empty for an open bound
    std::string to;
    int width = 0;
    int height = 0;
    std::string output;  // file-system bytes
};

enum class ReportKind { Types, Operations, Daily };

// What "report" prints, and where.
struct ReportOptions {
    ReportKind kind = ReportKind::Types;
    std::string output;  // file-system bytes
};

// What "import" reads, and how.
struct ImportOptions {
    std::string releve;                  // file-system bytes
    std::optional<FormatReleve> format;  // from the statement's extension when not given
    std::string typeDefaut;              // UTF-8, as typed; empty when not given
    bool essai = false;                  // --dry-run: nothing written
};

struct Arguments {
    Command command = Command::Help;
    // The command whose help "--help" after it asks for; empty for the program's.
    std::string aideDe;
    // In the order of the usage text: FOLDER; FOLDER NAME; FILE.
    std::vector<std::string> operands;
    std::string motDePasse;  // as typed, UTF-8
    bool motDePasseDonne = false;
    // "--password-file": a file whose first line is the password, "-" for standard input.
    std::string fichierMotDePasse;
    bool sort = false;
    ChartOptions chart;
    ReportOptions report;
    ImportOptions import;
};

struct ParsedArguments {
    std::optional<Arguments> arguments;
    std::string error;  // French, set when `arguments` is empty
};

// Reads the words after the program name. Options may come anywhere after the command;
// "--" ends them, for a name that starts with "-".
ParsedArguments parseArguments(const std::vector<std::string>& words);

std::string_view usage();
// The picture format an output name asks for by its extension ("png", "jpg", "bmp"); empty
// for a name the program cannot write.
std::optional<std::string> formatImage(const std::string& sortie);
// The part of the usage text about one command, with the options every command shares.
std::string usageDe(std::string_view commande);
// Whether the command reads a budget, and so needs its password.
bool demandeMotDePasse(Command command);

}  // namespace varnelle::cli
