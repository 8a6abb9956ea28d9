#include "storage/password.h"

#include "model/text_encoding.h"
#include "storage/data_file.h"

namespace varnelle {
namespace {

constexpr const char* kCleMotDePasse = "cMotDePasse";

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
    const auto stored = file.value(kSectionGeneral, kCleMotDePasse);
    return BrouillerMotDePasse(stored.value_or("")) == saisi;
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
    case ProfileFile::FlushStatus::WriteFailed:
        result.status = PasswordChangeStatus::WriteFailed;
        break;
    case ProfileFile::FlushStatus::ChangedOnDisk:
        result.status = PasswordChangeStatus::ChangedOnDisk;
        break;
    }
    return result;
}

}  // namespace varnelle
