#pragma once

#include <string>
#include <vector>

#include "core/model/records.h"

namespace varnelle {

// Sort key of an operation: its date as a fixed-width day number (a date text that is not
// valid ranks after every valid date), then the type code, then the amount's general text
// with the locale's decimal separator. Keys compare byte-wise.
std::string CleOperation(const TOperation& operation);

// -1, 0 or +1 by byte-wise comparison of the keys.
int CompareOperations(const TOperation& a, const TOperation& b);

// -1, 0 or +1 by byte-wise comparison of the codes.
int CompareTypesDep(const TTypeDep& a, const TTypeDep& b);

// Stable sorts in the order of the comparisons above; each key is computed once per sort.
void trieOperations(std::vector<TOperation>& operations);
void trieTypesDep(std::vector<TTypeDep>& types);

}  // namespace varnelle
