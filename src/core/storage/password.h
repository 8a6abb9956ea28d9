#pragma once

#include <string>
#include <string_view>

#include "core/storage/profile_file.h"

namespace varnelle {

// The scrambling constant. Chosen as CR so that only control characters, which no one can
// type, scramble to NUL, LF or CR: every password then survives the file.
inline constexpr unsigned char kCleBrouillage = 0x0D;
// The entry of section "GENERAL" that holds the scrambled password.
inline constexpr std::string_view kCleMotDePasse = "cMotDePasse";

// Character c becomes (K - c) mod 256; applying it twice gives the text back.
std::string BrouillerMotDePasse(std::string_view texte);

// The password as the dialogs take it: upper case, Windows-1252.
std::string motDePasseSaisi(std::string_view texte);

// True when `saisi` (already in upper case) is the password stored in the file. An empty
// entry never matches, so a file without a stored password cannot be opened.
bool MotDePasseCorrect(const ProfileFile& file, std::string_view saisi);

enum class PasswordChangeStatus { Ok, WrongOldPassword, Refused, WriteFailed, ChangedOnDisk };

struct PasswordChangeResult {
    PasswordChangeStatus status = PasswordChangeStatus::Ok;
    int systemError = 0;
    explicit operator bool() const { return status == PasswordChangeStatus::Ok; }
};

// Writes the new password into the file at once when `ancien` is the stored one. Only that
// key changes on disk, whatever else the budget in memory holds.
PasswordChangeResult
ChangeMotDePasse(ProfileFile& file, std::string_view ancien, std::string_view nouveau,
                 ProfileFile::ExternalChange policy = ProfileFile::ExternalChange::Refuse);

}  // namespace varnelle
