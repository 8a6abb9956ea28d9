#include "core/model/orders.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <string_view>

#include "core/model/date_text.h"
#include "core/model/locale_facts.h"

namespace varnelle {
namespace {

// Day numbers from 01/01/0001 (= 1) up to 31/12/9999 fit in seven digits.
constexpr std::int32_t kDecalageJours = 693594;
constexpr int kLargeurDate = 7;
constexpr std::int32_t kRangDateInvalide = INT32_MAX;

// The key split in two: the fixed-width date part compares as a number, the rest as bytes.
struct SortKey {
    std::int32_t rangDate;
    std::string suite;
};

std::int32_t rangDate(const std::string& cDate) {
    const auto date = parseDate(cDate);
    return date ? dateSerial(*date) + kDecalageJours : kRangDateInvalide;
}

SortKey sortKey(const TOperation& operation, char separateur) {
    SortKey key{rangDate(operation.cDate), operation.cTypeDep};
    appendGeneralAmountText(key.suite, operation.nMontant, separateur);
    return key;
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.rangDate != b.rangDate) return a.rangDate < b.rangDate ? -1 : 1;
    const int c = a.suite.compare(b.suite);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int compareBytes(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Rearranges `records` so that position i receives the record at order[i], in place: each
// record that moves is moved once, following the cycles of the permutation, and none that
// stays is touched. A new vector would cost fresh pages on every edit of a large journal.
template <class Record>
void applyOrder(std::vector<Record>& records, std::vector<std::uint32_t>& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == i) continue;
        Record held = std::move(records[i]);
        std::size_t j = i;
        while (order[j] != i) {
            const std::size_t from = order[j];
            records[j] = std::move(records[from]);
            order[j] = static_cast<std::uint32_t>(j);
            j = from;
        }
        records[j] = std::move(held);
        order[j] = static_cast<std::uint32_t>(j);
    }
}

// Beyond this many ascending runs a full sort is cheaper than merging them one by one.
constexpr std::size_t kMaxRuns = 8;

// A collection re-sorted after an edit is a few ascending runs: merging them costs a pass,
// where a full sort costs n log n comparisons. Both are stable.
template <class Record, class Less> void stableSortBy(std::vector<Record>& records, Less less) {
    std::vector<std::uint32_t> order(records.size());
    std::iota(order.begin(), order.end(), 0u);
    std::vector<std::size_t> runs{0};
    for (std::uint32_t i = 1; i < order.size() && runs.size() <= kMaxRuns; ++i)
        if (less(i, i - 1)) runs.push_back(i);
    if (runs.size() == 1) return;
    if (runs.size() > kMaxRuns) {
        std::stable_sort(order.begin(), order.end(), less);
    } else {
        runs.push_back(order.size());
        const auto at = [&](std::size_t i) {
            return order.begin() + static_cast<std::ptrdiff_t>(i);
        };
        for (std::size_t r = 1; r + 1 < runs.size(); ++r)
            std::inplace_merge(at(0), at(runs[r]), at(runs[r + 1]), less);
    }
    applyOrder(records, order);
}

}  // namespace

std::string CleOperation(const TOperation& operation) {
    const SortKey key = sortKey(operation, localeFacts().separateurDecimal);
    std::string date = key.rangDate == kRangDateInvalide ? std::string(kLargeurDate, '~')
                                                         : std::to_string(key.rangDate);
    if (date.size() < kLargeurDate) date.insert(0, kLargeurDate - date.size(), '0');
    return date + key.suite;
}

int CompareOperations(const TOperation& a, const TOperation& b) {
    const char separateur = localeFacts().separateurDecimal;
    return compareKeys(sortKey(a, separateur), sortKey(b, separateur));
}

int CompareTypesDep(const TTypeDep& a, const TTypeDep& b) {
    return compareBytes(a.cTypeDep, b.cTypeDep);
}

void trieOperations(std::vector<TOperation>& operations) {
    const char separateur = localeFacts().separateurDecimal;
    std::vector<SortKey> keys;
    keys.reserve(operations.size());
    // A journal holds many operations of the same day side by side: their date is read once.
    const std::string* dernierTexte = nullptr;
    std::int32_t dernierRang = 0;
    for (const TOperation& operation : operations) {
        if (dernierTexte == nullptr || operation.cDate != *dernierTexte) {
            dernierTexte = &operation.cDate;
            dernierRang = rangDate(operation.cDate);
        }
        SortKey& key = keys.emplace_back(SortKey{dernierRang, operation.cTypeDep});
        appendGeneralAmountText(key.suite, operation.nMontant, separateur);
    }
    stableSortBy(operations, [&keys](std::uint32_t a, std::uint32_t b) {
        return compareKeys(keys[a], keys[b]) < 0;
    });
}

void trieTypesDep(std::vector<TTypeDep>& types) {
    stableSortBy(types, [&types](std::uint32_t a, std::uint32_t b) {
        return types[a].cTypeDep < types[b].cTypeDep;
    });
}

}  // namespace varnelle
