#include <string>

#include "cli/commands.h"
#include "core/import/import_plan.h"
#include "core/model/text_encoding.h"
#include "core/storage/data_file.h"
#include "statements/statement_file.h"

namespace varnelle::cli {
namespace {

namespace fs = std::filesystem;

std::string decrit(const LigneReleve& l) {
    return l.cDate + ", " + formatAmount(l.nMontant, '.') + ", " + win1252ToUtf8(l.cLibelle);
}

std::string origine(OrigineType o) {
    switch (o) {
    case OrigineType::ChoixPrecedent: return "choix précédent";
    case OrigineType::Regle: return "règle";
    case OrigineType::Defaut: return "--default-type";
    case OrigineType::Aucune: break;
    }
    return {};
}

std::string echecSauvegarde(const SaveResult& r) {
    const std::string chemin = absolutePath(r.path);
    switch (r.status) {
    case SaveStatus::Ok: break;
    case SaveStatus::NotSynced:
        return "Le budget a été écrit dans " + chemin +
               ", mais le système n'a pas confirmé qu'il est enregistré sur le disque.";
    case SaveStatus::TextRefused:
        return "Ne peut écrire dans " + chemin + " : la valeur " + r.key + " de la section " +
               r.section + " contient un caractère ou une longueur que le fichier ne peut garder.";
    case SaveStatus::AmountRefused:
        return "Ne peut écrire dans " + chemin + " : le montant " + r.key + " de la section " +
               r.section + " dépasse ce que le fichier peut garder (21 474 836,47).";
    case SaveStatus::TooLarge:
        return "Ne peut écrire dans " + chemin + " : le fichier serait trop grand.";
    case SaveStatus::ChangedOnDisk:
        return "Ne peut écrire dans " + chemin + " : le fichier a changé depuis sa lecture.";
    case SaveStatus::WriteFailed: return "Ne peut écrire dans " + chemin;
    }
    return {};
}

}  // namespace

int runImport(const fs::path& fichier, std::string_view motDePasse, const ImportOptions& import,
              std::ostream& out, std::ostream& err) {
    ProfileFile file;
    Budget budget;
    if (const int status = chargeBudget(fichier, motDePasse, file, budget, err); status != kExitOk)
        return status;

    std::string typeDefaut;
    if (!import.typeDefaut.empty()) {
        const auto code = utf8ToWin1252(import.typeDefaut);
        if (!code || budget.IndiceTypeDep(*code) < 0) {
            err << "Le type de dépense '" << import.typeDefaut
                << "' n'existe pas dans le budget.\n";
            return kExitRefused;
        }
        typeDefaut = *code;
    }

    const FormatReleve format = import.format.value_or(FormatReleve::Csv);
    FichierReleve lu = litFichierReleve(import.releve, format, budget.Import);
    if (lu.illisible) {
        err << "Ne peut lire le relevé " << import.releve << "\n";
        return kExitUnreadable;
    }
    ResultatReleve& releve = lu.releve;
    if (releve.erreur) {
        err << phraseRefus(import.releve, format, *releve.erreur) << '\n';
        return kExitUnreadable;
    }

    PlanImport plan = prepareImport(budget, std::move(releve.lignes), typeDefaut);
    if (const std::vector<std::size_t> sansType = plan.sansType(); !sansType.empty()) {
        err << "Aucun type de dépense ne vient d'une règle ni d'un choix précédent pour "
            << (sansType.size() > 1 ? "ces lignes" : "cette ligne")
            << " ; donnez-en un avec --default-type CODE. Rien n'est importé.\n";
        for (const std::size_t i : sansType)
            err << "  " << endroitReleve(format, plan.lignes[i].ligne.numero) << " : "
                << decrit(plan.lignes[i].ligne) << '\n';
        return kExitRefused;
    }

    std::size_t ignorees = 0;
    for (const LignePlan& p : plan.lignes) {
        out << endroitReleve(format, p.ligne.numero) << " : ";
        switch (p.statut) {
        case StatutImport::AAjouter:
            out << (import.essai ? "à ajouter" : "ajoutée") << ", " << decrit(p.ligne) << ", type "
                << win1252ToUtf8(p.cTypeDep) << " (" << origine(p.origine) << ")\n";
            continue;
        case StatutImport::DejaDansJournal: out << "ignorée, déjà dans le journal"; break;
        case StatutImport::DejaImportee:
            out << "ignorée, déjà importée (FITID " << win1252ToUtf8(p.ligne.cFitid) << ")";
            break;
        case StatutImport::MontantNul: out << "ignorée, montant nul"; break;
        }
        out << ", " << decrit(p.ligne) << '\n';
        ++ignorees;
    }
    const std::size_t ajoutees = plan.nbAAjouter();
    const auto operations = [](std::size_t n) {
        return std::to_string(n) + (n > 1 ? " opérations" : " opération");
    };
    if (import.essai) {
        out << "Essai : " << operations(ajoutees)
            << (ajoutees > 1 ? " seraient ajoutées" : " serait ajoutée") << ", " << ignorees
            << (ignorees > 1 ? " ignorées" : " ignorée") << " ; rien n'est enregistré.\n";
        return kExitOk;
    }
    if (ajoutees == 0) {
        out << "Aucune opération ajoutée, " << ignorees << (ignorees > 1 ? " ignorées" : " ignorée")
            << " ; le budget n'est pas modifié.\n";
        return kExitOk;
    }
    appliqueImport(budget, plan);
    const SaveResult saved = SauveFichier(file, budget);
    if (!saved) {
        err << echecSauvegarde(saved) << '\n';
        // Written all the same, only not confirmed on disk.
        if (saved.status != SaveStatus::NotSynced) return kExitRefused;
    }
    out << operations(ajoutees) << (ajoutees > 1 ? " ajoutées" : " ajoutée") << ", " << ignorees
        << (ignorees > 1 ? " ignorées" : " ignorée") << ".\n";
    return kExitOk;
}

}  // namespace varnelle::cli
