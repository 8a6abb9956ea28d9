#pragma once

#include <filesystem>

#include <QString>

#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"

namespace varnelle::gui {

// The French wording of what the storage answers, for every window that reads or writes a
// budget.

// Why the system refused a read or a write, in the user's words; empty for 0.
QString raisonSysteme(int error);

// "Ne peut écrire dans <path>", followed by the reason when the system gave one.
QString messageEcritureImpossible(const std::filesystem::path& path, int systemError);

// Why a save of the budget failed, or could not be confirmed.
QString messageEchecSauvegarde(const SaveResult& result);

// A save that succeeded without keeping the former version as the backup.
QString messageSansCopiePrecedente(const SaveResult& result);

// Why a budget file could not be opened for reading.
QString messageLectureImpossible(const std::filesystem::path& path, ProfileFile::OpenStatus status);

// A file whose lists cannot be trusted, never opened.
QString messageFichierEndommage(const std::filesystem::path& path);

}  // namespace varnelle::gui
