#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "storage/password.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> folderContents(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The member `key` of the top-level object, up to the next top-level member.
std::string member(const std::string& json, const std::string& key) {
    const auto begin = json.find("\n  \"" + key + "\": ");
    if (begin == std::string::npos) return {};
    return json.substr(begin, json.find("\n  \"", begin + 1) - begin);
}

// Every value of `key` in `text`, in order, as written (strings keep their quotes).
std::vector<std::string> values(const std::string& text, const std::string& key) {
    std::vector<std::string> found;
    const std::string marker = "\"" + key + "\": ";
    for (auto p = text.find(marker); p != std::string::npos; p = text.find(marker, p + 1)) {
        const auto start = p + marker.size();
        std::string value = text.substr(start, text.find('\n', start) - start);
        if (!value.empty() && value.back() == ',') value.pop_back();
        found.push_back(value);
    }
    return found;
}

// Names of the members found at `indent` spaces, in order.
std::vector<std::string> keysAt(const std::string& text, int indent) {
    std::vector<std::string> keys;
    const std::string marker = "\n" + std::string(static_cast<std::size_t>(indent), ' ') + "\"";
    for (auto p = text.find(marker); p != std::string::npos; p = text.find(marker, p + 1)) {
        const auto start = p + marker.size();
        keys.push_back(text.substr(start, text.find('"', start) - start));
    }
    return keys;
}

std::vector<std::string> quoted(std::vector<std::string> texts) {
    for (std::string& text : texts) text = "\"" + text + "\"";
    return texts;
}

const std::string kWrongPassword = "Mot de passe de la base de données 'Budget.ini' invalide !!!\n";

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "varnelle_cli_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        folder_ = root_ / "budgets";
        fs::create_directory(folder_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // Runs the program with its output kept outside the budget folder.
    Outcome run(const std::vector<std::string>& args) const {
        const std::string out = (root_ / "stdout").string(), err = (root_ / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        std::vector<char*> argv{const_cast<char*>(VARNELLE_CLI_PATH)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        Outcome result;
        pid_t pid = 0;
        if (posix_spawn(&pid, VARNELLE_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
            int wstatus = 0;
            if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
                result.status = WEXITSTATUS(wstatus);
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = readAll(out);
        result.err = readAll(err);
        return result;
    }

    // A data file of these lines (Windows-1252, "\n" becoming CR LF), opening with `motDePasse`.
    fs::path writeBudget(const std::string& name, const std::string& motDePasse,
                         const std::string& lines) const {
        std::string bytes = "[GENERAL]\r\ncMotDePasse=" + varnelle::BrouillerMotDePasse(motDePasse);
        bytes += "\r\n";
        for (const char c : lines) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
        const fs::path path = folder_ / name;
        writeAll(path, bytes);
        return path;
    }

    // Two types, three operations out of date order, two savings, one simulation.
    fs::path writeSmallBudget() const {
        return writeBudget(
            "Budget.ini", "SECRET",
            "nNbTypesDep=2\nnNbOperations=3\nnNbEconomies=2\nnNbSimulations=1\n"
            "nNbJoursMois=30\ncSalaireMoyen=1500\nnResteDebMois=200\n"
            "[TYPES_DEP]\n"
            "cTypeDep1=LOY\ncLibelle1=Loyer\nnMontant1=60000\nnPeriodicite1=4095\n"
            "cTypeDep2=ALI\ncLibelle2=Alimentation\nnMontant2=10\nnPeriodicite2=2048\n"
            "[OPERATIONS]\n"
            "nSelect1=1\ncDate1=15/03/2024\ncTypeDep1=LOY\nnMontant1=-60000\n"
            "cLibelle1=Loyer mars\n"
            "cDate2=01/03/2024\ncTypeDep2=ALI\nnMontant2=10\n"
            "cLibelle2=Caf\xE9 \"noir\" \\ x\ty\n"
            "cDate3=05/03/2024\ncTypeDep3=ALI\nnMontant3=250000\n"
            "[DEP_JOURN]\nnMontant1=5\nnMontant2=7\nnMontant31=-2\n"
            "[ECONOMIES]\n"
            "cLibelle1=Vacances\nnMontant1=100\ncLibelle2=Voiture\nnMontant2=-30\n"
            "[SIMULATIONS]\n"
            "nSelect1=1\ncLibelle1=Pr\xEAt\ncDateDeb1=01/01/2024\n"
            "cDateFin1=31/12/2024\nnMontant1=-12345\n"
            "[PARAMETRES]\n"
            "lCaOContCellsGraphe=1\nlRTDRetailLigEns=0\nOptGrilleOpcPolice=Arial\n");
    }

    fs::path root_;
    fs::path folder_;
};

TEST_F(CliTest, ListShowsBudgetsInCaseBlindOrderAndHidesTheRest) {
    for (const char* name : {"beta.ini", "Alpha.INI", "gamma.Ini", "caf\xE9.ini",
                             "Copie de beta.ini", "notes.txt", "beta.ini.bak"})
        writeAll(folder_ / name, "[GENERAL]\r\n");
    fs::create_directory(folder_ / "dossier.ini");

    const Outcome r = run({"list", folder_.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Alpha\nbeta\ncaf\xE9\ngamma\n");
}

TEST_F(CliTest, NewCreatesABudgetThatOpensWithItsPassword) {
    const Outcome created = run({"new", folder_.string(), "Mon budget", "--password", "clé"});
    ASSERT_EQ(created.status, 0) << created.err;
    const Outcome checked =
        run({"check", (folder_ / "Mon budget.ini").string(), "--password", "CLÉ"});
    EXPECT_EQ(checked.status, 0) << checked.err;
    EXPECT_EQ(checked.out,
              "Mon budget.ini : 0 type, 0 opération, 0 économie, 0 simulation, solde final 0.00\n");

    // After "--" a name may start with a dash.
    EXPECT_EQ(run({"new", folder_.string(), "--password", "p", "--", "-tiret"}).status, 0);
    EXPECT_TRUE(fs::exists(folder_ / "-tiret.ini"));
}

TEST_F(CliTest, NewRefusesWithoutTouchingTheFolder) {
    const std::string existing = "[GENERAL]\r\ncMotDePasse=x\r\nnNbTypesDep=0\r\n";
    writeAll(folder_ / "alpha.ini", existing);
    const std::vector<std::string> before = folderContents(folder_);
    const struct {
        std::string nom, motDePasse, message;
    } cases[] = {
        {"ALPHA", "p", "Le budget 'ALPHA' existe déjà."},
        {"a/b", "p",
         "Le nom 'a/b' contient un caractère interdit (séparateur de dossier ou caractère de "
         "contrôle)."},
        {"neuf", "日本",
         "Le mot de passe contient un caractère qu'un budget ne peut pas enregistrer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nom);
        const Outcome r = run({"new", folder_.string(), c.nom, "--password", c.motDePasse});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.message + "\n");
    }
    EXPECT_EQ(folderContents(folder_), before);
    EXPECT_EQ(readAll(folder_ / "alpha.ini"), existing);

    const Outcome r = run({"new", (root_ / "absent").string(), "x", "--password", "p"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ne peut écrire dans " + (root_ / "absent" / "x.ini").string() + "\n");
}

TEST_F(CliTest, ShowPrintsTheBudgetAsJson) {
    const fs::path file = writeSmallBudget();
    const std::string onDisk = readAll(file);
    const Outcome r = run({"show", file.string(), "--password", "secret"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& json = r.out;
    EXPECT_EQ(keysAt(json, 2),
              (std::vector<std::string>{"fichier", "GENERAL", "TypesDep", "Operations", "DepJourn",
                                        "Economies", "Simulations", "PARAMETRES"}));
    EXPECT_EQ(values(json, "fichier"), quoted({"Budget.ini"}));
    EXPECT_EQ(values(json, "nNbJoursMois"), std::vector<std::string>{"30"});

    const std::string types = member(json, "TypesDep");
    EXPECT_EQ(values(types, "nTotal"), quoted({"7200.00", "0.10"}));
    EXPECT_EQ(values(types, "nSolde"), quoted({"-600.00", "2500.10"}));

    const std::string operations = member(json, "Operations");
    EXPECT_EQ(values(operations, "nMontant"), quoted({"-600.00", "0.10", "2500.00"}));
    EXPECT_EQ(values(operations, "nSolde"), quoted({"-600.00", "-599.90", "1900.10"}));
    EXPECT_EQ(values(operations, "nSelect"), (std::vector<std::string>{"1", "0", "0"}));
    EXPECT_EQ(values(operations, "cLibelle")[1], R"("Café \"noir\" \\ x\u0009y")");

    EXPECT_EQ(values(member(json, "DepJourn"), "nCumul").size(), 31u);
    const std::string simulations = member(json, "Simulations");
    EXPECT_EQ(values(simulations, "cLibelle"), quoted({"Prêt"}));
    EXPECT_EQ(values(simulations, "nMontant"), quoted({"-123.45"}));

    const std::string params = member(json, "PARAMETRES");
    const std::vector<std::string> keys = keysAt(params, 4);
    ASSERT_EQ(keys.size(), 94u);
    EXPECT_EQ(keys.front(), "nCoulToutesGrillesETFond");
    EXPECT_EQ(keys.back(), "ConfigOnglets2nOnglet3");
    EXPECT_EQ(values(params, "lCaOContCellsGraphe"), std::vector<std::string>{"true"});
    EXPECT_EQ(values(params, "lRTDRetailLigEns"), std::vector<std::string>{"false"});
    EXPECT_EQ(values(params, "OptGrilleOpcPolice"), quoted({"Arial"}));
    EXPECT_EQ(values(params, "ConfigOnglets2nOnglet3"), std::vector<std::string>{"-1"});

    EXPECT_EQ(readAll(file), onDisk);
}

TEST_F(CliTest, ShowSortReordersOperationsAndRecomputesBalances) {
    const Outcome r = run({"show", writeSmallBudget().string(), "--sort", "--password", "SECRET"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string operations = member(r.out, "Operations");
    EXPECT_EQ(values(operations, "cDate"), quoted({"01/03/2024", "05/03/2024", "15/03/2024"}));
    EXPECT_EQ(values(operations, "nSolde"), quoted({"0.10", "2500.10", "1900.10"}));
    EXPECT_EQ(values(member(r.out, "TypesDep"), "nSolde"), quoted({"-600.00", "2500.10"}));
}

TEST_F(CliTest, PasswordIsComparedInUpperCase) {
    const std::string file = writeBudget("Budget.ini", "S\xC9SAME", "").string();
    const struct {
        std::string motDePasse;
        int status;
    } cases[] = {{"sésame", 0}, {"SÉSAME", 0}, {"SESAME", 1}, {"sésame ", 1}, {"", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.motDePasse);
        for (const char* command : {"show", "check"}) {
            const Outcome r = run({command, file, "--password", c.motDePasse});
            EXPECT_EQ(r.status, c.status);
            EXPECT_EQ(r.err, c.status == 0 ? "" : kWrongPassword);
            EXPECT_EQ(r.out.empty(), c.status != 0);
        }
    }
}

TEST_F(CliTest, UnreadableOrDamagedFilesExitWithTwo) {
    const std::string damaged = writeBudget("Budget.ini", "P", "nNbOperations=99999999\n").string();
    const std::string absent = (folder_ / "absent.ini").string();
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"show", absent, "--password", "p"}, "Le fichier " + absent + " est introuvable.\n"},
        {{"show", folder_.string(), "--password", "p"},
         "Ne peut lire le fichier " + folder_.string() + "\n"},
        {{"list", absent}, "Ne peut lire le dossier " + absent + "\n"},
        {{"show", damaged, "--password", "p"},
         "Le fichier " + damaged +
             " est endommagé : il annonce plus de 1000000 enregistrements.\n"},
        {{"check", damaged, "--password", "p"},
         "Le fichier " + damaged +
             " est endommagé : il annonce plus de 1000000 enregistrements.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CliTest, CheckSummarisesTheBudget) {
    const Outcome r = run({"check", writeSmallBudget().string(), "--password", "secret"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "Budget.ini : 2 types, 3 opérations, 2 économies, 1 simulation, solde final 1900.10\n");
}

TEST_F(CliTest, UsageErrorsExitWithOne) {
    const std::string file = writeSmallBudget().string();
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {{}, "Commande manquante."},
        {{"delete", file}, "Commande inconnue : delete"},
        {{"new", folder_.string(), "--password", "p"}, "Argument manquant : NOM"},
        {{"show", file}, "L'option --password est obligatoire pour show."},
        {{"check", file, "--password", "secret", "--sort"}, "Option inconnue pour check : --sort"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLine);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_NE(r.err.find("Usage :"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
