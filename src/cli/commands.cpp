#include "cli/commands.h"

#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "cli/budget_json.h"
#include "cli/json_writer.h"
#include "core/model/budget.h"
#include "core/model/text_encoding.h"
#include "core/stats/calend_op.h"
#include "core/stats/monthly_balances.h"
#include "core/stats/operations_tree.h"
#include "core/stats/recap_types_dep.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"
#include "core/storage/password.h"
#include "core/storage/profile_file.h"

namespace varnelle::cli {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> motDePasseWin1252(std::string_view utf8, std::ostream& err) {
    auto converted = utf8ToWin1252(utf8);
    if (!converted)
        err << "Le mot de passe contient un caractère qu'un budget ne peut pas enregistrer.\n";
    return converted;
}

std::string nouveauBudgetRefuse(const NewBudgetResult& result, std::string_view nom) {
    const std::string name(nom);
    switch (result.status) {
    case NewBudgetStatus::Ok: break;
    case NewBudgetStatus::EmptyName: return "Le nom du budget est vide.";
    case NewBudgetStatus::InvalidCharacter:
        return "Le nom '" + name +
               "' contient un caractère interdit (séparateur de dossier ou caractère de "
               "contrôle).";
    case NewBudgetStatus::LeadingDot:
        return "Le nom d'un budget ne peut pas commencer par un point.";
    case NewBudgetStatus::HiddenName:
        return "Le nom d'un budget ne peut pas contenir \"Copie \" : il serait caché de la liste.";
    case NewBudgetStatus::HoldsExtension:
        return "Le nom d'un budget ne peut pas contenir \".ini\".";
    case NewBudgetStatus::TooLong:
        return "Le nom du budget est trop long (" + std::to_string(kLongueurNomMax) +
               " octets au plus).";
    case NewBudgetStatus::AlreadyExists: return "Le budget '" + name + "' existe déjà.";
    case NewBudgetStatus::EmptyPassword: return "Le mot de passe ne peut pas être vide.";
    case NewBudgetStatus::PasswordInvalidCharacter:
        return "Le mot de passe contient un caractère de contrôle (retour à la ligne, "
               "tabulation...), qu'on ne peut pas taper à l'ouverture du budget.";
    case NewBudgetStatus::PasswordTooLong:
        return "Le mot de passe est trop long (" + std::to_string(ProfileFile::kMaxValueLength) +
               " caractères au plus).";
    case NewBudgetStatus::WriteFailed: return "Ne peut écrire dans " + absolutePath(result.path);
    }
    return {};
}

// JSON must be UTF-8; a file name that is not is taken as the budget's own code page.
std::string nomFichierUtf8(const fs::path& fichier) {
    const std::string name = fichier.filename().string();
    return isValidUtf8(name) ? name : win1252ToUtf8(name);
}

// French agreement: 0 and 1 take the singular.
std::string compte(std::size_t n, std::string_view singulier) {
    return std::to_string(n) + " " + std::string(singulier) + (n > 1 ? "s" : "");
}

// A decimal amount stays a string, as show writes it: a JSON number would invite binary
// rounding.
void montantJson(std::ostream& out, Montant value) {
    out << '"' << formatAmount(value, '.') << '"';
}

void texteJson(std::ostream& out, std::string_view win1252) {
    JsonWriter(out).string(win1252ToUtf8(win1252));
}

// The separator before every item but the first of a list.
class Virgule final {
public:
    explicit Virgule(std::ostream& out) : out_(out) {}
    void operator()() {
        if (!premier_) out_ << ", ";
        premier_ = false;
    }

private:
    std::ostream& out_;
    bool premier_ = true;
};

}  // namespace

std::string absolutePath(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute.lexically_normal()).string();
}

namespace {

// Opens the data file and checks the password; kExitOk when the budget may be read.
int ouvreBudget(const fs::path& fichier, std::string_view motDePasse, ProfileFile& file,
                std::ostream& err) {
    switch (file.open(fichier)) {
    case ProfileFile::OpenStatus::Ok: break;
    case ProfileFile::OpenStatus::Missing:
        err << "Le fichier " << fichier.string() << " est introuvable.\n";
        return kExitUnreadable;
    case ProfileFile::OpenStatus::Unreadable:
        err << "Ne peut lire le fichier " << fichier.string() << "\n";
        return kExitUnreadable;
    case ProfileFile::OpenStatus::TooLarge:
        err << "Le fichier " << fichier.string() << " est trop volumineux pour être un budget.\n";
        return kExitUnreadable;
    }

    const auto saisi = motDePasseWin1252(motDePasse, err);
    if (!saisi) return kExitRefused;
    if (!MotDePasseCorrect(file, motDePasseSaisi(*saisi))) {
        err << "Mot de passe de la base de données '" << fichier.filename().string()
            << "' invalide !!!\n";
        return kExitRefused;
    }

    return kExitOk;
}

int finChargement(const fs::path& fichier, LoadStatus status, Budget& budget, std::ostream& err) {
    if (status == LoadStatus::Damaged) {
        err << "Le fichier " << fichier.string()
            << " est endommagé : le nombre d'enregistrements d'une liste y est illisible ou "
               "dépasse "
            << kMaxEntreesParCollection << ".\n";
        return kExitUnreadable;
    }
    budget.calculeTout();
    return kExitOk;
}

}  // namespace

int chargeBudget(const fs::path& fichier, std::string_view motDePasse, Budget& budget,
                 std::ostream& err) {
    ProfileFile file;
    if (const int status = ouvreBudget(fichier, motDePasse, file, err); status != kExitOk)
        return status;
    // Nothing is written back: the file's text can go as the budget is read.
    return finChargement(fichier, ChargeFichier(std::move(file), budget), budget, err);
}

int chargeBudget(const fs::path& fichier, std::string_view motDePasse, ProfileFile& file,
                 Budget& budget, std::ostream& err) {
    if (const int status = ouvreBudget(fichier, motDePasse, file, err); status != kExitOk)
        return status;
    return finChargement(fichier, ChargeFichier(file, budget), budget, err);
}

int runList(const fs::path& dossier, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!fs::is_directory(dossier, error)) {
        err << "Ne peut lire le dossier " << dossier.string() << "\n";
        return kExitUnreadable;
    }
    for (const std::string& nom : listeBudgets(dossier)) out << nom << '\n';
    return kExitOk;
}

int runNew(const fs::path& dossier, std::string_view nom, std::string_view motDePasse,
           std::ostream& err) {
    const auto converted = motDePasseWin1252(motDePasse, err);
    if (!converted) return kExitRefused;
    const NewBudgetResult result = creeBudget(dossier, nom, *converted);
    if (!result) {
        err << nouveauBudgetRefuse(result, nom) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

int runShow(const fs::path& fichier, std::string_view motDePasse, bool sort, std::ostream& out,
            std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    if (sort) {
        // As after an edit: the journal in date order, then every balance along it.
        budget.TrieOperations();
        budget.calculeTout();
    }
    writeBudgetJson(out, nomFichierUtf8(fichier), budget);
    return kExitOk;
}

int runCheck(const fs::path& fichier, std::string_view motDePasse, std::ostream& out,
             std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    const Montant soldeFinal = budget.Operations.empty() ? 0 : budget.Operations.back().nSolde;
    out << fichier.filename().string() << " : " << compte(budget.TypesDep.size(), "type") << ", "
        << compte(budget.Operations.size(), "opération") << ", "
        << compte(budget.Economies.size(), "économie") << ", "
        << compte(budget.Simulations.size(), "simulation") << ", solde final "
        << formatAmount(soldeFinal, '.') << '\n';
    return kExitOk;
}

int runBalances(const fs::path& fichier, std::string_view motDePasse, std::ostream& out,
                std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    ArbreSoldesMensuels arbre = ConstruitArbreSoldesMensuels(budget.Operations, {});
    CalculeSoldesMensuels(arbre, budget.Simulations, true);
    for (std::size_t i = 0; i < arbre.infos.size(); ++i) {
        const TInfoNoeudSoldesMensuels& mois = arbre.infos[i];
        if (!mois.estMois()) continue;
        out << "{\"annee\": " << std::stoi(mois.cAnnee) << ", \"mois\": " << std::stoi(mois.cMois)
            << ", \"solde\": \"" << formatAmount(mois.nSoldeRef, '.') << "\", \"soldeAffiche\": \""
            << formatAmount(mois.nSoldeAff, '.')
            << "\", \"simule\": " << (mois.lSimule ? "true" : "false")
            << ", \"icone\": " << arbre.noeuds[i].image << "}\n";
    }
    return kExitOk;
}

int runTree(const fs::path& fichier, std::string_view motDePasse, std::ostream& out,
            std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    const ArbreOperations arbre = ConstruitArbreOperations(budget, {});
    for (std::size_t i = 0; i < arbre.noeuds.size(); ++i) {
        out << "{\"niveau\": " << arbre.noeuds[i].level << ", \"texte\": ";
        JsonWriter(out).string(win1252ToUtf8(arbre.noeuds[i].text));
        out << ", \"total\": \"" << formatAmount(arbre.infos[i].nTotal, '.')
            << "\", \"nbOperations\": " << arbre.infos[i].nNbOperations << "}\n";
    }
    return kExitOk;
}

int runRecap(const fs::path& fichier, std::string_view motDePasse, std::ostream& out,
             std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    const RecapTypesDep recap = ConstruitRecapTypesDep(budget, budget.Param.lRTDContCellsGraphe);
    out << "{\"annees\": [";
    Virgule annee(out);
    for (int k = 1; k <= recap.nNbAnnees; ++k) {
        annee();
        out << recap.annee(k);
    }
    out << "], \"types\": [";
    Virgule type(out);
    for (std::size_t i = 0; i < recap.lignes.size(); ++i) {
        type();
        out << "{\"code\": ";
        texteJson(out, recap.lignes[i].cTypeDep);
        out << ", \"sommes\": {";
        Virgule cellule(out);
        for (int k = 1; k <= recap.nNbAnnees; ++k) {
            if (!recap.celluleRemplie(i, k)) continue;
            cellule();
            out << '"' << recap.annee(k) << "\": [";
            Virgule mois(out);
            for (const Montant somme : recap.cellule(i, k)->nSommeMois) {
                mois();
                montantJson(out, somme);
            }
            out << ']';
        }
        out << "}}";
    }
    out << "]}\n";
    return kExitOk;
}

int runCalendar(const fs::path& fichier, std::string_view motDePasse, std::ostream& out,
                std::ostream& err) {
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, budget, err); status != kExitOk)
        return status;
    const CalendOp calendrier =
        ConstruitCalendOp(budget.Operations, budget.Param.lCaOContCellsGraphe);
    out << "{\"mois\": [";
    Virgule colonne(out);
    for (std::size_t i = 0; i < calendrier.mois.size(); ++i) {
        const TCalendOp& mois = calendrier.mois[i];
        colonne();
        out << "{\"mois\": \"" << (mois.nMois < 10 ? "0" : "") << mois.nMois << '/' << mois.cAnnee
            << "\", \"jours\": {";
        Virgule jours(out);
        for (int jour = 1; jour <= kJoursCalendrier; ++jour) {
            const int n = mois.nNbOpJour[static_cast<std::size_t>(jour)];
            if (n == 0) continue;
            jours();
            out << '"' << jour << "\": [";
            Virgule operations(out);
            for (int k = 0; k < n; ++k) {
                const TOpJour& operation = calendrier.operation(i, jour, k);
                operations();
                out << "{\"cTypeDep\": ";
                texteJson(out, operation.cTypeDep);
                out << ", \"nMontant\": ";
                montantJson(out, operation.nMontant);
                out << ", \"nSelect\": " << operation.nSelect << '}';
            }
            out << ']';
        }
        out << "}}";
    }
    out << "]}\n";
    return kExitOk;
}

}  // namespace varnelle::cli
