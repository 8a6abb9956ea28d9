#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnelle::cli {

enum class Command { Help, List, New, Show, Check, Balances, Tree, Recap, Calendar, Chart, Report };

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

struct Arguments {
    Command command = Command::Help;
    // In the order of the usage text: FOLDER; FOLDER NAME; FILE.
    std::vector<std::string> operands;
    std::string motDePasse;  // as typed, UTF-8
    bool sort = false;
    ChartOptions chart;
    ReportOptions report;
};

struct ParsedArguments {
    std::optional<Arguments> arguments;
    std::string error;  // French, set when `arguments` is empty
};

// Reads the words after the program name. Options may come anywhere after the command;
// "--" ends them, for a name that starts with "-".
ParsedArguments parseArguments(const std::vector<std::string>& words);

std::string_view usage();

}  // namespace varnelle::cli
