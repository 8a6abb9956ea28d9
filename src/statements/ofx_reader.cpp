#include "statements/ofx_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <libofx/libofx.h>

namespace varnelle {
namespace {

struct Transaction {
    std::string fitid;
    std::string nom;
    std::string memo;
};

int recoit(const OfxTransactionData data, void* lu) {
    auto& transactions = *static_cast<std::vector<Transaction>*>(lu);
    transactions.push_back({data.fi_id_valid ? data.fi_id : "", data.name_valid ? data.name : "",
                            data.memo_valid ? data.memo : ""});
    return 0;
}

void silence() {
    for (int* drapeau : {&ofx_PARSER_msg, &ofx_DEBUG_msg, &ofx_DEBUG1_msg, &ofx_DEBUG2_msg,
                         &ofx_DEBUG3_msg, &ofx_DEBUG4_msg, &ofx_DEBUG5_msg, &ofx_STATUS_msg,
                         &ofx_INFO_msg, &ofx_WARNING_msg, &ofx_ERROR_msg})
        *drapeau = 0;
}

char majuscule(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// The position just after the next `balise` ("<TRNAMT>") from `debut`, whatever its case.
std::size_t apres(const std::string& texte, std::string_view balise, std::size_t debut,
                  std::size_t fin) {
    for (std::size_t i = texte.find('<', debut); i < fin && i != std::string::npos;
         i = texte.find('<', i + 1)) {
        std::size_t k = 0;
        while (k < balise.size() && i + k < texte.size() && majuscule(texte[i + k]) == balise[k])
            ++k;
        if (k == balise.size()) return i + k;
    }
    return std::string::npos;
}

// The text of an element, up to the next tag or line end, blanks around dropped.
std::string valeur(const std::string& texte, std::size_t debut) {
    std::size_t fin = texte.find_first_of("<\r\n", debut);
    if (fin == std::string::npos) fin = texte.size();
    std::string v = texte.substr(debut, fin - debut);
    v.erase(0, v.find_first_not_of(" \t"));
    v.erase(v.find_last_not_of(" \t") + 1);
    return v;
}

// The amount and the posting date of each transaction, as the file writes them.
struct Brut {
    std::string montant;
    std::string date;
};

std::vector<Brut> bruts(const std::string& texte) {
    std::vector<Brut> sortie;
    std::size_t i = 0;
    while ((i = apres(texte, "<STMTTRN>", i, texte.size())) != std::string::npos) {
        // Up to its end tag, or to the next transaction where SGML leaves it out.
        std::size_t fin = std::min(apres(texte, "<STMTTRN>", i, texte.size()),
                                   apres(texte, "</STMTTRN>", i, texte.size()));
        if (fin == std::string::npos) fin = texte.size();
        Brut b;
        if (const std::size_t m = apres(texte, "<TRNAMT>", i, fin); m != std::string::npos)
            b.montant = valeur(texte, m);
        if (const std::size_t d = apres(texte, "<DTPOSTED>", i, fin); d != std::string::npos)
            b.date = valeur(texte, d);
        sortie.push_back(std::move(b));
    }
    return sortie;
}

std::optional<std::string> dateOfx(const std::string& texte) {
    if (texte.size() < 8) return std::nullopt;
    for (std::size_t i = 0; i < 8; ++i)
        if (texte[i] < '0' || texte[i] > '9') return std::nullopt;
    return dateValide(std::stoi(texte.substr(6, 2)), std::stoi(texte.substr(4, 2)),
                      std::stoi(texte.substr(0, 4)));
}

// A label from the library's UTF-8, or from the file's own bytes when it left them as they
// were; empty when it cannot be kept.
std::optional<std::string> libelle(const std::string& texte) {
    TexteReleve t = texteReleve(texte);
    if (t.erreur) return std::nullopt;
    return libelleReleve(t.texte);
}

}  // namespace

ResultatReleve litOfx(const std::filesystem::path& fichier) {
    ResultatReleve r;
    const auto refuse = [&r](std::size_t numero, CodeErreurReleve code) {
        r.lignes.clear();
        r.erreur = ErreurReleve{numero, code};
        return r;
    };
    std::ifstream in(fichier, std::ios::binary);
    if (!in) return refuse(0, CodeErreurReleve::FormatIllisible);
    const std::string texte{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (apres(texte, "<OFX>", 0, texte.size()) == std::string::npos)
        return refuse(0, CodeErreurReleve::FormatIllisible);
    const std::vector<Brut> attendues = bruts(texte);
    if (attendues.empty()) return refuse(0, CodeErreurReleve::FichierVide);

    silence();
    std::vector<Transaction> transactions;
    const std::unique_ptr<void, int (*)(LibofxContextPtr)> contexte(libofx_get_new_context(),
                                                                    libofx_free_context);
    ofx_set_transaction_cb(contexte.get(), recoit, &transactions);
    const int statut = libofx_proc_file(contexte.get(), fichier.c_str(), OFX);
    // A transaction the library passed over would be lost without a word.
    if (statut != 0 || transactions.size() != attendues.size())
        return refuse(0, CodeErreurReleve::FormatIllisible);

    for (std::size_t i = 0; i < transactions.size(); ++i) {
        const std::size_t numero = i + 1;
        LigneReleve l;
        l.numero = numero;
        const auto date = dateOfx(attendues[i].date);
        if (!date) return refuse(numero, CodeErreurReleve::DateInvalide);
        l.cDate = *date;
        const MontantLu m = litMontant(attendues[i].montant);
        if (m.erreur) return refuse(numero, *m.erreur);
        l.nMontant = fromHundredths(m.centimes);
        const auto nom = libelle(transactions[i].nom);
        const auto memo = libelle(transactions[i].memo);
        if (!nom || !memo) return refuse(numero, CodeErreurReleve::CaractereNonGardable);
        l.cLibelle = nom->empty() ? *memo : *nom;
        if (l.cLibelle.empty()) return refuse(numero, CodeErreurReleve::LibelleManquant);
        l.cFitid = libelleReleve(transactions[i].fitid);
        r.lignes.push_back(std::move(l));
    }
    return r;
}

}  // namespace varnelle
