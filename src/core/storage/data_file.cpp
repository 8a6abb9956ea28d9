#include "storage/data_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <type_traits>

#include "model/month_mask.h"

namespace varnelle {
namespace {

// Builds "cDate12" and the like without allocating.
class KeyName final {
public:
    std::string_view operator()(std::string_view prefix, int number) {
        const std::size_t n = std::min(prefix.size(), sizeof buffer_ - 12);
        std::copy_n(prefix.data(), n, buffer_);
        const auto result = std::to_chars(buffer_ + n, buffer_ + sizeof buffer_, number);
        return std::string_view(buffer_, static_cast<std::size_t>(result.ptr - buffer_));
    }

private:
    char buffer_[64];
};

// Reads one section through its handle; a missing section reads every key as missing.
class SectionReader final {
public:
    SectionReader(const ProfileFile& file, const char* name)
        : file_(file), section_(file.findSection(name)) {}

    std::optional<std::string_view> value(std::string_view key) const {
        if (section_ == nullptr) return std::nullopt;
        return file_.value(*section_, key);
    }
    std::string text(std::string_view key) const { return std::string(value(key).value_or("")); }
    std::int32_t integer(std::string_view key, std::int32_t defaut) const {
        const auto v = value(key);
        return v ? ProfileFile::parseInteger(*v).value_or(defaut) : defaut;
    }
    Montant amount(std::string_view key) const { return fromHundredths(integer(key, 0)); }

private:
    const ProfileFile& file_;
    const ProfileFile::Section* section_;
};

struct ReadParam {
    const SectionReader& section;

    template <class Field>
    void operator()(const char* key, Field& field, const IntegerKey& spec) const {
        std::int32_t v = section.integer(key, spec.defaut);
        if (v < spec.min || v > spec.max) v = spec.defaut;
        field = static_cast<Field>(v);
    }
    void operator()(const char* key, bool& field, const BooleanKey& spec) const {
        const auto v = section.value(key);
        const auto n = v ? ProfileFile::parseInteger(*v) : std::nullopt;
        field = n ? *n != 0 : spec.defaut;
    }
    void operator()(const char* key, std::string& field, const TextKey& spec) const {
        field = std::string(section.value(key).value_or(spec.defaut));
    }
};

// The count stored in "GENERAL", or nothing when it is beyond what a budget can hold.
std::optional<std::int32_t> count(const SectionReader& general, const char* key) {
    const std::int32_t n = general.integer(key, 0);
    if (n > kMaxEntreesParCollection) return std::nullopt;
    return std::max(n, 0);
}

bool fits(std::string_view text) {
    return text.size() <= ProfileFile::kMaxValueLength &&
           text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Finds the first value the file could not hold, so that nothing is written at all.
class SaveCheck final {
public:
    explicit SaveCheck(SaveResult& result) : result_(result) {}

    void text(const char* section, std::string_view key, std::string_view value) {
        if (!failed() && !fits(value)) refuse(SaveStatus::TextRefused, section, key);
    }
    void text(const char* section, std::string_view prefix, int i, std::string_view value) {
        if (!failed() && !fits(value)) refuse(SaveStatus::TextRefused, section, keys_(prefix, i));
    }
    void amount(const char* section, int i, Montant value) {
        if (!failed() && !toHundredths(value))
            refuse(SaveStatus::AmountRefused, section, keys_("nMontant", i));
    }
    bool failed() const { return result_.status != SaveStatus::Ok; }

private:
    void refuse(SaveStatus status, const char* section, std::string_view key) {
        result_.status = status;
        result_.section = section;
        result_.key = std::string(key);
    }

    SaveResult& result_;
    KeyName keys_;
};

void checkBudget(const Budget& budget, SaveCheck& check) {
    check.text(kSectionParametres, "OptGrilleOpcPolice", budget.Param.OptGrilleOp.cPolice);
    int i = 0;
    for (const TTypeDep& type : budget.TypesDep) {
        ++i;
        check.text(kSectionTypesDep, "cTypeDep", i, type.cTypeDep);
        check.text(kSectionTypesDep, "cLibelle", i, type.cLibelle);
        check.amount(kSectionTypesDep, i, type.nMontant);
    }
    i = 0;
    for (const TOperation& operation : budget.Operations) {
        ++i;
        check.text(kSectionOperations, "cDate", i, operation.cDate);
        check.text(kSectionOperations, "cTypeDep", i, operation.cTypeDep);
        check.amount(kSectionOperations, i, operation.nMontant);
        check.text(kSectionOperations, "cLibelle", i, operation.cLibelle);
    }
    check.text(kSectionGeneral, "cSalaireMoyen", budget.cSalaireMoyen);
    check.text(kSectionGeneral, "nResteDebMois", budget.nResteDebMois);
    i = 0;
    for (const TEconomie& economie : budget.Economies)
        check.text(kSectionEconomies, "cLibelle", ++i, economie.cLibelle);
    i = 0;
    for (const TPSimulation& simulation : budget.Simulations) {
        ++i;
        check.text(kSectionSimulations, "cLibelle", i, simulation.cLibelle);
        check.text(kSectionSimulations, "cDateDeb", i, simulation.cDateDeb);
        check.text(kSectionSimulations, "cDateFin", i, simulation.cDateFin);
        check.amount(kSectionSimulations, i, simulation.nMontant);
    }
}

std::int32_t hundredths(Montant value) {
    return *toHundredths(value);
}

std::int32_t sizeOf(std::size_t n) {
    return static_cast<std::int32_t>(n);
}

void writeBudget(ProfileFile& file, const Budget& budget) {
    KeyName key;

    file.eraseSection(kSectionParametres);
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionParametres);
        forEachParam(budget.Param, [&](const char* name, const auto& field, const auto&) {
            using Field = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string>)
                file.writeString(section, name, field);
            else if constexpr (std::is_same_v<Field, bool>)
                file.writeInteger(section, name, field ? 1 : 0);
            else
                file.writeInteger(section, name, static_cast<std::int32_t>(field));
        });
    }

    file.eraseSection(kSectionTypesDep);
    file.writeInteger(kSectionGeneral, "nNbTypesDep", sizeOf(budget.TypesDep.size()));
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionTypesDep);
        int i = 0;
        for (const TTypeDep& type : budget.TypesDep) {
            ++i;
            file.writeString(section, key("cTypeDep", i), type.cTypeDep);
            file.writeString(section, key("cLibelle", i), type.cLibelle);
            file.writeInteger(section, key("nMontant", i), hundredths(type.nMontant));
            file.writeInteger(section, key("nPeriodicite", i), type.nPeriodicite);
        }
    }

    file.eraseSection(kSectionOperations);
    file.writeInteger(kSectionGeneral, "nNbOperations", sizeOf(budget.Operations.size()));
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionOperations);
        int i = 0;
        for (const TOperation& operation : budget.Operations) {
            ++i;
            file.writeInteger(section, key("nSelect", i), operation.nSelect);
            file.writeString(section, key("cDate", i), operation.cDate);
            file.writeString(section, key("cTypeDep", i), operation.cTypeDep);
            file.writeInteger(section, key("nMontant", i), hundredths(operation.nMontant));
            file.writeString(section, key("cLibelle", i), operation.cLibelle);
        }
    }

    file.eraseSection(kSectionDepJourn);
    file.writeString(kSectionGeneral, "cSalaireMoyen", budget.cSalaireMoyen);
    file.writeInteger(kSectionGeneral, "nNbJoursMois", budget.nNbJoursMois());
    file.writeString(kSectionGeneral, "nResteDebMois", budget.nResteDebMois);
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionDepJourn);
        for (const TDepJourn& jour : budget.DepJourn)
            file.writeInteger(section, key("nMontant", jour.nJour), jour.nMontant);
    }

    file.eraseSection(kSectionEconomies);
    file.writeInteger(kSectionGeneral, "nNbEconomies", sizeOf(budget.Economies.size()));
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionEconomies);
        int i = 0;
        for (const TEconomie& economie : budget.Economies) {
            ++i;
            file.writeString(section, key("cLibelle", i), economie.cLibelle);
            file.writeInteger(section, key("nMontant", i), economie.nMontant);
        }
    }

    file.eraseSection(kSectionSimulations);
    file.writeInteger(kSectionGeneral, "nNbSimulations", sizeOf(budget.Simulations.size()));
    {
        ProfileFile::Section& section = file.sectionForWriting(kSectionSimulations);
        int i = 0;
        for (const TPSimulation& simulation : budget.Simulations) {
            ++i;
            file.writeInteger(section, key("nSelect", i), simulation.nSelect);
            file.writeString(section, key("cLibelle", i), simulation.cLibelle);
            file.writeString(section, key("cDateDeb", i), simulation.cDateDeb);
            file.writeString(section, key("cDateFin", i), simulation.cDateFin);
            file.writeInteger(section, key("nMontant", i), hundredths(simulation.nMontant));
        }
    }
}

}  // namespace

LoadStatus ChargeFichier(const ProfileFile& file, Budget& budget) {
    budget = Budget();
    const SectionReader general(file, kSectionGeneral);
    const auto nbTypes = count(general, "nNbTypesDep");
    const auto nbOperations = count(general, "nNbOperations");
    const auto nbEconomies = count(general, "nNbEconomies");
    const auto nbSimulations = count(general, "nNbSimulations");
    if (!nbTypes || !nbOperations || !nbEconomies || !nbSimulations) return LoadStatus::Damaged;

    KeyName key;
    forEachParam(budget.Param, ReadParam{SectionReader(file, kSectionParametres)});

    const SectionReader types(file, kSectionTypesDep);
    budget.TypesDep.resize(static_cast<std::size_t>(*nbTypes));
    for (int i = 1; i <= *nbTypes; ++i) {
        TTypeDep& type = budget.TypesDep[static_cast<std::size_t>(i - 1)];
        type.cTypeDep = types.text(key("cTypeDep", i));
        type.cLibelle = types.text(key("cLibelle", i));
        type.nMontant = types.amount(key("nMontant", i));
        type.nPeriodicite = types.integer(key("nPeriodicite", i), 0);
        type.nNbMois = NbMoisPeriodicite(type.nPeriodicite);
    }

    const SectionReader operations(file, kSectionOperations);
    budget.Operations.resize(static_cast<std::size_t>(*nbOperations));
    for (int i = 1; i <= *nbOperations; ++i) {
        TOperation& operation = budget.Operations[static_cast<std::size_t>(i - 1)];
        operation.nSelect = operations.integer(key("nSelect", i), 0);
        operation.cDate = operations.text(key("cDate", i));
        operation.cTypeDep = operations.text(key("cTypeDep", i));
        operation.nMontant = operations.amount(key("nMontant", i));
        operation.cLibelle = operations.text(key("cLibelle", i));
    }

    budget.setNbJoursMois(general.integer("nNbJoursMois", 0));
    const SectionReader jours(file, kSectionDepJourn);
    for (TDepJourn& jour : budget.DepJourn)
        jour.nMontant = jours.integer(key("nMontant", jour.nJour), 0);

    budget.cSalaireMoyen = general.text("cSalaireMoyen");
    budget.nResteDebMois = general.text("nResteDebMois");

    const SectionReader economies(file, kSectionEconomies);
    budget.Economies.resize(static_cast<std::size_t>(*nbEconomies));
    for (int i = 1; i <= *nbEconomies; ++i) {
        TEconomie& economie = budget.Economies[static_cast<std::size_t>(i - 1)];
        economie.cLibelle = economies.text(key("cLibelle", i));
        economie.nMontant = economies.integer(key("nMontant", i), 0);
    }

    const SectionReader simulations(file, kSectionSimulations);
    budget.Simulations.resize(static_cast<std::size_t>(*nbSimulations));
    for (int i = 1; i <= *nbSimulations; ++i) {
        TPSimulation& simulation = budget.Simulations[static_cast<std::size_t>(i - 1)];
        simulation.nSelect = simulations.integer(key("nSelect", i), 0);
        simulation.cLibelle = simulations.text(key("cLibelle", i));
        simulation.cDateDeb = simulations.text(key("cDateDeb", i));
        simulation.cDateFin = simulations.text(key("cDateFin", i));
        simulation.nMontant = simulations.amount(key("nMontant", i));
    }
    return LoadStatus::Ok;
}

SaveResult ecritBudget(ProfileFile& file, const Budget& budget) {
    SaveResult result;
    result.path = file.path();
    SaveCheck check(result);
    checkBudget(budget, check);
    if (!check.failed()) writeBudget(file, budget);
    return result;
}

SaveResult SauveFichier(ProfileFile& file, const Budget& budget,
                        ProfileFile::ExternalChange policy) {
    ProfileFile updated = file.clone();
    SaveResult result = ecritBudget(updated, budget);
    if (!result) return result;
    const ProfileFile::FlushResult flushed = updated.flush(policy);
    result.systemError = flushed.systemError;
    switch (flushed.status) {
    case ProfileFile::FlushStatus::Ok: file = std::move(updated); break;
    case ProfileFile::FlushStatus::WriteFailed: result.status = SaveStatus::WriteFailed; break;
    case ProfileFile::FlushStatus::ChangedOnDisk: result.status = SaveStatus::ChangedOnDisk; break;
    }
    return result;
}

}  // namespace varnelle
