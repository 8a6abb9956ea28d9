#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// The operation at `index` changed while every other one kept its place: moves it, and only
// it, where the stable sort of the whole journal would put it, and answers that position.
// Nothing, and nothing moved, when the others are not in order; with `autresEnOrdre`, the
// caller knows they are, and they are not checked.
std::optional<std::size_t> placeOperation(std::vector<TOperation>& operations, std::size_t index,
                                          bool autresEnOrdre = false);

// When the dates are in order, sorts each day's operations, which then gives the order of
// the stable sort of the whole journal; false, and nothing moved, when they are not.
bool trieJoursOperations(std::vector<TOperation>& operations);

// The operations of code `ancien` take the code `nouveau`, in a journal in order: each moves
// within its day where the stable sort of the whole journal would put it. Answers their
// places before and after, ascending, the k-th going to the k-th. `jourEnPlace(debut, fin)` is
// called on each day once it is in order, from the first, while its records are in the
// caches: a large journal is read once. With `verifie`, the order is checked on the way; a
// journal found out of order is only recoded, and `enOrdre` is false.
struct Recodees {
    std::vector<std::size_t> avant, apres;
    bool enOrdre = true;
};
Recodees recodeOperations(std::vector<TOperation>& operations, std::string_view ancien,
                          std::string_view nouveau, bool verifie,
                          const std::function<void(std::size_t, std::size_t)>& jourEnPlace);

// Moves the operations at `de` to `vers` (both ascending), the k-th to the k-th, giving each
// the code `code`, the others keeping their order: a change of code laid again or taken back.
// Only the stretches between where they were and where they go are touched.
void deplaceOperations(std::vector<TOperation>& operations, const std::vector<std::size_t>& de,
                       const std::vector<std::size_t>& vers, const std::string& code);

}  // namespace varnelle
