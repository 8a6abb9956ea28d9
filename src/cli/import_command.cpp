#include <fstream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "core/import/csv_reader.h"
#include "core/import/import_plan.h"
#include "core/import/qif_reader.h"
#include "core/model/text_encoding.h"
#include "core/storage/data_file.h"
#include "ofx/ofx_reader.h"

namespace varnelle::cli {
namespace {

namespace fs = std::filesystem;

std::string raison(CodeErreurReleve code) {
    switch (code) {
    case CodeErreurReleve::FichierVide: return "le relevé ne contient aucune opération";
    case CodeErreurReleve::EncodageInconnu: return "encodage inconnu (ni UTF-8 ni Windows-1252)";
    case CodeErreurReleve::CaractereNonGardable:
        return "un caractère qu'un budget ne peut pas enregistrer (hors Windows-1252)";
    case CodeErreurReleve::EnteteIntrouvable:
        return "aucune ligne d'en-tête ne nomme les colonnes Date, Libellé et Montant (ou Débit "
               "et Crédit)";
    case CodeErreurReleve::ColonneManquante: return "il manque des colonnes";
    case CodeErreurReleve::GuillemetNonFerme: return "un guillemet n'est pas refermé";
    case CodeErreurReleve::DateInvalide: return "date absente ou incorrecte";
    case CodeErreurReleve::DateAmbigue:
        return "les dates ne disent pas si le jour ou le mois vient en premier";
    case CodeErreurReleve::MontantInvalide: return "montant absent ou illisible";
    case CodeErreurReleve::MontantTropGrand:
        return "montant trop grand pour un budget (21 474 836,47 au plus)";
    case CodeErreurReleve::MontantAmbigu: return "un débit et un crédit sur la même ligne";
    case CodeErreurReleve::LibelleManquant: return "libellé absent";
    case CodeErreurReleve::TypeNonGere:
        return "seule la partie bancaire (!Type:Bank) d'un fichier QIF peut être importée";
    case CodeErreurReleve::EnregistrementIncomplet:
        return "opération sans date ou sans montant, ou non terminée par ^";
    case CodeErreurReleve::FormatIllisible: return "ce n'est pas un relevé OFX lisible";
    }
    return {};
}

// "ligne 4" of a text statement, "opération 4" of an OFX one.
std::string endroit(FormatReleve format, std::size_t numero) {
    return (format == FormatReleve::Ofx ? "opération " : "ligne ") + std::to_string(numero);
}

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
    ResultatReleve releve;
    if (format == FormatReleve::Ofx) {
        if (!fs::is_regular_file(import.releve)) {
            err << "Ne peut lire le relevé " << import.releve << "\n";
            return kExitUnreadable;
        }
        releve = litOfx(import.releve);
    } else {
        std::ifstream in(import.releve, std::ios::binary);
        if (!in || !fs::is_regular_file(import.releve)) {
            err << "Ne peut lire le relevé " << import.releve << "\n";
            return kExitUnreadable;
        }
        const std::string octets{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
        releve = format == FormatReleve::Csv ? litCsv(octets, budget.Import) : litQif(octets);
    }
    if (releve.erreur) {
        err << "Relevé " << import.releve << " refusé";
        if (releve.erreur->numero > 0) err << ", " << endroit(format, releve.erreur->numero);
        err << " : " << raison(releve.erreur->code) << ". Rien n'est importé.\n";
        return kExitUnreadable;
    }

    PlanImport plan = prepareImport(budget, std::move(releve.lignes), typeDefaut);
    if (const std::vector<std::size_t> sansType = plan.sansType(); !sansType.empty()) {
        err << "Aucun type de dépense ne vient d'une règle ni d'un choix précédent pour "
            << (sansType.size() > 1 ? "ces lignes" : "cette ligne")
            << " ; donnez-en un avec --default-type CODE. Rien n'est importé.\n";
        for (const std::size_t i : sansType)
            err << "  " << endroit(format, plan.lignes[i].ligne.numero) << " : "
                << decrit(plan.lignes[i].ligne) << '\n';
        return kExitRefused;
    }

    std::size_t ignorees = 0;
    for (const LignePlan& p : plan.lignes) {
        out << endroit(format, p.ligne.numero) << " : ";
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
