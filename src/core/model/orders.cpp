#include "core/model/orders.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
template <class Record> void applyOrder(Record* records, std::vector<std::uint32_t>& order) {
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
    applyOrder(records.data(), order);
}

// The part of the key after the date, compared without writing the amounts out unless the
// codes alone cannot decide.
int compareSuites(const TOperation& a, const TOperation& b, char separateur) {
    const std::string_view ca = a.cTypeDep, cb = b.cTypeDep;
    const std::size_t commun = std::min(ca.size(), cb.size());
    const int c = compareBytes(ca.substr(0, commun), cb.substr(0, commun));
    if (c != 0) return c;
    // The same non-zero amount is the same text; zero may carry a sign.
    if (ca.size() == cb.size() && a.nMontant == b.nMontant && a.nMontant != 0) return 0;
    std::string sa(ca), sb(cb);
    appendGeneralAmountText(sa, a.nMontant, separateur);
    appendGeneralAmountText(sb, b.nMontant, separateur);
    return compareBytes(sa, sb);
}

int compareOperations(std::int32_t rangA, const TOperation& a, std::int32_t rangB,
                      const TOperation& b, char separateur) {
    if (rangA != rangB) return rangA < rangB ? -1 : 1;
    return compareSuites(a, b, separateur);
}

// The date ranks of a journal read in order, each date text parsed once per run of equal
// texts.
class Rangs {
public:
    std::int32_t operator()(const std::string& cDate) {
        if (dernier_ == nullptr || cDate != *dernier_) {
            dernier_ = &cDate;
            rang_ = rangDate(cDate);
        }
        return rang_;
    }

private:
    const std::string* dernier_ = nullptr;
    std::int32_t rang_ = 0;
};

// Whether the operations, but the one at `sauf`, are in the order of the stable sort.
bool operationsEnOrdre(const std::vector<TOperation>& operations, std::size_t sauf) {
    const char separateur = localeFacts().separateurDecimal;
    Rangs rangs;
    const TOperation* precedent = nullptr;
    std::int32_t rangPrecedent = 0;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        if (i == sauf) continue;
        const std::int32_t rang = rangs(operations[i].cDate);
        if (precedent != nullptr &&
            compareOperations(rangPrecedent, *precedent, rang, operations[i], separateur) > 0)
            return false;
        precedent = &operations[i];
        rangPrecedent = rang;
    }
    return true;
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

std::optional<std::size_t> placeOperation(std::vector<TOperation>& operations, std::size_t index,
                                          bool autresEnOrdre) {
    const char separateur = localeFacts().separateurDecimal;
    const std::size_t n = operations.size();
    // The others must already be in order: then the sort moves none but this one.
#ifdef NDEBUG
    const bool verifie = !autresEnOrdre;
#else
    // Debug builds check what the caller knows: a journal changed behind its edits' back.
    const bool verifie = true;
#endif
    if (verifie && !operationsEnOrdre(operations, index)) {
        if (autresEnOrdre) {
            (void)std::fputs("The journal is out of order where its edits said it was not.\n",
                             stderr);
            std::abort();
        }
        return std::nullopt;
    }

    // Among the others, the equal keys before the operation stay before it, those after stay
    // after: its place is its former one held within the range of its equals.
    const TOperation& place = operations[index];
    const std::int32_t rang = rangDate(place.cDate);
    const auto autre = [&](std::size_t j) -> const TOperation& {
        return operations[j < index ? j : j + 1];
    };
    const auto compareA = [&](std::size_t j) {
        const TOperation& o = autre(j);
        return compareOperations(rangDate(o.cDate), o, rang, place, separateur);
    };
    std::size_t bas = 0, haut = n - 1;  // first other not below it
    while (bas < haut) {
        const std::size_t milieu = bas + (haut - bas) / 2;
        if (compareA(milieu) < 0)
            bas = milieu + 1;
        else
            haut = milieu;
    }
    std::size_t fin = bas, borne = n - 1;  // first other above it
    while (fin < borne) {
        const std::size_t milieu = fin + (borne - fin) / 2;
        if (compareA(milieu) <= 0)
            fin = milieu + 1;
        else
            borne = milieu;
    }
    const std::size_t position = std::clamp(index, bas, fin);
    // One move per record between the two places, where a rotation would swap each.
    const auto at = [&](std::size_t i) {
        return operations.begin() + static_cast<std::ptrdiff_t>(i);
    };
    if (position != index) {
        TOperation tenue = std::move(operations[index]);
        if (position < index)
            std::move_backward(at(position), at(index), at(index + 1));
        else
            std::move(at(index + 1), at(position + 1), at(index));
        operations[position] = std::move(tenue);
    }
    return position;
}

bool trieJoursOperations(std::vector<TOperation>& operations) {
    const char separateur = localeFacts().separateurDecimal;
    const std::size_t n = operations.size();
    // With the days in order, the stable sort of the journal is that of each day on its own.
    std::vector<std::int32_t> rang(n);
    Rangs rangs;
    for (std::size_t i = 0; i < n; ++i) {
        rang[i] = rangs(operations[i].cDate);
        if (i > 0 && rang[i] < rang[i - 1]) return false;
    }
    std::vector<std::uint32_t> ordre;
    std::vector<std::string> suites;
    std::vector<TOperation> jour;
    for (std::size_t debut = 0, fin = 0; debut < n; debut = fin) {
        bool enOrdre = true;
        for (fin = debut + 1; fin < n && rang[fin] == rang[debut]; ++fin)
            if (enOrdre && compareSuites(operations[fin - 1], operations[fin], separateur) > 0)
                enOrdre = false;
        if (enOrdre) continue;
        suites.resize(fin - debut);
        for (std::size_t i = debut; i < fin; ++i) {
            std::string& suite = suites[i - debut];
            suite.assign(operations[i].cTypeDep);
            appendGeneralAmountText(suite, operations[i].nMontant, separateur);
        }
        ordre.resize(fin - debut);
        std::iota(ordre.begin(), ordre.end(), 0u);
        std::stable_sort(ordre.begin(), ordre.end(), [&suites](std::uint32_t a, std::uint32_t b) {
            return suites[a] < suites[b];
        });
        jour.clear();
        for (const std::uint32_t i : ordre) jour.push_back(std::move(operations[debut + i]));
        std::move(jour.begin(), jour.end(),
                  operations.begin() + static_cast<std::ptrdiff_t>(debut));
    }
    return true;
}

void deplaceOperations(std::vector<TOperation>& operations, const std::vector<std::size_t>& de,
                       const std::vector<std::size_t>& vers, const std::string& code) {
    // Two passes in the order of the records, where following the cycles of the moves would
    // jump around and cost more.
    const std::size_t m = de.size();
    std::vector<TOperation> pris;
    for (std::size_t a = 0, b = 0; a < m;) {
        // A stretch ends where as many records went out of it as came in.
        const std::size_t debut = std::min(de[a], vers[b]);
        const std::size_t a0 = a, b0 = b;
        std::size_t fin = debut;
        do {
            fin = std::min(a < m ? de[a] : vers[b], b < m ? vers[b] : de[a]);
            if (a < m && de[a] == fin) ++a;
            if (b < m && vers[b] == fin) ++b;
        } while (a != b);
        pris.clear();
        for (std::size_t j = a0; j < a; ++j) {
            pris.push_back(std::move(operations[de[j]]));
            pris.back().cTypeDep = code;
        }
        // The others close up, then open up from the end for the moved ones.
        std::size_t ecrit = debut;
        for (std::size_t i = debut, j = a0; i <= fin; ++i) {
            if (j < a && de[j] == i) {
                ++j;
                continue;
            }
            if (ecrit != i) operations[ecrit] = std::move(operations[i]);
            ++ecrit;
        }
        // Once the last one is placed, the records before are where they belong.
        std::size_t lu = ecrit, k = pris.size();
        for (std::size_t i = fin + 1; k > 0 && i-- > debut;) {
            if (vers[b0 + k - 1] == i)
                operations[i] = std::move(pris[--k]);
            else
                operations[i] = std::move(operations[--lu]);
        }
    }
}

Recodees recodeOperations(std::vector<TOperation>& operations, std::string_view ancien,
                          std::string_view nouveau, bool verifie,
                          const std::function<void(std::size_t, std::size_t)>& jourEnPlace) {
    const char separateur = localeFacts().separateurDecimal;
    const std::size_t n = operations.size();
    Recodees r;
    std::vector<std::uint32_t> ordre;
    std::int32_t rangVeille = INT32_MIN;
    for (std::size_t debut = 0, fin = 0; debut < n; debut = fin) {
        // One day, and its operations of the former code; with `verifie`, the day checked in
        // order after the one before, and within itself as it was.
        const std::size_t premiere = r.avant.size();
        const std::int32_t rangJour = rangDate(operations[debut].cDate);
        if (verifie && rangJour < rangVeille) r.enOrdre = false;
        rangVeille = rangJour;
        for (fin = debut; r.enOrdre && fin < n; ++fin) {
            const TOperation& operation = operations[fin];
            if (fin > debut && operation.cDate != operations[debut].cDate &&
                rangDate(operation.cDate) != rangJour)
                break;
            if (verifie && fin > debut &&
                compareSuites(operations[fin - 1], operation, separateur) > 0)
                r.enOrdre = false;
            if (operation.cTypeDep == ancien) r.avant.push_back(fin);
        }
        if (!r.enOrdre) {
            // The caller sorts the whole journal: the rest is only recoded.
            for (std::size_t i = debut; i < n; ++i) {
                if (operations[i].cTypeDep == ancien) {
                    operations[i].cTypeDep = nouveau;
                    if (i >= fin) r.avant.push_back(i);
                }
            }
            return r;
        }
        for (std::size_t k = premiere; k < r.avant.size(); ++k)
            operations[r.avant[k]].cTypeDep = nouveau;
        const std::size_t derniere = r.avant.size();

        // The others of the day are in order, and so are the recoded ones among themselves:
        // the code comes before the amount in the key, and they all had one code and have
        // another. One merge, equal keys keeping their former order, gives the stable sort of
        // the day, which is rearranged at once, while its records are in the caches.
        if (premiere < derniere) {
            ordre.clear();
            std::size_t o = debut, saute = premiere, k = premiere;
            const auto autreSuivant = [&] {
                for (; o < fin && saute < derniere && r.avant[saute] == o; ++saute) ++o;
            };
            autreSuivant();
            while (o < fin || k < derniere) {
                bool autre = k == derniere;
                if (o < fin && k < derniere) {
                    const int c = compareSuites(operations[o], operations[r.avant[k]], separateur);
                    autre = c < 0 || (c == 0 && o < r.avant[k]);
                }
                if (autre) {
                    ordre.push_back(static_cast<std::uint32_t>(o - debut));
                    ++o;
                    autreSuivant();
                } else {
                    r.apres.push_back(debut + ordre.size());
                    ordre.push_back(static_cast<std::uint32_t>(r.avant[k] - debut));
                    ++k;
                }
            }
            applyOrder(operations.data() + debut, ordre);
        }
        jourEnPlace(debut, fin);
    }
    return r;
}

}  // namespace varnelle
