#pragma once

#include <filesystem>

#include "core/import/statement.h"

namespace varnelle {

// The transactions of an OFX statement, 1.x (SGML) or 2.x (XML), in file order, numbered
// from 1. The library that parses it prints nothing. Each transaction's amount and posting
// date are also read as the file writes them, so that an amount the library would take as 0
// or a date it would move across midnight by a time zone are refused or kept exactly.
ResultatReleve litOfx(const std::filesystem::path& fichier);

}  // namespace varnelle
