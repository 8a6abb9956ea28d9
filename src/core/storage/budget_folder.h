#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/storage/profile_file.h"

namespace varnelle {

// Budget names are file names without ".ini", in the file system's own encoding.

// The folder of the user's budgets: "varnelle" in $XDG_DATA_HOME when it is an absolute
// path, else in ~/.local/share. Empty when neither variable helps.
std::filesystem::path dossierDonnees(const char* xdgDataHome, const char* home);

// Makes sure the folder exists (readable by its owner only when created).
bool prepareDossierDonnees(const std::filesystem::path& folder);

// The budgets of a folder as the chooser lists them: every regular file whose name ends in
// ".ini" in any case and does not contain "Copie ", named up to its first ".ini", in
// alphabetical order without regard to case.
std::vector<std::string> listeBudgets(const std::filesystem::path& folder);

// A budget of the list and its file as the folder spells it ("Alpha" and "Alpha.INI").
struct BudgetListe {
    std::string nom;
    std::string fichier;
};
std::vector<BudgetListe> listeFichiersBudgets(const std::filesystem::path& folder);

// The data file of budget `nom`: the folder, the name and ".ini".
std::filesystem::path fichierBudget(const std::filesystem::path& folder, std::string_view nom);

// Leaves room, within the usual 255-byte limit, for ".ini" and the save's own suffixes.
inline constexpr std::size_t kLongueurNomMax = 200;

enum class NewBudgetStatus {
    Ok,
    EmptyName,
    InvalidCharacter,  // a path separator or a control character
    LeadingDot,
    HiddenName,      // holds "Copie ", which the list never shows
    HoldsExtension,  // holds ".ini", which the list would cut short
    TooLong,
    AlreadyExists,  // a file of that name exists, in any letter case
    EmptyPassword,
    PasswordInvalidCharacter,  // a control character, which no one can type at the chooser
    PasswordTooLong,           // longer than a value of the file
    WriteFailed,
};

struct NewBudgetResult {
    NewBudgetStatus status = NewBudgetStatus::Ok;
    std::filesystem::path path;
    int systemError = 0;
    // The file as written, for the window to load without reading it again.
    ProfileFile file;
    explicit operator bool() const { return status == NewBudgetStatus::Ok; }
};

// Whether `nom` may name a new budget in `folder`.
NewBudgetStatus verifieNomNouveauBudget(const std::filesystem::path& folder, std::string_view nom);

// Creates the data file of a new budget holding only its scrambled password. `motDePasse`
// is taken as typed and put in upper case. Never touches an existing file.
NewBudgetResult creeBudget(const std::filesystem::path& folder, std::string_view nom,
                           std::string_view motDePasse);

}  // namespace varnelle
