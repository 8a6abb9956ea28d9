#include "core/storage/budget_folder.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/storage/data_file.h"
#include "core/storage/password.h"
#include "core/storage/profile_file.h"

namespace varnelle {
namespace {

constexpr std::string_view kExtension = ".ini";
constexpr std::string_view kMarqueCopie = "Copie ";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lower(c);
    return out;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    const std::string la = lowered(a), lb = lowered(b);
    return la != lb ? la < lb : a < b;
}

}  // namespace

std::filesystem::path dossierDonnees(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return std::filesystem::path(xdgDataHome) / "varnelle";
    if (home != nullptr && home[0] == '/')
        return std::filesystem::path(home) / ".local" / "share" / "varnelle";
    return {};
}

bool prepareDossierDonnees(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    if (!std::filesystem::create_directories(folder, error)) return false;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    return true;
}

std::vector<std::string> listeBudgets(const std::filesystem::path& folder) {
    std::vector<std::string> noms;
    for (BudgetListe& budget : listeFichiersBudgets(folder)) noms.push_back(std::move(budget.nom));
    return noms;
}

std::vector<BudgetListe> listeFichiersBudgets(const std::filesystem::path& folder) {
    std::vector<BudgetListe> budgets;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string low = lowered(name);
        if (low.size() < kExtension.size() || !low.ends_with(kExtension)) continue;
        if (name.find(kMarqueCopie) != std::string::npos) continue;
        std::error_code statusError;
        if (!it->is_regular_file(statusError)) continue;
        std::string nom = name.substr(0, low.find(kExtension));
        if (!nom.empty()) budgets.push_back({std::move(nom), name});
    }
    std::sort(budgets.begin(), budgets.end(), [](const BudgetListe& a, const BudgetListe& b) {
        return a.nom != b.nom ? lessNoCase(a.nom, b.nom) : a.fichier < b.fichier;
    });
    return budgets;
}

std::filesystem::path fichierBudget(const std::filesystem::path& folder, std::string_view nom) {
    return folder / (std::string(nom) + std::string(kExtension));
}

NewBudgetStatus verifieNomNouveauBudget(const std::filesystem::path& folder, std::string_view nom) {
    if (nom.empty()) return NewBudgetStatus::EmptyName;
    for (const char c : nom) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F)
            return NewBudgetStatus::InvalidCharacter;
    }
    if (nom.front() == '.') return NewBudgetStatus::LeadingDot;
    if (nom.find(kMarqueCopie) != std::string_view::npos) return NewBudgetStatus::HiddenName;
    if (lowered(nom).find(kExtension) != std::string::npos) return NewBudgetStatus::HoldsExtension;
    if (nom.size() > kLongueurNomMax) return NewBudgetStatus::TooLong;

    const std::string wanted = lowered(nom) + std::string(kExtension);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        if (lowered(it->path().filename().string()) == wanted)
            return NewBudgetStatus::AlreadyExists;
    return NewBudgetStatus::Ok;
}

NewBudgetResult creeBudget(const std::filesystem::path& folder, std::string_view nom,
                           std::string_view motDePasse) {
    NewBudgetResult result;
    result.path = fichierBudget(folder, nom);
    result.status = verifieNomNouveauBudget(folder, nom);
    if (!result) return result;
    const std::string saisi = motDePasseSaisi(motDePasse);
    if (saisi.empty()) {
        result.status = NewBudgetStatus::EmptyPassword;
        return result;
    }
    if (std::any_of(saisi.begin(), saisi.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u < 0x20 || u == 0x7F;
        })) {
        result.status = NewBudgetStatus::PasswordInvalidCharacter;
        return result;
    }
    if (saisi.size() > ProfileFile::kMaxValueLength) {
        result.status = NewBudgetStatus::PasswordTooLong;
        return result;
    }
    ProfileFile file;
    if (file.open(result.path) != ProfileFile::OpenStatus::Missing) {
        result.status = NewBudgetStatus::AlreadyExists;
        return result;
    }
    if (file.writeString(kSectionGeneral, kCleMotDePasse, BrouillerMotDePasse(saisi)) !=
        ProfileFile::WriteStatus::Ok) {
        result.status = NewBudgetStatus::WriteFailed;
        result.systemError = EINVAL;
        return result;
    }
    const auto flushed = file.flush();
    result.systemError = flushed.systemError;
    if (flushed) result.file = std::move(file);
    if (flushed.status == ProfileFile::FlushStatus::ChangedOnDisk)
        result.status = NewBudgetStatus::AlreadyExists;
    else if (!flushed)
        result.status = NewBudgetStatus::WriteFailed;
    return result;
}

}  // namespace varnelle
