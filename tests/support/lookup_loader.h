#pragma once

// The collections of a data file read key by key through ProfileFile::value, the slow way
// whose answers the one-pass reader must give, for the core tests and the fuzz target.

#include <string>

#include "core/model/budget.h"
#include "core/storage/data_file.h"

namespace varnelle::test {

inline std::string keyOf(const char* prefix, int i) {
    return prefix + std::to_string(i);
}

inline Budget loadByLookups(const ProfileFile& file) {
    const auto text = [&](const char* section, const char* prefix, int i) {
        return std::string(file.value(section, keyOf(prefix, i)).value_or(""));
    };
    const auto integer = [&](const char* section, const char* prefix, int i) {
        const auto v = file.value(section, keyOf(prefix, i));
        return v ? ProfileFile::parseInteger(*v).value_or(0) : 0;
    };
    const auto count = [&](const char* key) {
        return std::max(file.readInteger(kSectionGeneral, key, 0), 0);
    };
    Budget b;
    b.TypesDep.resize(static_cast<std::size_t>(count("nNbTypesDep")));
    for (int i = 1; i <= static_cast<int>(b.TypesDep.size()); ++i) {
        TTypeDep& t = b.TypesDep[static_cast<std::size_t>(i - 1)];
        t.cTypeDep = text(kSectionTypesDep, "cTypeDep", i);
        t.cLibelle = text(kSectionTypesDep, "cLibelle", i);
        t.nMontant = fromHundredths(integer(kSectionTypesDep, "nMontant", i));
        t.nPeriodicite = integer(kSectionTypesDep, "nPeriodicite", i);
    }
    b.Operations.resize(static_cast<std::size_t>(count("nNbOperations")));
    for (int i = 1; i <= static_cast<int>(b.Operations.size()); ++i) {
        TOperation& o = b.Operations[static_cast<std::size_t>(i - 1)];
        o.nSelect = integer(kSectionOperations, "nSelect", i);
        o.cDate = text(kSectionOperations, "cDate", i);
        o.cTypeDep = text(kSectionOperations, "cTypeDep", i);
        o.nMontant = fromHundredths(integer(kSectionOperations, "nMontant", i));
        o.cLibelle = text(kSectionOperations, "cLibelle", i);
    }
    for (TDepJourn& jour : b.DepJourn)
        jour.nMontant = integer(kSectionDepJourn, "nMontant", jour.nJour);
    b.Economies.resize(static_cast<std::size_t>(count("nNbEconomies")));
    for (int i = 1; i <= static_cast<int>(b.Economies.size()); ++i) {
        TEconomie& e = b.Economies[static_cast<std::size_t>(i - 1)];
        e.cLibelle = text(kSectionEconomies, "cLibelle", i);
        e.nMontant = integer(kSectionEconomies, "nMontant", i);
    }
    b.Simulations.resize(static_cast<std::size_t>(count("nNbSimulations")));
    for (int i = 1; i <= static_cast<int>(b.Simulations.size()); ++i) {
        TPSimulation& s = b.Simulations[static_cast<std::size_t>(i - 1)];
        s.nSelect = integer(kSectionSimulations, "nSelect", i);
        s.cLibelle = text(kSectionSimulations, "cLibelle", i);
        s.cDateDeb = text(kSectionSimulations, "cDateDeb", i);
        s.cDateFin = text(kSectionSimulations, "cDateFin", i);
        s.nMontant = fromHundredths(integer(kSectionSimulations, "nMontant", i));
    }
    return b;
}

// Two budgets hold the same saved values: derived fields are recomputed on both sides. With
// `collectionsOnly`, the general values and the settings are left out.
inline bool sameSavedValues(Budget a, Budget b, bool collectionsOnly = false) {
    a.calculeTout();
    b.calculeTout();
    if (collectionsOnly) {
        b.cSalaireMoyen = a.cSalaireMoyen;
        b.nResteDebMois = a.nResteDebMois;
        b.setNbJoursMois(a.nNbJoursMois());
        b.Param = a.Param;
    }
    return a == b;
}

}  // namespace varnelle::test
