#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QImage>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/model/text_encoding.h"
#include "core/storage/password.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using varnelle::test::readFile;
using varnelle::test::writeFile;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// A budget colour (0x00BBGGRR) as the PNG holds it.
QRgb rgb(unsigned c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(folder_); }

    // Runs the real program; its output is kept outside the budget folder.
    Outcome run(const std::vector<std::string>& args, const std::string& input = {}) const {
        return runProgram(VARNELLE_CLI_PATH, args, input);
    }
    Outcome runProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::string& input = {}) const {
        std::string command = program;
        for (const std::string& arg : args) {
            command += " '";
            for (const char c : arg)
                command += c == '\'' ? std::string("'\\''") : std::string(1, c);
            command += "'";
        }
        command += " >'" + (root_ / "out").string() + "' 2>'" + (root_ / "err").string() + "'";
        // Standard input is a file, never the terminal the tests may run from.
        if (!input.empty()) writeFile(root_ / "in", input);
        command += input.empty() ? " </dev/null" : " <'" + (root_ / "in").string() + "'";
        const int raw = std::system(command.c_str());
        if (!input.empty()) fs::remove(root_ / "in");
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(root_ / "out"),
                readFile(root_ / "err")};
    }

    // A data file of these lines (Windows-1252, "\n" becoming CR LF) opening with `password`.
    fs::path writeBudget(const std::string& password, const std::string& lines) const {
        std::string bytes = "[GENERAL]\r\ncMotDePasse=" + varnelle::BrouillerMotDePasse(password);
        bytes += "\r\n";
        for (const char c : lines) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
        writeFile(folder_ / "Budget.ini", bytes);
        return folder_ / "Budget.ini";
    }

    // Two types and three operations out of date order.
    fs::path writeSmallBudget() const {
        return writeBudget("SECRET",
                           "nNbTypesDep=2\nnNbOperations=3\nnNbSimulations=1\n"
                           "[TYPES_DEP]\ncTypeDep1=LOY\nnMontant1=60000\nnPeriodicite1=4095\n"
                           "cTypeDep2=ALI\nnMontant2=10\nnPeriodicite2=2048\n"
                           "[OPERATIONS]\nnSelect1=1\ncDate1=15/03/2024\ncTypeDep1=LOY\n"
                           "nMontant1=-60000\ncDate2=01/03/2024\ncTypeDep2=ALI\nnMontant2=10\n"
                           "cLibelle2=Caf\xE9 \"noir\" \\ x\ty\ncDate3=05/03/2024\ncTypeDep3=ALI\n"
                           "nMontant3=250000\n"
                           "[SIMULATIONS]\ncLibelle1=Pr\xEAt\nnMontant1=-12345\n"
                           "[PARAMETRES]\nlCaOContCellsGraphe=1\nlRTDRetailLigEns=0\n");
    }

    // Operations in date order over March and 2 April 2024, and chart colours of its own.
    fs::path writeChartBudget() const {
        return writeBudget("SECRET", "nNbOperations=5\n[OPERATIONS]\n"
                                     "cDate1=01/03/2024\ncTypeDep1=AAA\nnMontant1=10000\n"
                                     "cDate2=05/03/2024\ncTypeDep2=BBB\nnMontant2=-5000\n"
                                     "cDate3=05/03/2024\ncTypeDep3=CCC\nnMontant3=2500\n"
                                     "cDate4=20/03/2024\ncTypeDep4=DDD\nnMontant4=0\n"
                                     "cDate5=02/04/2024\ncTypeDep5=ZZZ\nnMontant5=50000\n"
                                     "[PARAMETRES]\nnCoulGrapheTDFon=0x203040\n"
                                     "nCoulGrapheTDTyImp=0x0000FF\nnCoulGrapheOpFon=0x102030\n"
                                     "nCoulGrapheOpMsImp=0xFF00FF\n");
    }

    varnelle::test::TempFolder root_;
    fs::path folder_ = root_ / "budgets";
};

TEST_F(Cli, ListAndNewFollowTheChooser) {
    for (const char* name : {"beta.ini", "Alpha.INI", "caf\xE9.ini", "Copie de beta.ini", "x.txt"})
        writeFile(folder_ / name, "[GENERAL]\r\n");
    Outcome r = run({"list", folder_.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Alpha\nbeta\ncaf\xE9\n");

    r = run({"new", folder_.string(), "Mon budget", "--password", "clé"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = run({"check", (folder_ / "Mon budget.ini").string(), "--password", "CLÉ"});
    EXPECT_EQ(r.out,
              "Mon budget.ini : 0 type, 0 opération, 0 économie, 0 simulation, solde final 0.00\n");

    // Refusals say why, exit with 1 and leave every file as it was.
    const std::string before = readFile(folder_ / "beta.ini");
    const struct {
        std::string name, message;
    } refused[] = {
        {"BETA", "Le budget 'BETA' existe déjà."},
        {"a/b", "Le nom 'a/b' contient un caractère interdit (séparateur de dossier ou "
                "caractère de contrôle)."},
        {"Copie de x",
         "Le nom d'un budget ne peut pas contenir \"Copie \" : il serait caché de la liste."},
    };
    for (const auto& c : refused) {
        r = run({"new", folder_.string(), c.name, "--password", "p"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.message + "\n");
    }
    r = run({"new", folder_.string(), "Neuf", "--password", "a\rb"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("Le mot de passe contient un caractère de contrôle")) << r.err;
    EXPECT_FALSE(fs::exists(folder_ / "Neuf.ini"));
    EXPECT_EQ(readFile(folder_ / "beta.ini"), before);
    r = run({"new", (root_ / "absent").string(), "x", "--password", "p"});
    EXPECT_EQ(r.err, "Ne peut écrire dans " + (root_ / "absent" / "x.ini").string() + "\n");
}

// January, February and April 2001, no March; 100 a month over 2001 adds 100, 200 and 300, and
// a hundredth a month from 15/03 to 15/06 starts with April.
TEST_F(Cli, BalancesListTheMonthsWithTheTickedSimulations) {
    const fs::path file = writeBudget(
        "SECRET", "nNbOperations=3\nnNbSimulations=2\n[OPERATIONS]\ncDate1=10/01/2001\n"
                  "nMontant1=10000\ncDate2=10/02/2001\nnMontant2=-2000\ncDate3=03/04/2001\n"
                  "nMontant3=500\n[SIMULATIONS]\nnSelect1=1\ncDateDeb1=01/01/2001\n"
                  "cDateFin1=31/12/2001\nnMontant1=10000\nnSelect2=1\ncDateDeb2=15/03/2001\n"
                  "cDateFin2=15/06/2001\nnMontant2=1\n");
    Outcome r = run({"balances", file.string(), "--password", "secret"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"annee\": 2001, \"mois\": 1, \"solde\": \"100.00\", \"soldeAffiche\": \"200.00\", "
              "\"simule\": true, \"icone\": 2}\n"
              "{\"annee\": 2001, \"mois\": 2, \"solde\": \"80.00\", \"soldeAffiche\": \"280.00\", "
              "\"simule\": true, \"icone\": 12}\n"
              "{\"annee\": 2001, \"mois\": 4, \"solde\": \"85.00\", \"soldeAffiche\": \"385.01\", "
              "\"simule\": true, \"icone\": 12}\n");

    // April alone on 500 x 300: its reference 85 is the smaller, so its bar stops below the
    // top; the simulated 385 inside it (x 130..367) reaches the top margin at y 10.
    const std::string png = (root_ / "avril.png").string();
    r = run({"chart", file.string(), "--password", "secret", "--kind", "soldes", "--from",
             "01/04/2001", "--size", "500x300", "--output", png});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.pixel(200, 10), rgb(0xFF0000));
    EXPECT_EQ(image.pixel(200, 9), rgb(0x800000));
    EXPECT_EQ(image.pixel(129, 140), rgb(0x00FFFF));
    EXPECT_EQ(image.pixel(130, 140), rgb(0xFF0000));
    EXPECT_EQ(image.pixel(368, 140), rgb(0x00FFFF));
}

// January and March 2024; in March the codes LOY (a type), ALI (none) and LOY again.
TEST_F(Cli, TreeListsItsNodesWithTheirTotals) {
    const fs::path file = writeBudget(
        "SECRET",
        "nNbTypesDep=1\nnNbOperations=4\n[TYPES_DEP]\ncTypeDep1=LOY\ncLibelle1=Loyer "
        "\"centre\"\n[OPERATIONS]\ncDate1=10/01/2024\ncTypeDep1=ALI\nnMontant1=-1000\n"
        "cDate2=01/03/2024\ncTypeDep2=LOY\nnMontant2=-60000\ncDate3=05/03/2024\n"
        "cTypeDep3=ALI\nnMontant3=-2050\ncDate4=08/03/2024\ncTypeDep4=LOY\nnMontant4=-500\n");
    const Outcome r = run({"tree", file.string(), "--password", "secret"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"niveau\": 0, \"texte\": \"2024\", \"total\": \"-635.50\", \"nbOperations\": 4}\n"
        "{\"niveau\": 1, \"texte\": \"Janvier\", \"total\": \"-10.00\", \"nbOperations\": 1}\n"
        "{\"niveau\": 2, \"texte\": \"ALI\", \"total\": \"-10.00\", \"nbOperations\": 1}\n"
        "{\"niveau\": 1, \"texte\": \"Mars\", \"total\": \"-625.50\", \"nbOperations\": 3}\n"
        "{\"niveau\": 2, \"texte\": \"Loyer \\\"centre\\\"\", \"total\": \"-605.00\", "
        "\"nbOperations\": 2}\n"
        "{\"niveau\": 2, \"texte\": \"ALI\", \"total\": \"-20.50\", \"nbOperations\": 1}\n");
}

// 2000 to 2002; ALI books only in 2001, its March cancelling out; CAFÉ books nothing.
TEST_F(Cli, RecapAndCalendarListTheirCells) {
    const fs::path file = writeBudget(
        "SECRET",
        "nNbTypesDep=3\nnNbOperations=6\n[TYPES_DEP]\ncTypeDep1=LOY\ncTypeDep2=ALI\n"
        "cTypeDep3=CAF\xC9\n[OPERATIONS]\nnSelect1=1\ncDate1=15/12/2000\ncTypeDep1=LOY\n"
        "nMontant1=-60000\nnSelect2=1\ncDate2=05/03/2001\ncTypeDep2=ALI\nnMontant2=1\n"
        "cDate3=05/03/2001\ncTypeDep3=ALI\nnMontant3=22\ncDate4=20/03/2001\ncTypeDep4=ALI\n"
        "nMontant4=-23\ncDate5=08/04/2001\ncTypeDep5=ALI\nnMontant5=-350\n"
        "cDate6=10/02/2002\ncTypeDep6=LOY\nnMontant6=500\n");
    // Twelve monthly sums, all "0.00" but month m.
    const auto sommes = [](int m, const std::string& v) {
        std::string s = "[";
        for (int i = 1; i <= 12; ++i) s += (i > 1 ? ", \"" : "\"") + (i == m ? v : "0.00") + "\"";
        return s + "]";
    };
    Outcome r = run({"recap", file.string(), "--password", "secret"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"annees\": [2000, 2001, 2002], \"types\": [{\"code\": \"LOY\", "
                     "\"sommes\": {\"2000\": " +
                         sommes(12, "-600.00") + ", \"2002\": " + sommes(2, "5.00") +
                         "}}, {\"code\": \"ALI\", \"sommes\": {\"2001\": " + sommes(4, "-3.50") +
                         "}}, {\"code\": \"CAFÉ\", \"sommes\": {}}]}\n");

    r = run({"calendar", file.string(), "--password", "secret"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto op = [](const char* code, const char* montant, int select) {
        return std::string("{\"cTypeDep\": \"") + code + "\", \"nMontant\": \"" + montant +
               "\", \"nSelect\": " + std::to_string(select) + "}";
    };
    EXPECT_EQ(r.out,
              "{\"mois\": [{\"mois\": \"12/2000\", \"jours\": {\"15\": [" +
                  op("LOY", "-600.00", 1) + "]}}, {\"mois\": \"03/2001\", \"jours\": {\"5\": [" +
                  op("ALI", "0.01", 1) + ", " + op("ALI", "0.22", 0) + "], \"20\": [" +
                  op("ALI", "-0.23", 0) + "]}}, {\"mois\": \"04/2001\", \"jours\": {\"8\": [" +
                  op("ALI", "-3.50", 0) + "]}}, {\"mois\": \"02/2002\", \"jours\": {\"10\": [" +
                  op("LOY", "5.00", 0) + "]}}]}\n");
}

TEST_F(Cli, ShowAndCheckDescribeTheBudget) {
    const fs::path file = writeSmallBudget();
    const std::string onDisk = readFile(file);
    const Outcome r = run({"show", file.string(), "--password", "secret"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part :
         {"\"fichier\": \"Budget.ini\"", "\"nNbJoursMois\": 28", "\"nTotal\": \"7200.00\"",
          "\"nMontant\": \"-600.00\"", "\"nMontant\": \"0.10\"", "\"nSolde\": \"-599.90\"",
          R"("cLibelle": "Café \"noir\" \\ x\u0009y")", "\"cLibelle\": \"Prêt\"",
          "\"nMontant\": \"-123.45\"", "\"nJour\": 31", "\"lCaOContCellsGraphe\": true",
          "\"lRTDRetailLigEns\": false", "\"OptGrilleOpcPolice\": \"MS Sans Serif\""})
        EXPECT_TRUE(holds(r.out, part)) << part;
    // Byte for byte: where a collection opens, between its records and inside a later one,
    // where it closes, and an empty one.
    for (const char* layout :
         {"\n  \"Operations\": [\n    {\n      \"nSelect\": 1,\n      \"cDate\": \"15/03/2024\",\n",
          "\n      \"nSolde\": \"-600.00\"\n    },\n    {\n      \"nSelect\": 0,\n",
          "\n      \"cLibelle\": \"Caf\xC3\xA9 \\\"noir\\\" \\\\ x\\u0009y\",\n      \"nSolde\": "
          "\"-599.90\"\n    },\n",
          "\n      \"nSolde\": \"1900.10\"\n    }\n  ],\n",
          "\n  \"Economies\": [],\n  \"Simulations\": [\n    {\n"})
        EXPECT_TRUE(holds(r.out, layout)) << layout;
    // The settings come whole and in file order, after the collections.
    const auto first = r.out.find("\"nCoulToutesGrillesETFond\"");
    const auto last = r.out.find("\"ConfigOnglets2nOnglet3\"");
    EXPECT_LT(r.out.find("\"Simulations\""), first);
    EXPECT_LT(first, last);
    EXPECT_EQ(readFile(file), onDisk);

    const Outcome sorted = run({"show", file.string(), "--sort", "--password", "SECRET"});
    const auto at = [&](const char* part) { return sorted.out.find(part); };
    EXPECT_LT(at("01/03/2024"), at("05/03/2024"));
    EXPECT_LT(at("05/03/2024"), at("15/03/2024"));
    EXPECT_TRUE(holds(sorted.out, "\"nSolde\": \"2500.10\""));

    const Outcome checked = run({"check", file.string(), "--password", "secret"});
    EXPECT_EQ(checked.status, 0) << checked.err;
    EXPECT_EQ(checked.out, "Budget.ini : 2 types, 3 opérations, 0 économie, 1 simulation, "
                           "solde final 1900.10\n");
}

// Texts are escaped and converted eight bytes at a time when none of them needs it: every
// byte that does is tried at every place of labels of every length around a word.
TEST_F(Cli, ShowEscapesEveryByteThatNeedsItWhereverItLies) {
    const std::string specials = "\"\\\x01\t\x1F\x7F\x80\x9C\xE9";
    // What JSON wants of a Windows-1252 label, one byte after the other.
    const auto reference = [](const std::string& label) {
        std::string json;
        for (const char c : label) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                json += {'\\', c};
            } else if (u < 0x20 || u == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", u);
                json += escape;
            } else {
                json += varnelle::win1252ToUtf8(std::string(1, c));
            }
        }
        return json;
    };
    std::string lines = "[OPERATIONS]\n";
    std::vector<std::string> labels;
    const auto add = [&](const std::string& label) {
        labels.push_back(label);
        lines += "cDate" + std::to_string(labels.size()) + "=01/01/2024\ncLibelle" +
                 std::to_string(labels.size()) + "=" + label + "\n";
    };
    for (std::size_t length = 1; length <= 18; ++length)
        for (std::size_t at = 0; at < length; ++at)
            for (const char special : specials) {
                // Between two letters, so that the reader trims no blank and strips no quote.
                std::string label = "<" + std::string(length, 'a') + ">";
                label[1 + at] = special;
                add(label);
            }
    // Texts of one and two bytes, which are read in pieces smaller than a word.
    for (const char special : specials)
        if (special != '\t')
            for (const std::string& label :
                 {std::string(1, special), std::string{special, 'a'}, std::string{'a', special}})
                add(label);
    const fs::path file =
        writeBudget("SECRET", "nNbOperations=" + std::to_string(labels.size()) + "\n" + lines);
    const Outcome r = run({"show", file.string(), "--password", "SECRET"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::size_t from = 0;
    for (const std::string& label : labels) {
        const std::string expected = "\"cLibelle\": \"" + reference(label) + "\"";
        const std::size_t at = r.out.find(expected, from);
        ASSERT_NE(at, std::string::npos) << expected;
        from = at + expected.size();
    }
}

TEST_F(Cli, FailuresExitWithTheirStatus) {
    const std::string file = writeSmallBudget().string();
    const std::string absent = (folder_ / "absent.ini").string();
    const struct {
        std::vector<std::string> args;
        int status;
        std::string firstLine;
    } cases[] = {
        {{"show", file, "--password", "SECRETS"},
         1,
         "Mot de passe de la base de données 'Budget.ini' invalide !!!"},
        {{"check", file, "--password", "secret", "--sort"},
         1,
         "Option inconnue pour check : --sort"},
        {{"show", file}, 1, "L'option --password est obligatoire pour show."},
        {{"show", file, "--sort=oui", "--password", "SECRET"},
         1,
         "L'option --sort ne prend pas de valeur."},
        // An unknown option is told before any other fault, wherever it stands.
        {{"show", file, "--sort=1", "-p", "SECRET"}, 1, "Option inconnue pour show : -p"},
        {{"check", file, "--password"}, 1, "L'option --password demande une valeur."},
        {{"delete", file}, 1, "Commande inconnue : delete"},
        {{"show", absent, "--password", "p"}, 2, "Le fichier " + absent + " est introuvable."},
        {{"list", absent}, 2, "Ne peut lire le dossier " + absent},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_EQ(r.out, "");
    }
    const std::string damaged = writeBudget("P", "nNbOperations=99999999\n").string();
    const Outcome r = run({"check", damaged, "--password", "p"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Le fichier " + damaged +
                         " est endommagé : le nombre d'enregistrements d'une liste y est "
                         "illisible ou dépasse 1000000.\n");

    // Without the helper that draws, a chart is refused with the reason, before any password
    // is asked for; the other commands need no helper.
    const fs::path alone = root_ / "seul" / "varnelle-cli";
    fs::create_directories(alone.parent_path());
    fs::copy_file(VARNELLE_CLI_PATH, alone);
    const fs::path budget = writeSmallBudget();
    const Outcome chart =
        runProgram(alone.string(), {"chart", budget.string(), "--kind", "types", "--size", "20x20",
                                    "--output", (root_ / "x.png").string()});
    EXPECT_EQ(chart.status, 2);
    EXPECT_TRUE(holds(chart.err, "Ne peut lancer varnelle-cli-documents : ")) << chart.err;
    EXPECT_EQ(runProgram(alone.string(), {"check", budget.string(), "--password", "SECRET"}).status,
              0);

    // Options before the file, the last of a repeated one kept, "--" ending them, and a value
    // that looks like an option.
    EXPECT_EQ(run({"check", "--password=x", "--password", "SECRET", "--", budget.string()}).status,
              0);
    ASSERT_EQ(run({"new", folder_.string(), "Tiret", "--password=--sort"}).status, 0);
    const Outcome dashed = run({"check", (folder_ / "Tiret.ini").string(), "--password", "--sort"});
    EXPECT_EQ(dashed.status, 0) << dashed.err;
}

TEST_F(Cli, ChartDrawsThePeriodInTheBudgetColours) {
    const std::string file = writeChartBudget().string();
    const std::string png = (root_ / "graphe.png").string();
    const auto chart = [&](const std::string& kind, std::vector<std::string> period) {
        std::vector<std::string> args{"chart",  file,      "--password=secret", "--kind", kind,
                                      "--size", "520x300", "--output",          png};
        args.insert(args.end(), period.begin(), period.end());
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out + r.err, "");
        const QImage image(QString::fromStdString(png));
        EXPECT_EQ(image.size(), QSize(520, 300));
        return image;
    };

    // March alone: AAA 100 fills x 10..132 from y 10 down to the zero line at 150; over the
    // whole period, as the balance line is drawn, it would be lower.
    QImage image = chart("types", {"--from", "01/03/2024", "--to=31/03/2024"});
    EXPECT_EQ(image.pixel(1, 1), rgb(0x203040));
    EXPECT_EQ(image.pixel(70, 80), rgb(0x0000FF));
    // Balance 75 from 5 March (x 72) on, in March's colour.
    image = chart("operations", {});
    EXPECT_EQ(image.pixel(1, 1), rgb(0x102030));
    EXPECT_EQ(image.pixel(80, 133), rgb(0xFF00FF));
    // March ends at 75 (x 10..258, up to y 132), April at 575 (x 260..508, up to the top),
    // in the default colours of an even year's odd and even months.
    image = chart("soldes", {"--to", "30/04/2024"});
    EXPECT_EQ(image.pixel(100, 140), rgb(0xFFFF00));
    EXPECT_EQ(image.pixel(100, 120), rgb(0x800000));
    EXPECT_EQ(image.pixel(400, 20), rgb(0x00FF00));

    // A disk that fills up while the picture is written keeps the previous one, and no
    // stray file beside it.
    const std::string before = readFile(png);
    {
        const varnelle::test::FileSizeLimit full(2000);
        const Outcome r = run({"chart", file, "--password", "SECRET", "--kind", "operations",
                               "--size", "3000x3000", "--output", png});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Ne peut écrire dans " + png + "\n");
    }
    EXPECT_EQ(readFile(png), before);
    EXPECT_EQ(varnelle::test::folderContent(root_.path()),
              (std::vector<std::string>{"budgets", "err", "graphe.png", "out"}));
}

TEST_F(Cli, ChartRefusalsLeaveNoPicture) {
    const std::string file = writeChartBudget().string();
    const std::string png = (root_ / "graphe.png").string();
    const auto args = [&](std::vector<std::string> options) {
        std::vector<std::string> words{"chart", file, "--password", "SECRET"};
        words.insert(words.end(), options.begin(), options.end());
        return words;
    };
    const auto types = [&](std::vector<std::string> more) {
        std::vector<std::string> words{"--kind", "types", "--size", "100x80"};
        words.insert(words.end(), more.begin(), more.end());
        return args(words);
    };
    const std::string budgetOutput =
        " est un fichier de budget : choisissez un autre nom pour l'image.";
    const std::string absent = (root_ / "absent" / "g.png").string();
    const std::string ini = (folder_ / "G.INI").string();
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {types({"--output", png, "--from", "02/04/2024", "--to", "01/04/2024"}),
         "Date Initiale > Date Finale."},
        {types({"--output", png, "--to", "29/02/2024"}),
         "Aucune opération dans l'intervalle de dates."},
        {types({"--output", png, "--from", "32/13/2024"}),
         "'32/13/2024' n'est pas une date correcte (--from, jj/mm/aaaa)."},
        {args({"--kind", "bars", "--size", "100x80", "--output", png}),
         "Graphe inconnu : bars (types, operations ou soldes)."},
        {args({"--kind", "types", "--output", png}), "L'option --size est obligatoire pour chart."},
        {types({"--output", absent}), "Ne peut écrire dans " + absent},
        {types({"--output", file}), "La sortie " + file + budgetOutput},
        {types({"--output", ini}), "La sortie " + ini + budgetOutput},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 1) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_FALSE(fs::exists(png)) << c.firstLine;
    }
    for (const std::string size : {"100", "19x80", "100x10001", "100x80px"}) {
        const Outcome r = run(args({"--kind", "types", "--size", size, "--output", png}));
        EXPECT_EQ(r.status, 1) << size;
        EXPECT_TRUE(r.err.starts_with("Taille incorrecte : " + size + " ")) << r.err;
    }
}

}  // namespace

// Words of a PDF with their boxes in millimetres from the page's top-left corner, as poppler's
// pdftotext reads them.
struct Mot {
    int page;
    std::string texte;
    double x0, y0, x1;
};

std::vector<Mot> motsDuPdf(const fs::path& pdf, const fs::path& html) {
    const std::string command = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::vector<Mot> mots;
    const std::string xml = readFile(html);
    const auto nombre = [&](std::size_t from, const char* attribut) {
        const std::size_t at = xml.find(attribut, from) + std::strlen(attribut) + 2;
        return std::stod(xml.substr(at)) * 25.4 / 72;
    };
    int page = 0;
    for (std::size_t at = 0; (at = xml.find('<', at)) != std::string::npos; ++at) {
        if (xml.compare(at, 5, "<page") == 0) ++page;
        if (xml.compare(at, 5, "<word") != 0) continue;
        const std::size_t debut = xml.find('>', at) + 1;
        mots.push_back({page, xml.substr(debut, xml.find('<', debut) - debut), nombre(at, "xMin"),
                        nombre(at, "yMin"), nombre(at, "xMax")});
    }
    return mots;
}

// 70 operations: a second page begins with the 65th, under its own headings.
TEST_F(Cli, ReportsPrintTheirColumnsAtTheirPlacesInMillimetres) {
    std::string lines = "nNbTypesDep=1\nnNbOperations=70\n[TYPES_DEP]\ncTypeDep1=LOY\n"
                        "nMontant1=-60000\nnPeriodicite1=2340\n[OPERATIONS]\n";
    for (int i = 1; i <= 70; ++i) {
        const std::string n = std::to_string(i);
        lines += "cDate" + n + "=" + (i < 10 ? "0" : "") + std::to_string(1 + (i - 1) % 28) +
                 (i <= 28   ? "/01/2024\n"
                  : i <= 56 ? "/02/2024\n"
                            : "/03/2024\n");
        lines += "cTypeDep" + n + "=LOY\nnMontant" + n + "=-" + n + "00\n";
    }
    const fs::path file = writeBudget("SECRET", lines);
    const fs::path pdf = root_ / "ops.pdf";
    Outcome r = run({"report", file.string(), "--password", "secret", "--kind", "operations",
                     "--output", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<Mot> mots = motsDuPdf(pdf, root_ / "ops.html");
    const auto trouve = [&](int page, const std::string& texte) {
        for (const Mot& mot : mots)
            if (mot.page == page && mot.texte == texte) return mot;
        ADD_FAILURE() << "no " << texte << " on page " << page;
        return Mot{};
    };
    constexpr double kTolerance = 0.5;
    EXPECT_NEAR(trouve(1, "Montant").x0, 10 + 36.0, kTolerance);
    EXPECT_NEAR(trouve(1, "Montant").y0, 10, kTolerance);
    const Mot premier = trouve(1, "-1,00");  // right-aligned in its box
    EXPECT_NEAR(premier.x1, 10 + 36.0 + 17.2, kTolerance);
    EXPECT_NEAR(premier.y0, 10 + 4.2, kTolerance);
    EXPECT_NEAR(trouve(2, "Solde").x0, 10 + 118.5, kTolerance);
    EXPECT_NEAR(trouve(2, "-65,00").y0, 10 + 4.2, kTolerance);
    EXPECT_NEAR(trouve(1, "-64,00").y0, 10 + 4.2 * 64, kTolerance);

    // The rule left of "Montant" at 10 pixels a millimetre, and the blank before it.
    ASSERT_EQ(std::system(("pdftoppm -r 254 -f 1 -l 1 -png -singlefile '" + pdf.string() + "' '" +
                           (root_ / "page").string() + "'")
                              .c_str()),
              0);
    const QImage page(QString::fromStdString((root_ / "page.png").string()));
    const auto noir = [&](double mm) { return qGray(page.pixel(qRound(mm * 10), 200)) < 128; };
    EXPECT_TRUE(noir(45.0) || noir(44.9) || noir(45.1));
    EXPECT_FALSE(noir(43.0));

    r = run({"report", file.string(), "--password", "secret", "--kind", "types", "--output",
             pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    mots = motsDuPdf(pdf, root_ / "types.html");
    EXPECT_NEAR(trouve(1, "JfmAmjJasOnd").x0, 10 + 84.7, kTolerance);

    fs::remove(pdf);
    r = run({"report", writeChartBudget().string(), "--password", "secret", "--kind", "types",
             "--output", pdf.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Rien à imprimer.\n");
    EXPECT_FALSE(fs::exists(pdf));
}

// Help and version for the program and each command; the password from a file, from standard
// input, or missing; a picture in the format its name asks for.
TEST_F(Cli, HelpVersionPasswordSourcesAndPictureFormats) {
    Outcome r = run({"--version"});
    EXPECT_EQ(r.out, "varnelle-cli " VARNELLE_VERSION "\n");
    r = run({"show", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage :\n  varnelle-cli show FICHIER")) << r.out;
    EXPECT_FALSE(holds(r.out, "varnelle-cli check"));

    const std::string file = writeSmallBudget().string();
    writeFile(root_ / "mdp", "secret\r\nautre\n");
    r = run({"check", file, "--password-file", (root_ / "mdp").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"check", file, "--password-file", "-"}, "secret\n");
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"check", file}, "secret\n");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "L'option --password est obligatoire pour check.");

    const std::string jpg = (root_ / "graphe.jpg").string();
    r = run({"chart", writeChartBudget().string(), "--password", "secret", "--kind", "types",
             "--size", "200x100", "--output", jpg});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readFile(jpg).starts_with("\xFF\xD8\xFF"));  // JPEG, not PNG
    r = run({"chart", file, "--password", "secret", "--kind", "types", "--size", "200x100",
             "--output", (root_ / "graphe.gif").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("Format d'image non pris en charge")) << r.err;
}

TEST_F(Cli, ImportAddsTheStatementOnceAndWritesNothingOnATrialOrARefusal) {
    const std::string file = writeSmallBudget().string();
    const std::string before = readFile(file);
    const std::string csv = (root_ / "releve.csv").string();
    writeFile(csv, "Date;Libell\xE9;D\xE9"
                   "bit;Cr\xE9"
                   "dit\r\n01/03/2024;Caf\xE9 \"noir\" \\ x y;;0,10\r\n"
                   "20/03/2024;PRLV LOYER;600,00;\r\n21/03/2024;Avoir;;12,00\r\n");
    const std::vector<std::string> import = {"import", file,          "--password",
                                             "SECRET", "--statement", csv};

    Outcome r = run(import);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(holds(r.err, "  ligne 3 : 20/03/2024, -600.00, PRLV LOYER\n  ligne 4 : 21/03/2024, "
                             "12.00, Avoir\n"))
        << r.err;
    auto withType = import;
    withType.insert(withType.end(), {"--default-type", "LOY"});
    auto trial = withType;
    trial.push_back("--dry-run");
    r = run(trial);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(holds(r.out, "ligne 2 : ignorée, déjà dans le journal, 01/03/2024, 0.10, Café"))
        << r.out;
    EXPECT_TRUE(holds(r.out, "Essai : 2 opérations seraient ajoutées, 1 ignorée")) << r.out;
    EXPECT_EQ(readFile(file), before);

    r = run(withType);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(holds(r.out, "ligne 3 : ajoutée, 20/03/2024, -600.00, PRLV LOYER, type LOY"))
        << r.out;
    r = run({"check", file, "--password", "SECRET"});
    EXPECT_TRUE(holds(r.out, "5 opérations")) << r.out;
    const std::string after = readFile(file);
    r = run(import);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(holds(r.out, "Aucune opération ajoutée, 3 ignorées")) << r.out;
    EXPECT_EQ(readFile(file), after);

    writeFile(root_ / "bad.qif", "!Type:Bank\nD01/03/2024\nT-5\nPA\n^\nD32/03/2024\nT1\nPB\n^\n");
    r = run({"import", file, "--password", "SECRET", "--statement", (root_ / "bad.qif").string(),
             "--default-type", "LOY"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(holds(r.err, "ligne 6 : date absente ou incorrecte. Rien n'est importé.")) << r.err;
    EXPECT_EQ(readFile(file), after);
}

TEST_F(Cli, ImportReadsBothOfxVersionsAndRemembersTheirIds) {
    const std::string file = writeSmallBudget().string();
    for (const char* releve : {"releve-1x.ofx", "releve-2x.ofx"}) {
        const std::vector<std::string> import = {
            "import",         file,
            "--password",     "SECRET",
            "--default-type", "ALI",
            "--statement",    std::string(VARNELLE_EXAMPLES_DIR) + "/" + releve};
        Outcome r = run(import);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        r = run(import);
        EXPECT_TRUE(holds(r.out, "opération 1 : ignorée, déjà importée (FITID ")) << r.out;
    }
    // A transaction without its amount: refused, and the library's own complaints kept quiet.
    std::string ofx = readFile(std::string(VARNELLE_EXAMPLES_DIR) + "/releve-2x.ofx");
    ofx.erase(ofx.find("<TRNAMT>"), std::string_view("<TRNAMT>-42.50</TRNAMT>").size());
    writeFile(root_ / "bad.ofx", ofx);
    const std::string before = readFile(file);
    Outcome r = run({"import", file, "--password", "SECRET", "--statement",
                     (root_ / "bad.ofx").string(), "--default-type", "ALI"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Relevé " + (root_ / "bad.ofx").string() +
                         " refusé : ce n'est pas un relevé OFX lisible. Rien n'est importé.\n");
    EXPECT_EQ(readFile(file), before);

    r = run({"show", file, "--password", "SECRET"});
    for (const char* libelle : {"Café du marché", "Boulangerie Émile", "\"-42.50\""})
        EXPECT_TRUE(holds(r.out, libelle)) << libelle;
    r = run({"check", file, "--password", "SECRET"});
    EXPECT_TRUE(holds(r.out, "8 opérations")) << r.out;
}
