#pragma once

#include <filesystem>

#include "core/model/budget.h"
#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"

namespace varnelle {

// The changes not yet saved, kept beside an open budget so that a crash or a power cut does
// not take them: "<budget file>.recup", which the budget chooser does not list.
std::filesystem::path cheminRecuperation(const std::filesystem::path& budget);

// Writes `budget` into the recovery file of `fichier`, the budget's data file as read: its
// password and every value it holds that the budget does not, as a save would. The file is
// replaced whole and owner-only, with no former version kept; the budget file is untouched.
SaveResult EcritRecuperation(const ProfileFile& fichier, const Budget& budget);

// Whether the budget of `fichier` has a recovery file written after the budget file was.
bool RecuperationRecente(const ProfileFile& fichier);

// Reads the recovery file into `budget`, computed; false, leaving `budget` alone, when it
// cannot be read or does not hold the same password entry as the budget.
bool ChargeRecuperation(const ProfileFile& fichier, Budget& budget);

void SupprimeRecuperation(const ProfileFile& fichier);

}  // namespace varnelle
