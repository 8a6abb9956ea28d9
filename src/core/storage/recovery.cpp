#include "core/storage/recovery.h"

#include <system_error>

#include "core/storage/password.h"

namespace varnelle {

std::filesystem::path cheminRecuperation(const std::filesystem::path& budget) {
    std::filesystem::path chemin = budget;
    chemin += ".recup";
    return chemin;
}

SaveResult EcritRecuperation(const ProfileFile& fichier, const Budget& budget) {
    ProfileFile contenu = fichier.clone();
    SaveResult result = ecritBudget(contenu, budget);
    result.path = cheminRecuperation(fichier.path());
    if (!result) return result;
    ProfileFile cible;
    if (cible.open(result.path) == ProfileFile::OpenStatus::Unreadable) {
        result.status = SaveStatus::WriteFailed;
        return result;
    }
    const ProfileFile::FlushResult ecrit = cible.replaceWith(
        contenu.render(), ProfileFile::ExternalChange::Overwrite, ProfileFile::FormerVersion::Drop);
    result.systemError = ecrit.systemError;
    if (!ecrit.written()) result.status = SaveStatus::WriteFailed;
    return result;
}

bool RecuperationRecente(const ProfileFile& fichier) {
    std::error_code erreur;
    const auto recuperation =
        std::filesystem::last_write_time(cheminRecuperation(fichier.path()), erreur);
    if (erreur) return false;
    const auto budget = std::filesystem::last_write_time(fichier.path(), erreur);
    return erreur || recuperation > budget;
}

bool ChargeRecuperation(const ProfileFile& fichier, Budget& budget) {
    ProfileFile recuperation;
    if (recuperation.open(cheminRecuperation(fichier.path())) != ProfileFile::OpenStatus::Ok)
        return false;
    // Only the changes of this very budget: a file of another password is not taken.
    if (recuperation.value(kSectionGeneral, kCleMotDePasse) !=
        fichier.value(kSectionGeneral, kCleMotDePasse))
        return false;
    Budget lu;
    if (ChargeFichier(recuperation, lu) != LoadStatus::Ok) return false;
    lu.calculeTout();
    budget = std::move(lu);
    return true;
}

void SupprimeRecuperation(const ProfileFile& fichier) {
    std::error_code erreur;
    std::filesystem::remove(cheminRecuperation(fichier.path()), erreur);
}

}  // namespace varnelle
