#include "core/storage/password.h"

#include <gtest/gtest.h>

#include "core/model/text_encoding.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"
#include "temp_folder.h"

namespace varnelle {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

TEST(Password, EveryTypeableCharacterSurvivesTheFile) {
    std::string everything;
    for (int c = 0; c < 256; ++c) {
        const auto typed = static_cast<unsigned char>(c);
        if (!isTypeableWin1252(typed)) continue;
        const std::string one = motDePasseSaisi(std::string(1, static_cast<char>(typed)));
        const auto scrambled = static_cast<unsigned char>(BrouillerMotDePasse(one)[0]);
        EXPECT_TRUE(scrambled != 0 && scrambled != '\n' && scrambled != '\r') << c;
        everything += one;
        // Alone, at either end or in the middle, blanks and quotes included.
        for (const std::string& password : {one, one + "AB", "AB" + one, "A" + one + "B"}) {
            ProfileFile file;
            ASSERT_EQ(file.writeString("GENERAL", "cMotDePasse", BrouillerMotDePasse(password)),
                      ProfileFile::WriteStatus::Ok);
            ASSERT_TRUE(MotDePasseCorrect(ProfileFile(file.render()), password)) << c;
        }
    }
    TempFolder folder;
    ASSERT_TRUE(creeBudget(folder.path(), "Tout", everything));
    ProfileFile file;
    ASSERT_EQ(file.open(folder / "Tout.ini"), ProfileFile::OpenStatus::Ok);
    EXPECT_TRUE(MotDePasseCorrect(file, motDePasseSaisi(everything)));
}

TEST(Password, TheStoredPasswordMatchesOnlyItself) {
    ProfileFile file;
    file.writeString("GENERAL", "cMotDePasse", BrouillerMotDePasse("SECRET"));
    EXPECT_TRUE(MotDePasseCorrect(file, motDePasseSaisi("secret")));
    EXPECT_TRUE(MotDePasseCorrect(file, motDePasseSaisi("SeCrEt")));
    EXPECT_FALSE(MotDePasseCorrect(file, "SECRETS"));
    EXPECT_FALSE(MotDePasseCorrect(file, "secret"));
    EXPECT_FALSE(MotDePasseCorrect(file, ""));
    // Without a stored password no entry opens the file.
    EXPECT_FALSE(MotDePasseCorrect(ProfileFile("[GENERAL]\r\n"), ""));
    EXPECT_FALSE(MotDePasseCorrect(ProfileFile("[GENERAL]\r\ncMotDePasse=\r\n"), ""));
}

TEST(Password, AChangeRewritesOnlyItsKeyOnDisk) {
    TempFolder folder;
    const auto path = folder / "Budget.ini";
    const std::string original = "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("OLD") +
                                 "\r\nnNbOperations=1\r\n[OPERATIONS]\r\ncLibelle1=Loyer\r\n";
    writeFile(path, original);
    ProfileFile file;
    ASSERT_EQ(file.open(path), ProfileFile::OpenStatus::Ok);
    Budget budget;
    ASSERT_EQ(ChargeFichier(file, budget), LoadStatus::Ok);
    budget.Operations[0].cLibelle = "not saved";

    EXPECT_EQ(ChangeMotDePasse(file, "WRONG", "NEW").status,
              PasswordChangeStatus::WrongOldPassword);
    EXPECT_EQ(readFile(path), original);

    ASSERT_TRUE(ChangeMotDePasse(file, "OLD", "NEW"));
    std::string expected = original;
    expected.replace(expected.find(BrouillerMotDePasse("OLD")), 3, BrouillerMotDePasse("NEW"));
    EXPECT_EQ(readFile(path), expected);

    // The budget saved later keeps the new password.
    ASSERT_TRUE(SauveFichier(file, budget));
    ProfileFile reread;
    ASSERT_EQ(reread.open(path), ProfileFile::OpenStatus::Ok);
    EXPECT_TRUE(MotDePasseCorrect(reread, "NEW"));
    EXPECT_EQ(reread.readString("OPERATIONS", "cLibelle1", ""), "not saved");

    writeFile(path, original);
    EXPECT_EQ(ChangeMotDePasse(file, "NEW", "OTHER").status, PasswordChangeStatus::ChangedOnDisk);
    EXPECT_EQ(readFile(path), original);
}

}  // namespace
}  // namespace varnelle
