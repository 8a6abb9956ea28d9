#include "core/storage/data_file.h"

#include <random>

#include <gtest/gtest.h>

#include "budget_file_test.h"
#include "core/model/month_mask.h"
#include "core/storage/recovery.h"
#include "lookup_loader.h"
#include "records.h"

namespace varnelle {
namespace {

using test::readFile;
using test::writeFile;

Budget sampleBudget() {
    Budget b;
    b.TypesDep = {
        TTypeDep{"ELE", "\xC9lectricit\xE9", fromHundredths(-6000), 0xAAA, 0, 0, 0},
        TTypeDep{"LOY", " Loyer \"centre\"", fromHundredths(-60000), kTousLesMois, 0, 0, 0},
        TTypeDep{"SAL", "'Salaire'", fromHundredths(210050), kTousLesMois, 0, 0, 0}};
    const auto op = [](std::int32_t select, const char* date, const char* code, Montant montant,
                       const char* libelle) {
        TOperation o = test::operation(date, code, montant, select);
        o.cLibelle = libelle;
        return o;
    };
    b.Operations = {op(1, "05/01/2024", "LOY", fromHundredths(-60000), "Loyer janvier"),
                    op(0, "06/01/2024", "ELE", fromHundredths(-10), "  "),
                    op(1, "25/01/2024", "SAL", fromHundredths(210050), "Salaire; prime=0"),
                    op(0, "  /  /    ", "???", fromHundredths(123450), "")};
    for (int day = 1; day <= kNbJoursDepJourn; ++day)
        b.DepJourn[static_cast<std::size_t>(day - 1)].nMontant = day % 3 == 0 ? -day : day * 7;
    b.Economies = {TEconomie{"Livret A", 1500, 0}, TEconomie{"Retrait", -200, 0}};
    b.Simulations = {TPSimulation{1, "Voiture", "01/02/2024", "31/12/2025", fromHundredths(-25000)},
                     TPSimulation{0, "Vacances", "  /  /    ", "", fromHundredths(1)}};
    b.cSalaireMoyen = "2100,50";
    b.nResteDebMois = "";
    b.setNbJoursMois(30);
    b.Param.nCoulGrilleOpMsPai = 0x123456;
    b.Param.FormeCoche = 2;
    b.Param.OptGrilleOp.cPolice = "Liberation Sans";
    b.Param.lCaOContCellsGraphe = true;
    b.Param.ConfigOnglets2.nOnglet3 = 4;
    return b;
}

Budget load(const std::string& content) {
    Budget budget;
    EXPECT_EQ(ChargeFichier(ProfileFile(content), budget), LoadStatus::Ok);
    return budget;
}

// The lines of one section of a file the program wrote, without its header.
std::vector<std::string> sectionLines(const std::string& content, const std::string& section) {
    std::vector<std::string> lines;
    std::size_t start = content.find("[" + section + "]\r\n") + section.size() + 4;
    for (std::size_t end; start < content.size() && content[start] != '['; start = end + 2) {
        end = content.find("\r\n", start);
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

class DataFile : public test::BudgetFileTest {};

TEST_F(DataFile, SavingThenLoadingGivesTheSameBudgetAndTheSameBytes) {
    ProfileFile file =
        open("[GENERAL]\r\ncMotDePasse=xyz\r\nnAutre=7\r\n[OPERATIONS]\r\nnFutur=1\r\n");
    const Budget original = sampleBudget();
    ASSERT_TRUE(SauveFichier(file, original));
    const std::string first = readFile(path_);

    ProfileFile reopened = open();
    Budget loaded;
    ASSERT_EQ(ChargeFichier(reopened, loaded), LoadStatus::Ok);
    EXPECT_TRUE(test::sameSavedValues(loaded, original));
    ASSERT_TRUE(SauveFichier(reopened, loaded));
    EXPECT_EQ(readFile(path_), first);

    // "GENERAL" is never erased; other sections lose what the program does not write.
    EXPECT_EQ(reopened.readString("GENERAL", "cMotDePasse", ""), "xyz");
    EXPECT_EQ(reopened.readString("GENERAL", "nAutre", ""), "7");
    EXPECT_FALSE(reopened.value("OPERATIONS", "nFutur"));
    EXPECT_EQ(reopened.readString("OPERATIONS", "nMontant2", ""), "-10");
    EXPECT_EQ(reopened.readString("TYPES_DEP", "cLibelle2", ""), " Loyer \"centre\"");
    EXPECT_EQ(reopened.readString("GENERAL", "nResteDebMois", "?"), "");
    const auto general = sectionLines(first, "GENERAL");
    EXPECT_NE(std::find(general.begin(), general.end(), "nResteDebMois="), general.end());
}

TEST_F(DataFile, CountsDecideTheEntries) {
    // Numbers in any notation the reader takes; what it cannot read is 0.
    const Budget two = load("[GENERAL]\r\nnNbOperations=2\r\n[OPERATIONS]\r\ncLibelle1=a\r\n"
                            "cLibelle2=b\r\ncLibelle3=c\r\nnSelect1=0x1\r\nnMontant1=10\r\n"
                            "nSelect2=$1\r\nnMontant2=abc\r\n");
    ASSERT_EQ(two.Operations.size(), 2u);
    EXPECT_EQ(two.Operations[1].cLibelle, "b");
    EXPECT_EQ(two.Operations[0].nSelect, 1);
    EXPECT_EQ(two.Operations[0].nMontant, 10 * 0.01L);
    EXPECT_EQ(two.Operations[1].nSelect, 1);
    EXPECT_EQ(two.Operations[1].nMontant, 0);

    const Budget more = load("[GENERAL]\r\nnNbTypesDep=3\r\nnNbEconomies=-4\r\n[TYPES_DEP]\r\n"
                             "cTypeDep1=A\r\nnPeriodicite1=4095\r\n");
    ASSERT_EQ(more.TypesDep.size(), 3u);
    EXPECT_EQ(more.TypesDep[0].nNbMois, 12);
    EXPECT_EQ(more.TypesDep[2].cTypeDep, "");
    EXPECT_TRUE(more.Economies.empty());

    // Saving after types were removed numbers the rest from 1, with nothing left behind.
    ProfileFile file =
        open("[GENERAL]\r\nnNbTypesDep=3\r\n[TYPES_DEP]\r\ncTypeDep1=A\r\ncTypeDep2=B\r\n"
             "cTypeDep3=C\r\n");
    Budget budget;
    ASSERT_EQ(ChargeFichier(file, budget), LoadStatus::Ok);
    budget.TypesDep.erase(budget.TypesDep.begin());
    ASSERT_TRUE(SauveFichier(file, budget));
    EXPECT_EQ(
        sectionLines(readFile(path_), "TYPES_DEP"),
        (std::vector<std::string>{"cTypeDep1=B", "cLibelle1=", "nMontant1=0", "nPeriodicite1=0",
                                  "cTypeDep2=C", "cLibelle2=", "nMontant2=0", "nPeriodicite2=0"}));
    EXPECT_EQ(file.readInteger("GENERAL", "nNbTypesDep", -1), 2);
}

TEST_F(DataFile, SettingsDefaultWhenMissingOrOutOfRange) {
    const Budget empty = load("[GENERAL]\r\ncMotDePasse=x\r\n");
    EXPECT_TRUE(empty.Param == TParam());
    EXPECT_EQ(empty.nNbJoursMois(), 28);
    EXPECT_TRUE(empty.cSalaireMoyen.empty());
    for (const TDepJourn& jour : empty.DepJourn) EXPECT_EQ(jour.nMontant, 0);

    const Budget odd = load("[PARAMETRES]\r\nFormeCoche=7\r\nOptGrilleOpGrid=-1\r\n"
                            "OptGrilleOpnZoom=2\r\nlRTDRetailLigEns=0\r\nlRTDRetailColEns=abc\r\n"
                            "lCaOContCellsGraphe=5\r\nnCoulGrilleTDFond=0xFF\r\n[GENERAL]\r\n"
                            "nNbJoursMois=45\r\n");
    EXPECT_EQ(odd.Param.FormeCoche, 1);
    EXPECT_EQ(odd.Param.OptGrilleOp.Grid, 3);
    EXPECT_EQ(odd.Param.OptGrilleOp.nZoom, 2);
    EXPECT_FALSE(odd.Param.lRTDRetailLigEns);
    EXPECT_TRUE(odd.Param.lRTDRetailColEns);
    EXPECT_TRUE(odd.Param.lCaOContCellsGraphe);
    EXPECT_EQ(odd.Param.nCoulGrilleTDFond, 255);
    EXPECT_EQ(odd.nNbJoursMois(), 31);

    // Every key is written, in table order, even when the file had none.
    ProfileFile file = open("[GENERAL]\r\ncMotDePasse=x\r\n");
    ASSERT_TRUE(SauveFichier(file, empty));
    const auto lines = sectionLines(readFile(path_), "PARAMETRES");
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kNbCles));
    EXPECT_EQ(lines.front(), "nCoulToutesGrillesETFond=12632256");
    EXPECT_EQ(lines.back(), "ConfigOnglets2nOnglet3=-1");
}

TEST_F(DataFile, HugeOrUnreadableCountsMarkTheFileDamagedWithoutWork) {
    for (const char* count : {"1000001", "2147483647", "0x7FFFFFFF"}) {
        Budget budget;
        budget.Economies.push_back({});
        EXPECT_EQ(
            ChargeFichier(ProfileFile(std::string("[GENERAL]\r\nnNbSimulations=") + count), budget),
            LoadStatus::Damaged);
        EXPECT_TRUE(budget.Economies.empty());
    }
    // A count that cannot be read is 0 only when its section has no entry 1 to lose.
    for (const std::string count : {"nNbOperations=trois\r\n", "nNbOperations=\r\n", ""})
        for (const std::string entry : {"cdate1", "cDate2"}) {
            Budget budget;
            EXPECT_EQ(ChargeFichier(ProfileFile("[GENERAL]\r\n" + count + "[OPERATIONS]\r\n" +
                                                entry + "=01/01/2024"),
                                    budget),
                      entry == "cdate1" ? LoadStatus::Damaged : LoadStatus::Ok);
        }
    Budget many;
    ASSERT_EQ(ChargeFichier(ProfileFile("[GENERAL]\r\nnNbEconomies=200000"), many), LoadStatus::Ok);
    EXPECT_EQ(many.Economies.size(), 200000u);
}

TEST_F(DataFile, ARefusedOrFailedSaveChangesNothing) {
    ProfileFile file = open("[GENERAL]\r\ncMotDePasse=x\r\n");
    const std::string before = file.render();

    Budget badText = sampleBudget();
    badText.Operations[2].cLibelle = "two\nlines";
    SaveResult result = SauveFichier(file, badText);
    EXPECT_EQ(result.status, SaveStatus::TextRefused);
    EXPECT_EQ(result.section, "OPERATIONS");
    EXPECT_EQ(result.key, "cLibelle3");

    Budget badAmount = sampleBudget();
    badAmount.Simulations[1].nMontant = 1e9L;
    result = SauveFichier(file, badAmount);
    EXPECT_EQ(result.status, SaveStatus::AmountRefused);
    EXPECT_EQ(result.key, "nMontant2");

    {
        const test::FileSizeLimit full(100);
        result = SauveFichier(file, sampleBudget());
    }
    EXPECT_EQ(result.status, SaveStatus::WriteFailed);
    EXPECT_EQ(result.path, path_);

    EXPECT_EQ(file.render(), before);
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\ncMotDePasse=x\r\n");

    writeFile(path_, "[GENERAL]\r\ncMotDePasse=changed elsewhere\r\n");
    EXPECT_EQ(SauveFichier(file, sampleBudget()).status, SaveStatus::ChangedOnDisk);
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\ncMotDePasse=changed elsewhere\r\n");
    EXPECT_TRUE(SauveFichier(file, sampleBudget(), ProfileFile::ExternalChange::Overwrite));
}

// A large budget goes to the disk while its text is made, by more than one thread: a refusal
// or a failure found after megabytes of it were written still leaves the file and the folder
// as they were, the refusal named is the first in the file, and every line lands in order.
TEST_F(DataFile, ALargeSaveGivenUpOnTheWayLeavesNothingBehind) {
    ProfileFile file = open("[GENERAL]\r\ncMotDePasse=x\r\n");
    Budget large = sampleBudget();
    const TOperation modele = large.Operations[0];
    large.Operations.assign(40'000, modele);
    for (std::size_t i = 0; i < large.Operations.size(); ++i)
        large.Operations[i].cLibelle = "op " + std::to_string(i + 1);
    large.Operations[30'000].cLibelle = "two\nlines";
    large.Operations.back().cLibelle = "two\nlines";
    SaveResult refused = SauveFichier(file, large);
    EXPECT_EQ(refused.status, SaveStatus::TextRefused);
    EXPECT_EQ(refused.key, "cLibelle30001");
    large.Operations[100].nMontant = 1e9L;
    refused = SauveFichier(file, large);
    EXPECT_EQ(refused.status, SaveStatus::AmountRefused);
    EXPECT_EQ(refused.key, "nMontant101");
    large.Operations[100].nMontant = modele.nMontant;
    large.Operations[30'000].cLibelle = "op 30001";
    {
        const test::FileSizeLimit full(3'000'000);
        large.Operations.back().cLibelle = "one line";
        EXPECT_EQ(SauveFichier(file, large).status, SaveStatus::WriteFailed);
    }
    EXPECT_EQ(readFile(path_), "[GENERAL]\r\ncMotDePasse=x\r\n");
    EXPECT_EQ(test::folderContent(folder_.path()), std::vector<std::string>{"Budget.ini"});

    ASSERT_TRUE(SauveFichier(file, large));
    ProfileFile inMemory = ProfileFile(readFile(path_));
    EXPECT_TRUE(ecritBudget(inMemory, large));
    EXPECT_EQ(file.render(), inMemory.render());
    EXPECT_EQ(readFile(path_), file.render());
    Budget back;
    ASSERT_EQ(ChargeFichier(ProfileFile(readFile(path_)), back), LoadStatus::Ok);
    ASSERT_EQ(back.Operations.size(), large.Operations.size());
    for (std::size_t i = 0; i < large.Operations.size(); ++i)
        ASSERT_EQ(back.Operations[i].cLibelle, large.Operations[i].cLibelle) << i;
}

TEST_F(DataFile, RepeatedSavesHoldNoMoreThanTheFileAndEveryCutOfItLoads) {
    ProfileFile file = open("");
    const Budget budget = sampleBudget();
    ASSERT_TRUE(SauveFichier(file, budget));
    const std::string saved = readFile(path_);
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(SauveFichier(file, budget));
        EXPECT_LE(file.heldBytes(), saved.size());
    }
    EXPECT_EQ(readFile(path_), saved);

    std::mt19937 random(5);
    for (std::size_t cut = 0; cut < saved.size(); cut += 1 + random() % 23) {
        Budget loaded;
        EXPECT_EQ(ChargeFichier(ProfileFile(saved.substr(0, cut)), loaded), LoadStatus::Ok);
        EXPECT_LE(loaded.Operations.size(), 4u);
    }
}

// Unsaved changes are offered back only from a file newer than the budget's, of its password.
TEST_F(DataFile, RecoveryIsOfferedWhenNewerAndOfTheSamePassword) {
    using namespace std::chrono_literals;
    const ProfileFile file = open("[GENERAL]\r\ncMotDePasse=xyz\r\n");
    ASSERT_TRUE(EcritRecuperation(file, sampleBudget()));
    const auto recuperation = cheminRecuperation(path_);
    const auto quand = std::filesystem::last_write_time(path_);
    std::filesystem::last_write_time(recuperation, quand - 1s);
    EXPECT_FALSE(RecuperationRecente(file));
    Budget lu;
    writeFile(recuperation, "[GENERAL]\r\ncMotDePasse=abc\r\n");
    EXPECT_FALSE(ChargeRecuperation(file, lu));
}

TEST(DataFileReading, CollectionsReadAsKeyByKeyLookupsWould) {
    // Keys in any case, repeated, with leading zeros or signs, beyond the count, in a
    // repeated section: the one-pass reader must pick exactly what lookups pick.
    std::mt19937 random(17);
    const char* sections[] = {"TYPES_DEP", "OPERATIONS", "ECONOMIES", "SIMULATIONS", "operations"};
    const char* fields[] = {"cTypeDep", "CLIBELLE", "nMontant", "nPeriodicite", "nselect",  "cDate",
                            "cDateDeb", "cDateFin", "cLibelle", "NMONTANT",     "cTypeDepX"};
    const char* numbers[] = {"1", "2", "3", "4", "01", "+1", "0", "-1", "", "2147483648", "3 "};
    for (int round = 0; round < 400; ++round) {
        std::string content = "[GENERAL]\r\n";
        for (const char* count : {"nNbTypesDep", "nNbOperations", "nNbEconomies", "nNbSimulations"})
            content += std::string(count) + "=" + std::to_string(random() % 5) + "\r\n";
        for (int line = 0; line < 60; ++line) {
            if (random() % 12 == 0) {
                content += std::string("[") + sections[random() % 5] + "]\r\n";
                continue;
            }
            if (random() % 15 == 0) content += ";";
            content += std::string(fields[random() % 11]) + numbers[random() % 11] + " = v" +
                       std::to_string(random() % 100) + "\r\n";
        }
        const Budget byLookups = test::loadByLookups(ProfileFile(content));
        Budget budget;
        ASSERT_EQ(ChargeFichier(ProfileFile(content), budget), LoadStatus::Ok);
        ASSERT_TRUE(test::sameSavedValues(budget, byLookups, true)) << content;
    }

    // The operations read out of a file that is not kept, before the sections that follow
    // them: those are still read where they are.
    const std::string later =
        "[OPERATIONS]\r\ncDate1=01/01/2024\r\n[ECONOMIES]\r\ncLibelle1=Livret\r\n"
        "[GENERAL]\r\nnNbOperations=1\r\nnNbEconomies=1\r\nnNbJoursMois=29\r\n"
        "cSalaireMoyen=1234\r\n[DEP_JOURN]\r\nnMontant3=5\r\n";
    Budget kept, consumed;
    ASSERT_EQ(ChargeFichier(static_cast<const ProfileFile&>(ProfileFile(later)), kept),
              LoadStatus::Ok);
    ASSERT_EQ(ChargeFichier(ProfileFile(later), consumed), LoadStatus::Ok);
    EXPECT_EQ(kept.nNbJoursMois(), 29);
    EXPECT_EQ(kept.Economies.at(0).cLibelle, "Livret");
    EXPECT_EQ(kept.DepJourn[2].nMontant, 5);
    EXPECT_EQ(consumed, kept);
}

}  // namespace
}  // namespace varnelle
