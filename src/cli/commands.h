#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "core/model/budget.h"
#include "core/storage/profile_file.h"

namespace varnelle::cli {

inline constexpr int kExitOk = 0;
// A usage error, a wrong password or a request the core refused.
inline constexpr int kExitRefused = 1;
// The file or folder cannot be read, or the budget in it is damaged.
inline constexpr int kExitUnreadable = 2;

// Each command prints its result on `out` and its French messages on `err`, and answers the
// exit status. Passwords arrive as UTF-8; names and paths are file-system bytes.
int runList(const std::filesystem::path& dossier, std::ostream& out, std::ostream& err);
int runNew(const std::filesystem::path& dossier, std::string_view nom, std::string_view motDePasse,
           std::ostream& err);
int runShow(const std::filesystem::path& fichier, std::string_view motDePasse, bool sort,
            std::ostream& out, std::ostream& err);
int runCheck(const std::filesystem::path& fichier, std::string_view motDePasse, std::ostream& out,
             std::ostream& err);
// One JSON object per line for each month of the tree of monthly balances, in tree order.
int runBalances(const std::filesystem::path& fichier, std::string_view motDePasse,
                std::ostream& out, std::ostream& err);
// One JSON object per line for each node of the operations tree, in tree order.
int runTree(const std::filesystem::path& fichier, std::string_view motDePasse, std::ostream& out,
            std::ostream& err);
// One JSON object: the recap's years, and for every expense type in collection order the twelve
// monthly sums of each year that holds any.
int runRecap(const std::filesystem::path& fichier, std::string_view motDePasse, std::ostream& out,
             std::ostream& err);
// One JSON object: the calendar's month columns in order, each with its days that hold
// operations and their operations in journal order.
int runCalendar(const std::filesystem::path& fichier, std::string_view motDePasse,
                std::ostream& out, std::ostream& err);
// Writes the PNG whole or not at all.
int runChart(const std::filesystem::path& fichier, std::string_view motDePasse,
             const ChartOptions& chart, std::ostream& err);

// Writes the PDF whole or not at all; an empty list writes nothing.
int runReport(const std::filesystem::path& fichier, std::string_view motDePasse,
              const ReportOptions& report, std::ostream& err);

// Shared by the commands. Opens the file, checks the password and loads the budget with its
// derived values; on failure prints the French message and answers the exit status.
int chargeBudget(const std::filesystem::path& fichier, std::string_view motDePasse, Budget& budget,
                 std::ostream& err);
// The same, keeping the open file for a save.
int chargeBudget(const std::filesystem::path& fichier, std::string_view motDePasse,
                 ProfileFile& file, Budget& budget, std::ostream& err);

// Imports a bank statement into the budget's journal and saves the budget, unless the options
// ask for a trial: one line per statement line on `out`, then a summary.
int runImport(const std::filesystem::path& fichier, std::string_view motDePasse,
              const ImportOptions& import, std::ostream& out, std::ostream& err);
// For messages: the path made absolute, or as given when that fails.
std::string absolutePath(const std::filesystem::path& path);

}  // namespace varnelle::cli
