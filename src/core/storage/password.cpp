#include "core/storage/password.h"

#include <algorithm>
#include <optional>

#include "core/model/text_encoding.h"
#include "core/storage/data_file.h"

namespace varnelle {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string BrouillerMotDePasse(std::string_view texte) {
    std::string out(texte);
    for (char& c : out)
        c = static_cast<char>(
            static_cast<unsigned char>(kCleBrouillage - static_cast<unsigned char>(c)));
    return out;
}

std::string motDePasseSaisi(std::string_view texte) {
    return upperWin1252(texte);
}

bool MotDePasseCorrect(const ProfileFile& file, std::string_view saisi) {
    if (saisi.empty()) return false;
    // One pass over the lines, the first key of that name winning as in a lookup: the
    // password is checked before any index is built for a file not yet trusted.
    const ProfileFile::Section* general = file.findSection(kSectionGeneral);
    if (general == nullptr) return false;
    std::optional<std::string> stored;
    file.forEachKey(*general, [&](std::string_view key, std::string_view value) {
        if (!stored && sameKey(key, kCleMotDePasse)) stored = BrouillerMotDePasse(value);
    });
    return stored == saisi;
}

PasswordChangeResult ChangeMotDePasse(ProfileFile& file, std::string_view ancien,
                                      std::string_view nouveau,
                                      ProfileFile::ExternalChange policy) {
    PasswordChangeResult result;
    if (!MotDePasseCorrect(file, ancien)) {
        result.status = PasswordChangeStatus::WrongOldPassword;
        return result;
    }
    ProfileFile updated = file.clone();
    if (nouveau.empty() ||
        updated.writeString(kSectionGeneral, kCleMotDePasse, BrouillerMotDePasse(nouveau)) !=
            ProfileFile::WriteStatus::Ok) {
        result.status = PasswordChangeStatus::Refused;
        return result;
    }
    const auto flushed = updated.flush(policy);
    result.systemError = flushed.systemError;
    switch (flushed.status) {
    case ProfileFile::FlushStatus::Ok: file = std::move(updated); break;
    case ProfileFile::FlushStatus::NotSynced:
        // Written, but not known to be on disk: the file holds it, the user is told.
        file = std::move(updated);
        result.status = PasswordChangeStatus::WriteFailed;
        break;
    case ProfileFile::FlushStatus::WriteFailed:
    case ProfileFile::FlushStatus::Abandoned:  // a flush writes what it holds, never gives up
        result.status = PasswordChangeStatus::WriteFailed;
        break;
    case ProfileFile::FlushStatus::ChangedOnDisk:
        result.status = PasswordChangeStatus::ChangedOnDisk;
        break;
    }
    return result;
}

}  // namespace varnelle
