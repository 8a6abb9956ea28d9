#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/model/budget.h"
#include "core/storage/profile_file.h"

namespace varnelle {

// Section names of the data file.
inline constexpr const char* kSectionGeneral = "GENERAL";
inline constexpr const char* kSectionTypesDep = "TYPES_DEP";
inline constexpr const char* kSectionOperations = "OPERATIONS";
inline constexpr const char* kSectionDepJourn = "DEP_JOURN";
inline constexpr const char* kSectionEconomies = "ECONOMIES";
inline constexpr const char* kSectionSimulations = "SIMULATIONS";
inline constexpr const char* kSectionParametres = "PARAMETRES";

// A count in "GENERAL" beyond this marks the file as damaged: honouring it would make
// the program build that many records out of nothing.
inline constexpr std::int32_t kMaxEntreesParCollection = 1'000'000;

enum class LoadStatus { Ok, Damaged };

// Fills `budget` from the file: settings, collections, general values. Missing keys and
// values that are not numbers give defaults. A count beyond kMaxEntreesParCollection leaves
// `budget` empty and answers Damaged. Derived fields are left to Budget::calculeTout.
LoadStatus ChargeFichier(const ProfileFile& file, Budget& budget);
// The same for a reader that does not keep the file: the text of the operations goes back
// to the system as they are read, so that a large budget is not held twice meanwhile.
LoadStatus ChargeFichier(ProfileFile&& file, Budget& budget);

enum class SaveStatus {
    Ok,
    TextRefused,    // a text the file cannot hold (line break, NUL, too long)
    AmountRefused,  // a decimal amount beyond 32 bits of hundredths
    TooLarge,       // the file would be larger than a budget file may be read back
    WriteFailed,
    ChangedOnDisk,  // someone else wrote the file since it was read
    NotSynced,      // the file was replaced, but its folder could not be synced
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    std::filesystem::path path;
    int systemError = 0;
    // Not 0 when the former version could not be kept as "<name>.bak": the errno why.
    int backupError = 0;
    // For a refused value: its section and key, as "OPERATIONS" "cLibelle12".
    std::string section;
    std::string key;
    explicit operator bool() const { return status == SaveStatus::Ok; }
};

// Checks that the file can hold every value of the budget, then writes the budget into
// `file`, in memory only. When a value is refused, answers it and writes nothing.
SaveResult ecritBudget(ProfileFile& file, const Budget& budget);

// Writes the whole budget into the file and flushes it. Nothing changes, in memory or on
// disk, unless the whole save succeeds.
SaveResult SauveFichier(ProfileFile& file, const Budget& budget,
                        ProfileFile::ExternalChange policy = ProfileFile::ExternalChange::Refuse);

}  // namespace varnelle
