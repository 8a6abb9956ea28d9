#pragma once

#include <string_view>

#include "core/import/statement.h"

namespace varnelle {

// The bank section of a QIF statement ("!Type:Bank"): one line per record, D date, T (or U)
// amount, P payee, M memo (the label when there is no payee), ^ ending the record; other
// fields are passed over. Day and month come in the order the file's dates make plain (a
// number above 12 tells the day); a file in which nothing tells them apart is read day first,
// unless its years follow an apostrophe, a writer's sign of month first: it is then refused.
ResultatReleve litQif(std::string_view octets);

}  // namespace varnelle
