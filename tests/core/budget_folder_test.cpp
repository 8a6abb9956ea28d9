#include "core/storage/budget_folder.h"

#include <gtest/gtest.h>

#include "core/storage/password.h"
#include "temp_folder.h"

namespace varnelle {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;
using Names = std::vector<std::string>;

TEST(BudgetFolder, TheDataFolderFollowsTheUsersSettings) {
    EXPECT_EQ(dossierDonnees("/x/data", "/home/a"), std::filesystem::path("/x/data/varnelle"));
    EXPECT_EQ(dossierDonnees(nullptr, "/home/a"),
              std::filesystem::path("/home/a/.local/share/varnelle"));
    // A relative XDG_DATA_HOME is to be ignored.
    EXPECT_EQ(dossierDonnees("rel", "/home/a"),
              std::filesystem::path("/home/a/.local/share/varnelle"));
    EXPECT_TRUE(dossierDonnees("", nullptr).empty());

    TempFolder folder;
    const auto data = folder / "share" / "varnelle";
    ASSERT_TRUE(prepareDossierDonnees(data));
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_EQ(test::permissionsOf(data), std::filesystem::perms::owner_all);
    EXPECT_TRUE(prepareDossierDonnees(data));
    writeFile(folder / "file", "");
    EXPECT_FALSE(prepareDossierDonnees(folder / "file" / "varnelle"));
}

TEST(BudgetFolder, ListsTheBudgetsAsTheChooserShowsThem) {
    TempFolder folder;
    for (const char* name : {"Budget.ini", "Copie de Budget.ini", "b.INI", "notes.txt", "x.ini.bak",
                             "a.ini.ini", ".ini", "Maison.Ini", "zzz.ini~", "copie minuscule.ini"})
        writeFile(folder / name, "");
    std::filesystem::create_directory(folder / "Dossier.ini");
    EXPECT_EQ(listeBudgets(folder.path()),
              (Names{"a", "b", "Budget", "copie minuscule", "Maison"}));
    EXPECT_TRUE(listeBudgets(folder / "absent").empty());
}

TEST(BudgetFolder, NewNamesThatWouldEscapeHideOrClashAreRefused) {
    TempFolder folder;
    writeFile(folder / "Budget.ini", "");
    writeFile(folder / "Copie de Vacances.ini", "");
    struct Case {
        std::string name;
        NewBudgetStatus expected;
    };
    const Case cases[] = {
        {"Nouveau", NewBudgetStatus::Ok},
        {"Maison \xC3\xA9t\xC3\xA9", NewBudgetStatus::Ok},
        {"", NewBudgetStatus::EmptyName},
        {"../evil", NewBudgetStatus::InvalidCharacter},
        {"a\\b", NewBudgetStatus::InvalidCharacter},
        {"tab\there", NewBudgetStatus::InvalidCharacter},
        {"del\x7F", NewBudgetStatus::InvalidCharacter},
        {".cache", NewBudgetStatus::LeadingDot},
        {"..", NewBudgetStatus::LeadingDot},
        {"Copie de Budget", NewBudgetStatus::HiddenName},
        {"notes.INI.old", NewBudgetStatus::HoldsExtension},
        {std::string(201, 'n'), NewBudgetStatus::TooLong},
        {"budget", NewBudgetStatus::AlreadyExists},
        {"copie de vacances", NewBudgetStatus::AlreadyExists},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verifieNomNouveauBudget(folder.path(), c.name), c.expected) << c.name;
}

TEST(BudgetFolder, ANewBudgetHoldsOnlyItsPasswordAndNeverReplacesAFile) {
    TempFolder folder;
    const NewBudgetResult created = creeBudget(folder.path(), "Famille", "secret");
    ASSERT_TRUE(created);
    EXPECT_EQ(created.path, folder / "Famille.ini");
    EXPECT_EQ(readFile(created.path),
              "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("SECRET") + "\r\n");
    EXPECT_EQ(test::permissionsOf(created.path),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(listeBudgets(folder.path()), (Names{"Famille"}));

    EXPECT_EQ(creeBudget(folder.path(), "FAMILLE", "other").status, NewBudgetStatus::AlreadyExists);
    EXPECT_EQ(creeBudget(folder.path(), "Vide", "").status, NewBudgetStatus::EmptyPassword);
    EXPECT_EQ(creeBudget(folder / "absent", "X", "p").status, NewBudgetStatus::WriteFailed);
    EXPECT_EQ(readFile(created.path),
              "[GENERAL]\r\ncMotDePasse=" + BrouillerMotDePasse("SECRET") + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "Vide.ini"));
}

}  // namespace
}  // namespace varnelle
