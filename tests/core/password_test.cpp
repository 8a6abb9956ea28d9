#include "core/storage/password.h"

#include <gtest/gtest.h>

#include "budget_file_test.h"
#include "core/model/text_encoding.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"

namespace varnelle {
namespace {

using test::readFile;
using test::writeFile;

class Password : public test::BudgetFileTest {};

TEST_F(Password, EveryTypeableCharacterSurvivesTheFile) {
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
    ASSERT_TRUE(creeBudget(folder_.path(), "Budget", everything));
    EXPECT_TRUE(MotDePasseCorrect(open(), motDePasseSaisi(everything)));
}

TEST_F(Password, TheStoredPasswordMatchesOnlyItself) {
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

TEST_F(Password, AChangeRewritesOnlyItsKeyOnDisk) {
    const std::string original = "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("OLD") +
                                 "\r\nnNbOperations=1\r\n[OPERATIONS]\r\ncLibelle1=Loyer\r\n";
    ProfileFile file = open(original);
    Budget budget;
    ASSERT_EQ(ChargeFichier(file, budget), LoadStatus::Ok);
    budget.Operations[0].cLibelle = "not saved";

    EXPECT_EQ(ChangeMotDePasse(file, "WRONG", "NEW").status,
              PasswordChangeStatus::WrongOldPassword);
    EXPECT_EQ(readFile(path_), original);

    ASSERT_TRUE(ChangeMotDePasse(file, "OLD", "NEW"));
    std::string expected = original;
    expected.replace(expected.find(BrouillerMotDePasse("OLD")), 3, BrouillerMotDePasse("NEW"));
    EXPECT_EQ(readFile(path_), expected);

    // The budget saved later keeps the new password.
    ASSERT_TRUE(SauveFichier(file, budget));
    const ProfileFile reread = open();
    EXPECT_TRUE(MotDePasseCorrect(reread, "NEW"));
    EXPECT_EQ(reread.readString("OPERATIONS", "cLibelle1", ""), "not saved");

    writeFile(path_, original);
    EXPECT_EQ(ChangeMotDePasse(file, "NEW", "OTHER").status, PasswordChangeStatus::ChangedOnDisk);
    EXPECT_EQ(readFile(path_), original);
}

}  // namespace
}  // namespace varnelle
