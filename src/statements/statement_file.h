#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/import/statement.h"
#include "core/model/import_memory.h"

namespace varnelle {

enum class FormatReleve { Csv, Ofx, Qif };

// The format a statement's name tells by its extension: .csv, .ofx or .qfx, .qif.
std::optional<FormatReleve> formatReleve(std::string_view nom);

// A statement file read whole in its format: CSV with `colonnes` when given, else with those
// the memory keeps for its header or its header's names. `illisible` when the file itself
// could not be read; `octets` keeps a text statement's bytes, for its header.
struct FichierReleve {
    ResultatReleve releve;
    bool illisible = false;
    std::string octets;
};
FichierReleve litFichierReleve(const std::filesystem::path& chemin, FormatReleve format,
                               const MemoireImport& memoire, const ColonnesCsv* colonnes = nullptr);

// "ligne 4" of a text statement, "opération 4" of an OFX one.
std::string endroitReleve(FormatReleve format, std::size_t numero);
// Why a statement is refused, in French (UTF-8), for the window and the command line alike:
// "Relevé <nom> refusé, ligne 6 : date absente ou incorrecte. Rien n'est importé." An empty
// name is left out.
std::string phraseRefus(std::string_view nom, FormatReleve format, const ErreurReleve& erreur);

}  // namespace varnelle
