#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/statement.h"
#include "core/model/import_memory.h"

namespace varnelle {

// The header of a CSV statement: the first line, among the first few, whose names give the
// date, label and amount columns (Date; Libellé, Libelle or Description; Montant, or Débit
// and Crédit; in any case, with or without accents), or the first line that is not blank.
struct EnteteCsv {
    std::size_t numero = 0;           // its line, from 1
    std::string texte;                // Windows-1252, as the file has it: the key of a mapping
    std::vector<std::string> champs;  // its fields, unquoted
    ColonnesCsv colonnes;             // those its names give; perhaps not complete
    char separateur = ';';
    std::optional<ErreurReleve> erreur;
};
EnteteCsv enteteCsv(std::string_view octets);

// Every line after the header with these columns. A line whose amount is 0 is kept (the
// plan skips it); blank lines are not lines.
ResultatReleve litCsv(std::string_view octets, const ColonnesCsv& colonnes);
// With the columns the memory keeps for a header line of the file, else those the header's
// names give; EnteteIntrouvable when neither is complete.
ResultatReleve litCsv(std::string_view octets, const MemoireImport& memoire);

}  // namespace varnelle
