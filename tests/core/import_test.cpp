#include <gtest/gtest.h>

#include "core/import/csv_reader.h"
#include "core/import/import_plan.h"
#include "core/import/qif_reader.h"
#include "core/model/history.h"
#include "core/storage/data_file.h"
#include "records.h"
#include "temp_folder.h"

namespace varnelle {
namespace {

using C = CodeErreurReleve;

struct Lecture {
    const char* nom;
    bool qif;
    std::string octets;
    std::vector<LigneReleve> lignes;  // expected, when no error
    std::optional<ErreurReleve> erreur;
};

// Amounts in hundredths, as the readers make them.
LigneReleve ligne(std::size_t numero, const char* date, std::int32_t centimes,
                  const char* libelle) {
    return {numero, date, fromHundredths(centimes), libelle, ""};
}

TEST(Import, ReadersGiveTheLinesOrTheFirstFault) {
    const std::vector<Lecture> cas = {
        {"utf8 with a preamble, quotes and grouped digits",
         false,
         "\xEF\xBB\xBF"
         "Compte;123\r\n\r\nDate;Libell\xC3\xA9;Montant\r\n01/03/2024;VIR SALAIRE;1\xC2\xA0"
         "850,00\r\n5/3/24;\"CAF\xC3\x89 \"\"LE ZINC\"\"; \";-3,2\r\n;;\r\n",
         {ligne(4, "01/03/2024", 185000, "VIR SALAIRE"),
          ligne(5, "05/03/2024", -320, "CAF\xC9 \"LE ZINC\";")},
         {}},
        {"windows-1252 debit and credit",
         false,
         "date op\xE9ration;DESCRIPTION;D\xE9"
         "bit;Cr\xE9"
         "dit\n02/03/2024;Caf\xE9;12,50;\n"
         "03/03/2024;Remb;0,00;1.000,10\n04/03/2024;Avoir;-5,00;\n",
         {ligne(2, "02/03/2024", -1250, "Caf\xE9"), ligne(3, "03/03/2024", 100010, "Remb"),
          ligne(4, "04/03/2024", -500, "Avoir")},
         {}},
        {"csv day out of the calendar",
         false,
         "Date;Libelle;Montant\n01/02/2024;A;1\n31/02/2024;B;2\n",
         {},
         ErreurReleve{3, C::DateInvalide}},
        {"csv amount beyond 32-bit hundredths",
         false,
         "Date;Libelle;Montant\n01/02/2024;A;21474836,48\n",
         {},
         ErreurReleve{2, C::MontantTropGrand}},
        {"csv amount with an unclear separator",
         false,
         "Date;Libelle;Montant\n01/02/2024;A;1.230\n",
         {},
         ErreurReleve{2, C::MontantInvalide}},
        {"csv debit and credit both",
         false,
         "Date;Libelle;Debit;Credit\n01/02/2024;A;1;2\n",
         {},
         ErreurReleve{2, C::MontantAmbigu}},
        {"csv short line",
         false,
         "Date;Libelle;Montant\n01/02/2024;A\n",
         {},
         ErreurReleve{2, C::ColonneManquante}},
        {"csv open quote",
         false,
         "Date;Libelle;Montant\n01/02/2024;\"A;1\n",
         {},
         ErreurReleve{2, C::GuillemetNonFerme}},
        {"csv no header", false, "01/02/2024;A;1\n", {}, ErreurReleve{1, C::EnteteIntrouvable}},
        {"utf-16",
         false,
         "\xFF\xFE"
         "D\0a\0",
         {},
         ErreurReleve{1, C::EncodageInconnu}},
        {"byte undefined in windows-1252",
         false,
         "Date;Libelle;Montant\n01/02/2024;\x81;1\n",
         {},
         ErreurReleve{2, C::EncodageInconnu}},
        {"utf-8 beyond windows-1252",
         false,
         "Date;Libelle;Montant\n01/02/2024;\xE2\x9C\x93;1\n",
         {},
         ErreurReleve{2, C::CaractereNonGardable}},
        {"qif day first, payee or memo",
         true,
         "!Type:Bank\nD15/03/2024\nT-1,234.50\nPLOYER\nMmars\n^\nD1/4'24\nU20\nMRemb\nLcat\n^\n",
         {ligne(2, "15/03/2024", -123450, "LOYER"), ligne(7, "01/04/2024", 2000, "Remb")},
         {}},
        {"qif month first where a date tells it",
         true,
         "!Type:Bank\nD03/15/2024\nT-1\nPA\n^\nD04/01/2024\nT2\nPB\n^\n",
         {ligne(2, "15/03/2024", -100, "A"), ligne(6, "01/04/2024", 200, "B")},
         {}},
        {"qif order unclear",
         true,
         "!Type:Bank\nD03/04'24\nT-1\nPA\n^\n",
         {},
         ErreurReleve{0, C::DateAmbigue}},
        {"qif record without amount",
         true,
         "!Type:Bank\nD03/04/2024\nPA\n^\n",
         {},
         ErreurReleve{2, C::EnregistrementIncomplet}},
        {"qif record left open",
         true,
         "!Type:Bank\nD03/04/2024\nT1\nPA\n",
         {},
         ErreurReleve{2, C::EnregistrementIncomplet}},
        {"qif investment section",
         true,
         "!Type:Invst\nD03/04/2024\n",
         {},
         ErreurReleve{1, C::TypeNonGere}},
    };
    for (const Lecture& c : cas) {
        const ResultatReleve r = c.qif ? litQif(c.octets) : litCsv(c.octets, MemoireImport{});
        EXPECT_EQ(r.erreur, c.erreur) << c.nom;
        EXPECT_EQ(r.lignes, c.lignes) << c.nom;
    }
}

TEST(Import, RememberedColumnsReadAHeaderWithoutKnownNames) {
    const std::string octets = "Jour;Quoi;Combien\n02/03/2024;Pain;-1,10\n";
    EXPECT_EQ(enteteCsv(octets).champs, (std::vector<std::string>{"Jour", "Quoi", "Combien"}));
    MemoireImport m;
    ASSERT_TRUE(m.retiensColonnes("Jour;Quoi;Combien", ColonnesCsv{0, 1, 2, -1, -1}));
    EXPECT_EQ(litCsv(octets, m).lignes, std::vector{ligne(2, "02/03/2024", -110, "Pain")});
}

// Types A, B, C; one journal operation; a known id; rules and an earlier choice.
Budget budgetAvecMemoire() {
    Budget b;
    b.TypesDep = {test::type("A", 1), test::type("B", 2), test::type("C", 3)};
    TOperation o = test::operation("05/03/2024", "A", -10);
    o.cLibelle = " Cafe  du coin ";
    b.Operations = {o};
    b.Import.ajouteFitid("F1");
    b.Import.setRegles({{"cafe", "B"}, {"BOUL", "C"}, {"X", "ZZZ"}, {"Remb; \"x\"", "C"}});
    b.Import.retiensType("boulangerie  paul", "A");
    b.calculeTout();
    return b;
}

TEST(Import, PlanSkipsDuplicatesOnceEachAndProposesCodesInOrder) {
    const Budget b = budgetAvecMemoire();
    std::vector<LigneReleve> lignes = {
        ligne(1, "05/03/2024", -1000, "CAFE DU COIN"),
        ligne(2, "05/03/2024", -1000, "cafe du coin"),
        ligne(3, "06/03/2024", -400, "Cinema"),
        ligne(4, "06/03/2024", -400, "Cinema"),
        ligne(5, "06/03/2024", -400, "Cinema"),
        ligne(6, "07/03/2024", -200, "Boulangerie Paul"),
        ligne(7, "07/03/2024", -200, "X ou Y"),
        ligne(8, "07/03/2024", 0, "Rien"),
        ligne(9, "05/03/2024", -1000, "CAFE DU COI"),
    };
    lignes[2].cFitid = "F1";
    lignes[3].cFitid = "F2";
    lignes[4].cFitid = "F2";
    const PlanImport plan = prepareImport(b, lignes, "A");
    using S = StatutImport;
    using O = OrigineType;
    const std::vector<std::tuple<S, std::string, O>> attendu = {
        {S::DejaDansJournal, "", O::Aucune}, {S::AAjouter, "B", O::Regle},
        {S::DejaImportee, "", O::Aucune},    {S::AAjouter, "A", O::Defaut},
        {S::DejaImportee, "", O::Aucune},    {S::AAjouter, "A", O::ChoixPrecedent},
        {S::AAjouter, "A", O::Defaut},       {S::MontantNul, "", O::Aucune},
        {S::AAjouter, "B", O::Regle},
    };
    ASSERT_EQ(plan.lignes.size(), attendu.size());
    for (std::size_t i = 0; i < attendu.size(); ++i)
        EXPECT_EQ(
            std::tuple(plan.lignes[i].statut, plan.lignes[i].cTypeDep, plan.lignes[i].origine),
            attendu[i])
            << "line " << i + 1;
    EXPECT_EQ(prepareImport(b, {lignes[2], lignes[3]}).sansType(), std::vector<std::size_t>{1});
}

TEST(Import, AppliedPlanIsOneUndoStepAndItsMemorySurvivesTheFile) {
    Budget b = budgetAvecMemoire();
    const Budget avant = b;
    LigneReleve l = ligne(2, "01/03/2024", -725, "Pharmacie ; \"centre\"");
    l.cFitid = "F9";
    PlanImport plan = prepareImport(b, {l, ligne(3, "06/03/2024", 3000, "Remb; \"x\" OK")});
    EXPECT_FALSE(appliqueImport(b, plan)) << "a line without a code";
    EXPECT_EQ(b, avant);

    plan.lignes[0].cTypeDep = "C";
    Historique h;
    h.debut(b);
    EXPECT_EQ(appliqueImport(b, plan), 2u);
    ASSERT_TRUE(h.fin(b));
    ASSERT_EQ(b.Operations.size(), 3u);
    EXPECT_EQ(b.Operations[0].cLibelle, "Pharmacie ; \"centre\"") << "sorted in, own label";
    EXPECT_EQ(b.Operations[0].nMontant, fromHundredths(-725)) << "own amount, not the type's";
    EXPECT_EQ(b.Operations[0].nSelect, 0);
    EXPECT_EQ(toHundredths(b.Operations[2].nSolde), 3000 - 1000 - 725);
    EXPECT_EQ(toHundredths(b.TypesDep[2].nSolde), 3000 - 725);
    EXPECT_TRUE(b.Import.fitidConnu("F9"));
    EXPECT_EQ(b.Import.dernierType(" PHARMACIE ;  \"CENTRE\" "), "C");

    const test::TempFolder dossier;
    ProfileFile file;
    file.open(dossier / "b.ini");
    ASSERT_TRUE(SauveFichier(file, b));
    ProfileFile relu;
    relu.open(dossier / "b.ini");
    Budget charge;
    ChargeFichier(relu, charge);
    charge.calculeTout();
    EXPECT_EQ(charge, b);

    const Budget apres = b;
    ASSERT_TRUE(h.annule(b));
    EXPECT_EQ(b, avant);
    EXPECT_FALSE(b.Import.fitidConnu("F9"));
    ASSERT_TRUE(h.retablit(b));
    EXPECT_EQ(b, apres);
    // A change of the memory alone is a step too.
    h.debut(b);
    b.Import.setRegles({});
    EXPECT_TRUE(h.fin(b));
}

}  // namespace
}  // namespace varnelle
