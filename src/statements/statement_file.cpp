#include "statements/statement_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/import/csv_reader.h"
#include "core/import/qif_reader.h"
#include "statements/ofx_reader.h"

namespace varnelle {

namespace fs = std::filesystem;

namespace {

std::string raisonRefus(CodeErreurReleve code) {
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

}  // namespace

std::optional<FormatReleve> formatReleve(std::string_view nom) {
    const std::size_t point = nom.rfind('.');
    if (point == std::string_view::npos || nom.find('/', point) != std::string_view::npos)
        return std::nullopt;
    std::string extension(nom.substr(point + 1));
    for (char& c : extension) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    if (extension == "csv") return FormatReleve::Csv;
    if (extension == "ofx" || extension == "qfx") return FormatReleve::Ofx;
    if (extension == "qif") return FormatReleve::Qif;
    return std::nullopt;
}

FichierReleve litFichierReleve(const fs::path& chemin, FormatReleve format,
                               const MemoireImport& memoire, const ColonnesCsv* colonnes) {
    FichierReleve lu;
    std::error_code erreur;
    if (!fs::is_regular_file(chemin, erreur)) {
        lu.illisible = true;
        return lu;
    }
    if (format == FormatReleve::Ofx) {
        lu.releve = litOfx(chemin);
        return lu;
    }
    std::ifstream in(chemin, std::ios::binary);
    if (!in) {
        lu.illisible = true;
        return lu;
    }
    lu.octets.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        lu.illisible = true;
        return lu;
    }
    if (format == FormatReleve::Qif)
        lu.releve = litQif(lu.octets);
    else
        lu.releve = colonnes ? litCsv(lu.octets, *colonnes) : litCsv(lu.octets, memoire);
    return lu;
}

std::string endroitReleve(FormatReleve format, std::size_t numero) {
    return (format == FormatReleve::Ofx ? "opération " : "ligne ") + std::to_string(numero);
}

std::string phraseRefus(std::string_view nom, FormatReleve format, const ErreurReleve& erreur) {
    std::string phrase = "Relevé ";
    if (!nom.empty()) phrase.append(nom).append(" ");
    phrase += "refusé";
    if (erreur.numero > 0) phrase += ", " + endroitReleve(format, erreur.numero);
    return phrase + " : " + raisonRefus(erreur.code) + ". Rien n'est importé.";
}

}  // namespace varnelle
