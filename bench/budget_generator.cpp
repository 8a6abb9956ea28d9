#include "budget_generator.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "core/model/date_text.h"
#include "core/model/month_mask.h"
#include "core/storage/budget_folder.h"
#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"
#include "temp_folder.h"

namespace varnelle::bench {

std::uint64_t Splitmix64::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t Splitmix64::below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
}

std::int32_t Splitmix64::between(std::int32_t min, std::int32_t max) {
    const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(max) - min + 1);
    return static_cast<std::int32_t>(min + static_cast<std::int64_t>(below(span)));
}

namespace {

constexpr int kDerniereAnnee = 2025;
constexpr int kNbTypesMin = 15;
constexpr int kNbTypesMax = 200;

constexpr std::int32_t kTrimestre = bitDuMois(1) | bitDuMois(4) | bitDuMois(7) | bitDuMois(10);
constexpr std::int32_t kEte = bitDuMois(7) | bitDuMois(8);
constexpr std::int32_t kAnneeScolaire = kTousLesMois & ~kEte;
constexpr std::int32_t kHiver = bitDuMois(1) | bitDuMois(2) | bitDuMois(3) | bitDuMois(4) |
                                bitDuMois(10) | bitDuMois(11) | bitDuMois(12);

// An expense type as a household enters it, and what its operations look like. Amounts are
// hundredths; the sign of the monthly amount is the sign of the operations.
struct ModeleType {
    const char* code;
    const char* libelle;
    std::int32_t centimesMois;
    std::int32_t masque;
    int jourFixe;  // day of one operation every month, or 0 for everyday expenses
    int poids;     // share of the everyday expenses
    std::int32_t centimesMin;
    std::int32_t centimesMax;
    std::array<const char*, 3> libellesOp;
};

// The first kNbTypesMin make a small budget. "\xE9" "a" is split so that the escape stops
// before the next letter. Columns: code, label, monthly amount, months due, day of a fixed
// operation, weight, smallest and largest operation, labels of the operations.
// clang-format off
const std::array<ModeleType, 30> kModeles = {{
    {"SAL", "Salaire", 245000, kTousLesMois, 28, 0, 238000, 262000,
     {"Salaire", "Salaire du mois", "Virement employeur"}},
    {"LOY", "Loyer", -85000, kTousLesMois, 5, 0, 85000, 85000,
     {"Loyer", "Loyer et charges", "Pr\xE9l\xE8vement loyer"}},
    {"ELE", "\xC9lectricit\xE9", -8500, kTousLesMois, 10, 0, 7800, 9200,
     {"\xC9lectricit\xE9", "Mensualit\xE9 \xE9lectricit\xE9", "Facture d'\xE9lectricit\xE9"}},
    {"INT", "Internet", -3999, kTousLesMois, 12, 0, 3999, 3999,
     {"Internet", "Box internet", "Abonnement internet fibre"}},
    {"TEL", "T\xE9l\xE9phone mobile", -1999, kTousLesMois, 15, 0, 1999, 2499,
     {"Forfait mobile", "T\xE9l\xE9phone", "Forfait mobile et options"}},
    {"ASS", "Assurance habitation", -2450, kTousLesMois, 3, 0, 2450, 2450,
     {"Assurance habitation", "Assurance", "Multirisque habitation"}},
    {"MUT", "Mutuelle sant\xE9", -6500, kTousLesMois, 8, 0, 6500, 6500,
     {"Mutuelle", "Mutuelle sant\xE9 famille", "Cotisation mutuelle"}},
    {"ALI", "Alimentation", -60000, kTousLesMois, 0, 30, 250, 18000,
     {"Supermarch\xE9", "Boulangerie", "March\xE9 du samedi matin"}},
    {"ESS", "Carburant", -15000, kTousLesMois, 0, 10, 2000, 8000,
     {"Plein", "Station-service autoroute", "Gazole"}},
    {"SAN", "Sant\xE9", -4000, kTousLesMois, 0, 5, 500, 6000,
     {"Pharmacie", "Consultation m\xE9" "decin", "Dentiste"}},
    {"LOI", "Loisirs", -10000, kTousLesMois, 0, 8, 800, 9000,
     {"Cin\xE9ma", "Sortie au restaurant en famille", "Livres"}},
    {"VET", "V\xEAtements", -7000, kTousLesMois, 0, 5, 1000, 12000,
     {"V\xEAtements", "Chaussures enfants", "Soldes d'hiver"}},
    {"TRA", "Transports", -7500, kTousLesMois, 0, 6, 190, 7500,
     {"Ticket de m\xE9tro", "Train aller-retour", "Parking"}},
    {"CAD", "Cadeaux", -30000, bitDuMois(12), 0, 3, 1500, 12000,
     {"Cadeau", "Anniversaire de L\xE9" "a", "Cadeaux de No\xEBl"}},
    {"BAN", "Frais bancaires", -850, kTrimestre, 0, 2, 100, 2500,
     {"Frais bancaires", "Cotisation carte", "Commission d'intervention"}},
    {"EAU", "Eau", -3800, kTrimestre, 0, 1, 3000, 4800,
     {"Eau", "Facture d'eau", "Eau et assainissement"}},
    {"GAZ", "Gaz", -6000, kHiver, 0, 2, 3000, 11000,
     {"Gaz", "Facture de gaz", "R\xE9gularisation gaz"}},
    {"IMP", "Imp\xF4t sur le revenu", -21000, kTousLesMois, 15, 0, 21000, 21000,
     {"Pr\xE9l\xE8vement \xE0 la source", "Imp\xF4t", "Imp\xF4t sur le revenu"}},
    {"TAX", "Taxe fonci\xE8re", -98000, bitDuMois(10), 0, 1, 90000, 105000,
     {"Taxe fonci\xE8re", "Taxe", "Taxe fonci\xE8re et ordures"}},
    {"CAN", "Cantine scolaire", -9500, kAnneeScolaire, 0, 2, 4000, 11000,
     {"Cantine", "Cantine scolaire du mois", "Garderie"}},
    {"VAC", "Vacances", -120000, kEte, 0, 2, 2000, 90000,
     {"Location de vacances", "P\xE9" "age", "Camping"}},
    {"ABO", "Abonnements", -2999, kTousLesMois, 0, 3, 499, 2999,
     {"Abonnement", "Presse en ligne", "Abonnement musique"}},
    {"ANI", "Animaux", -3500, kTousLesMois, 0, 2, 900, 9000,
     {"V\xE9t\xE9rinaire", "Croquettes", "Toilettage"}},
    {"ENT", "Entretien maison", -5000, kTousLesMois, 0, 3, 300, 8000,
     {"Produits m\xE9nagers", "Droguerie", "Petit \xE9lectrom\xE9nager"}},
    {"AUT", "Assurance automobile", -6200, kTousLesMois, 0, 1, 6200, 6200,
     {"Assurance auto", "Assurance", "Assurance automobile du mois"}},
    {"BRI", "Bricolage", -4000, kTousLesMois, 0, 2, 500, 25000,
     {"Bricolage", "Magasin de bricolage", "Peinture salon"}},
    {"COI", "Coiffeur", -3000, kTousLesMois, 0, 2, 1200, 6500,
     {"Coiffeur", "Coupe enfants", "Coiffeur et soins"}},
    {"DON", "Dons", -2000, kTousLesMois, 0, 1, 500, 10000,
     {"Don", "Don association", "Qu\xEAte"}},
    {"RES", "Restaurants", -8000, kTousLesMois, 0, 4, 1200, 9500,
     {"Restaurant", "D\xE9jeuner au travail", "Pizzeria"}},
    {"SPO", "Sport", -4500, kAnneeScolaire, 0, 2, 1500, 18000,
     {"Licence de football", "Piscine", "Salle de sport"}},
}};
// clang-format on

// Words of the less common types a large budget gathers over the years.
const std::array<const char*, 8> kNatures = {"Cotisation", "Abonnement", "Achat", "Frais",
                                             "Entretien",  "Location",   "Cours", "Sortie"};
const std::array<const char*, 10> kObjets = {
    "club de sport", "piscine", "musique", "garage",  "jardin",
    "bureau",        "v\xE9lo", "bateau",  "atelier", "association du quartier"};

// One type of the budget being built, with what its operations look like.
struct TypeGenere {
    std::string code;
    std::string libelle;
    std::int32_t centimesMois = 0;
    std::int32_t masque = 0;
    int jourFixe = 0;
    int poids = 0;
    std::int32_t centimesMin = 0;
    std::int32_t centimesMax = 0;
    std::array<std::string, 3> libellesOp;
};

int nbTypesPour(int nbOperations) {
    const long long n = std::max(nbOperations, 1000) - 1000;
    return static_cast<int>(
        std::min<long long>(kNbTypesMax, kNbTypesMin + n * (kNbTypesMax - kNbTypesMin) / 99000));
}

int nbAnneesPour(int nbOperations) {
    if (nbOperations <= 2000) return 2;
    if (nbOperations <= 20000) return 4;
    return 8;
}

std::string codeInedit(Splitmix64& rng, const std::vector<TypeGenere>& types) {
    for (;;) {
        std::string code(3, 'A');
        for (char& c : code) c = static_cast<char>('A' + rng.below(26));
        const bool pris = std::any_of(types.begin(), types.end(),
                                      [&](const TypeGenere& t) { return t.code == code; }) ||
                          std::any_of(kModeles.begin(), kModeles.end(),
                                      [&](const ModeleType& m) { return code == m.code; });
        if (!pris) return code;
    }
}

std::vector<TypeGenere> genereTypes(int nbTypes, Splitmix64& rng) {
    std::vector<TypeGenere> types;
    for (int i = 0; i < nbTypes; ++i) {
        TypeGenere type;
        if (i < static_cast<int>(kModeles.size())) {
            const ModeleType& m = kModeles[static_cast<std::size_t>(i)];
            type.code = m.code;
            type.libelle = m.libelle;
            type.centimesMois = m.centimesMois;
            type.masque = m.masque;
            type.jourFixe = m.jourFixe;
            type.poids = m.poids;
            type.centimesMin = m.centimesMin;
            type.centimesMax = m.centimesMax;
            for (std::size_t k = 0; k < type.libellesOp.size(); ++k)
                type.libellesOp[k] = m.libellesOp[k];
        } else {
            type.code = codeInedit(rng, types);
            type.libelle = std::string(kNatures[rng.below(kNatures.size())]) + ' ' +
                           kObjets[rng.below(kObjets.size())];
            if (rng.oneIn(2)) type.libelle += ' ' + std::to_string(i);
            type.centimesMois = -rng.between(500, 20000);
            type.masque = rng.between(1, kTousLesMois);
            type.poids = 1;
            type.centimesMin = 100;
            type.centimesMax = -2 * type.centimesMois;
            type.libellesOp = {type.libelle, "Paiement carte", "Pr\xE9l\xE8vement " + type.code};
        }
        types.push_back(std::move(type));
    }
    return types;
}

std::string libelleOperation(const TypeGenere& type, Splitmix64& rng) {
    if (rng.oneIn(25)) return {};
    std::string libelle = type.libellesOp[rng.below(3)];
    if (rng.oneIn(4)) libelle += " n\xB0 " + std::to_string(rng.between(1, 99999));
    return libelle;
}

TOperation operation(const TypeGenere& type, const CivilDate& date, std::int32_t centimes,
                     std::string libelle, Splitmix64& rng) {
    TOperation op;
    op.nSelect = rng.oneIn(6) ? 0 : kCoche;
    op.cDate = dateText(date);
    op.cTypeDep = type.code;
    op.nMontant = fromHundredths(centimes);
    op.cLibelle = std::move(libelle);
    return op;
}

void genereOperations(Budget& budget, const std::vector<TypeGenere>& types, int nbOperations,
                      Splitmix64& rng) {
    const int nbAnnees = nbAnneesPour(nbOperations);
    const int premiereAnnee = kDerniereAnnee - nbAnnees + 1;
    const auto count = static_cast<std::size_t>(std::max(nbOperations, 0));
    budget.Operations.reserve(count);

    // The salary and the fixed bills, once a month, as long as room is left.
    for (int m = 0; m < nbAnnees * 12; ++m) {
        const int annee = premiereAnnee + m / 12;
        const int mois = m % 12 + 1;
        for (const TypeGenere& type : types) {
            if (type.jourFixe == 0 || budget.Operations.size() == count) continue;
            const CivilDate date{std::min(type.jourFixe, daysInMonth(mois, annee)), mois, annee};
            const std::int32_t centimes = rng.between(type.centimesMin, type.centimesMax);
            budget.Operations.push_back(operation(type, date,
                                                  type.centimesMois < 0 ? -centimes : centimes,
                                                  libelleOperation(type, rng), rng));
        }
    }

    std::vector<std::size_t> courants;
    std::vector<int> poidsCumules;
    int poidsTotal = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i].poids == 0) continue;
        poidsTotal += types[i].poids;
        courants.push_back(i);
        poidsCumules.push_back(poidsTotal);
    }
    while (budget.Operations.size() < count && poidsTotal > 0) {
        const int tirage = static_cast<int>(rng.below(static_cast<std::uint32_t>(poidsTotal)));
        const auto k = static_cast<std::size_t>(
            std::upper_bound(poidsCumules.begin(), poidsCumules.end(), tirage) -
            poidsCumules.begin());
        const TypeGenere& type = types[courants[k]];
        const int m = rng.between(0, nbAnnees * 12 - 1);
        const int annee = premiereAnnee + m / 12;
        const int mois = m % 12 + 1;
        const CivilDate date{rng.between(1, daysInMonth(mois, annee)), mois, annee};
        const std::int32_t centimes = rng.between(type.centimesMin, type.centimesMax);
        if (rng.oneIn(40)) {
            budget.Operations.push_back(operation(
                type, date, centimes, "Remboursement " + type.libellesOp[rng.below(3)], rng));
        } else {
            budget.Operations.push_back(
                operation(type, date, -centimes, libelleOperation(type, rng), rng));
        }
    }
}

void genereReste(Budget& budget, Splitmix64& rng) {
    for (TDepJourn& jour : budget.DepJourn) jour.nMontant = rng.oneIn(7) ? 0 : rng.between(5, 45);

    const std::array<std::pair<const char*, MontantEntier>, 6> economies = {{
        {"Livret d'\xE9pargne", 150},
        {"Vacances d'\xE9t\xE9", 80},
        {"Voiture", 100},
        {"Travaux cuisine", 50},
        {"Fonds d'urgence", 200},
        {"Cadeaux de No\xEBl", 30},
    }};
    for (const auto& [libelle, montant] : economies)
        budget.Economies.push_back({libelle, montant, 0});

    const std::string annee = std::to_string(kDerniereAnnee);
    budget.Simulations.push_back({kCoche,
                                  "Cr\xE9"
                                  "dit voiture",
                                  "01/01/" + annee, "31/12/" + std::to_string(kDerniereAnnee + 2),
                                  fromHundredths(-28500)});
    budget.Simulations.push_back({0, "Augmentation de salaire", "01/07/" + annee,
                                  "30/06/" + std::to_string(kDerniereAnnee + 3),
                                  fromHundredths(12000)});

    budget.cSalaireMoyen = "2450";
    budget.nResteDebMois = "120";
    budget.setNbJoursMois(30);
    budget.Param.FormeCoche = 2;
    budget.Param.OptGrilleOp.nZoom = 2;
    budget.Param.nCoulGrilleOpMsPai = 0x00C0FFC0;
    budget.Param.ConfigOnglets1 = {2, 1, 0};
}

}  // namespace

Budget genereBudget(int nbOperations, std::uint64_t seed) {
    Splitmix64 rng(seed);
    const std::vector<TypeGenere> types = genereTypes(nbTypesPour(nbOperations), rng);

    Budget budget;
    for (const TypeGenere& type : types) {
        TTypeDep t;
        t.cTypeDep = type.code;
        t.cLibelle = type.libelle;
        t.nMontant = fromHundredths(type.centimesMois);
        t.nPeriodicite = type.masque;
        budget.TypesDep.push_back(std::move(t));
    }
    genereOperations(budget, types, nbOperations, rng);
    genereReste(budget, rng);

    budget.TrieTypesDep();
    budget.TrieOperations();
    budget.calculeTout();
    return budget;
}

std::filesystem::path ecritFichierBudget(const std::filesystem::path& folder,
                                         const std::string& nom, const Budget& budget) {
    const NewBudgetResult cree = creeBudget(folder, nom, "secret");
    if (!cree) throw std::runtime_error("cannot create budget " + cree.path.string());
    ProfileFile file;
    if (file.open(cree.path) != ProfileFile::OpenStatus::Ok)
        throw std::runtime_error("cannot open " + cree.path.string());
    if (!SauveFichier(file, budget)) throw std::runtime_error("cannot save " + cree.path.string());
    return cree.path;
}

std::string octetsBudget(const Budget& budget) {
    const test::TempFolder folder;
    return test::readFile(ecritFichierBudget(folder.path(), "budget", budget));
}

std::string fichierBudget(int nbOperations) {
    return octetsBudget(genereBudget(nbOperations));
}

void melangeOperations(std::vector<TOperation>& operations, std::uint64_t seed) {
    Splitmix64 rng(seed);
    for (std::size_t i = operations.size(); i > 1; --i)
        std::swap(operations[i - 1], operations[rng.below(static_cast<std::uint32_t>(i))]);
}

}  // namespace varnelle::bench
