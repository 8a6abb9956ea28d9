#include "core/import/csv_reader.h"

#include <algorithm>

#include "core/model/amount.h"

namespace varnelle {
namespace {

// A header further down than this is not one: the lines above it would be read as nothing.
constexpr std::size_t kLignesAvantEnteteMax = 20;

struct Ligne {
    std::size_t numero;
    std::string_view texte;
};

std::vector<Ligne> lignes(std::string_view texte) {
    std::vector<Ligne> sortie;
    std::size_t debut = 0, numero = 1;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        std::string_view ligne = texte.substr(debut, fin - debut);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        sortie.push_back({numero++, ligne});
        debut = fin + 1;
    }
    return sortie;
}

bool blanche(std::string_view ligne) {
    return ligne.find_first_not_of(" \t") == std::string_view::npos;
}

// The fields of one line; a quoted field takes "" for a quote and may hold the separator.
std::optional<std::vector<std::string>> champs(std::string_view ligne, char separateur) {
    std::vector<std::string> sortie(1);
    bool cite = false;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        const char c = ligne[i];
        if (cite) {
            if (c != '"')
                sortie.back() += c;
            else if (i + 1 < ligne.size() && ligne[i + 1] == '"')
                sortie.back() += ligne[++i];
            else
                cite = false;
        } else if (c == separateur) {
            sortie.emplace_back();
        } else if (c == '"' && blanche(sortie.back())) {
            sortie.back().clear();
            cite = true;
        } else {
            sortie.back() += c;
        }
    }
    if (cite) return std::nullopt;
    return sortie;
}

char separateurDe(std::string_view ligne) {
    if (ligne.find(';') != std::string_view::npos) return ';';
    if (ligne.find('\t') != std::string_view::npos) return '\t';
    return ',';
}

// A column name in capitals without the accents of E.
std::string nomColonne(std::string_view nom) {
    std::string n = libelleNormalise(nom);
    for (char& c : n) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0xC8 && u <= 0xCB) c = 'E';
    }
    return n;
}

bool commencePar(const std::string& nom, std::string_view mot) {
    return nom.starts_with(mot) && (nom.size() == mot.size() || nom[mot.size()] == ' ' ||
                                    nom[mot.size()] == '(' || nom[mot.size()] == '.');
}

ColonnesCsv colonnesParNoms(const std::vector<std::string>& noms) {
    ColonnesCsv c;
    for (std::size_t i = 0; i < noms.size(); ++i) {
        const std::string nom = nomColonne(noms[i]);
        const int col = static_cast<int>(i);
        if (c.date < 0 && commencePar(nom, "DATE"))
            c.date = col;
        else if (c.libelle < 0 && (commencePar(nom, "LIBELLE") || commencePar(nom, "DESCRIPTION")))
            c.libelle = col;
        else if (c.montant < 0 && commencePar(nom, "MONTANT"))
            c.montant = col;
        else if (c.debit < 0 && commencePar(nom, "DEBIT"))
            c.debit = col;
        else if (c.credit < 0 && commencePar(nom, "CREDIT"))
            c.credit = col;
    }
    if (c.montant >= 0) c.debit = c.credit = -1;
    return c;
}

// The statement's text and its header, found by names or by the memory.
struct Ouvert {
    std::string texte;
    EnteteCsv entete;
};

Ouvert ouvre(std::string_view octets, const MemoireImport* memoire) {
    Ouvert o;
    TexteReleve t = texteReleve(octets);
    if (t.erreur) {
        o.entete.erreur = t.erreur;
        return o;
    }
    o.texte = std::move(t.texte);
    std::optional<EnteteCsv> premiere;
    std::size_t vues = 0;
    for (const Ligne& ligne : lignes(o.texte)) {
        if (blanche(ligne.texte)) continue;
        if (++vues > kLignesAvantEnteteMax) break;
        EnteteCsv e;
        e.numero = ligne.numero;
        e.texte = ligne.texte;
        e.separateur = separateurDe(ligne.texte);
        auto noms = champs(ligne.texte, e.separateur);
        if (!noms) {
            if (!premiere) {
                e.erreur = ErreurReleve{ligne.numero, CodeErreurReleve::GuillemetNonFerme};
                premiere = e;
            }
            continue;
        }
        e.champs = std::move(*noms);
        const ColonnesCsv* connues = memoire ? memoire->colonnes(e.texte) : nullptr;
        e.colonnes = connues ? *connues : colonnesParNoms(e.champs);
        if (e.colonnes.complete()) {
            o.entete = std::move(e);
            return o;
        }
        if (!premiere) premiere = std::move(e);
    }
    if (premiere)
        o.entete = std::move(*premiere);
    else
        o.entete.erreur = ErreurReleve{0, CodeErreurReleve::FichierVide};
    return o;
}

// The amount of a debit or credit field: nothing when it is empty or zero.
std::optional<MontantLu> partie(const std::string& champ) {
    if (blanche(champ)) return std::nullopt;
    MontantLu m = litMontant(champ);
    if (!m.erreur && m.centimes == 0) return std::nullopt;
    return m;
}

ResultatReleve litLignes(const Ouvert& o, const ColonnesCsv& c) {
    ResultatReleve r;
    const auto refuse = [&r](std::size_t numero, CodeErreurReleve code) {
        r.lignes.clear();
        r.erreur = ErreurReleve{numero, code};
        return r;
    };
    if (o.entete.erreur) {
        r.erreur = o.entete.erreur;
        return r;
    }
    if (!c.complete()) return refuse(o.entete.numero, CodeErreurReleve::EnteteIntrouvable);
    const int derniere = std::max({c.date, c.libelle, c.montant, c.debit, c.credit});
    for (const Ligne& ligne : lignes(o.texte)) {
        if (ligne.numero <= o.entete.numero || blanche(ligne.texte)) continue;
        const auto f = champs(ligne.texte, o.entete.separateur);
        if (!f) return refuse(ligne.numero, CodeErreurReleve::GuillemetNonFerme);
        if (std::all_of(f->begin(), f->end(), [](const std::string& x) { return blanche(x); }))
            continue;
        if (static_cast<int>(f->size()) <= derniere)
            return refuse(ligne.numero, CodeErreurReleve::ColonneManquante);
        const auto champ = [&f](int col) -> const std::string& {
            return (*f)[static_cast<std::size_t>(col)];
        };
        LigneReleve l;
        l.numero = ligne.numero;
        const auto parties = partiesDate(champ(c.date));
        const auto date =
            parties ? dateValide(parties->premier, parties->second, parties->annee) : std::nullopt;
        if (!date) return refuse(ligne.numero, CodeErreurReleve::DateInvalide);
        l.cDate = *date;
        l.cLibelle = libelleReleve(champ(c.libelle));
        if (l.cLibelle.empty()) return refuse(ligne.numero, CodeErreurReleve::LibelleManquant);
        std::int32_t centimes = 0;
        if (c.montant >= 0) {
            const MontantLu m = litMontant(champ(c.montant));
            if (m.erreur) return refuse(ligne.numero, *m.erreur);
            centimes = m.centimes;
        } else {
            const auto debit = c.debit >= 0 ? partie(champ(c.debit)) : std::nullopt;
            const auto credit = c.credit >= 0 ? partie(champ(c.credit)) : std::nullopt;
            for (const auto& m : {debit, credit})
                if (m && m->erreur) return refuse(ligne.numero, *m->erreur);
            if (debit && credit) return refuse(ligne.numero, CodeErreurReleve::MontantAmbigu);
            // A debit is money out, whether the bank writes it with a minus or not.
            if (debit) centimes = debit->centimes > 0 ? -debit->centimes : debit->centimes;
            if (credit) centimes = credit->centimes;
        }
        l.nMontant = fromHundredths(centimes);
        r.lignes.push_back(std::move(l));
    }
    if (r.lignes.empty()) return refuse(0, CodeErreurReleve::FichierVide);
    return r;
}

}  // namespace

EnteteCsv enteteCsv(std::string_view octets) {
    return ouvre(octets, nullptr).entete;
}

ResultatReleve litCsv(std::string_view octets, const ColonnesCsv& colonnes) {
    Ouvert o = ouvre(octets, nullptr);
    // The given columns apply to the first line that is not blank when no line names them.
    return litLignes(o, colonnes);
}

ResultatReleve litCsv(std::string_view octets, const MemoireImport& memoire) {
    const Ouvert o = ouvre(octets, &memoire);
    return litLignes(o, o.entete.colonnes);
}

}  // namespace varnelle
