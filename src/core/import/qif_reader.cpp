#include "core/import/qif_reader.h"

#include <vector>

#include "core/model/amount.h"

namespace varnelle {
namespace {

struct Enregistrement {
    std::size_t numero = 0;  // its first line
    std::size_t ligneDate = 0;
    std::string date;
    std::size_t ligneMontant = 0;
    std::string montant;
    std::string beneficiaire;
    std::string memo;
};

bool commencePar(std::string_view ligne, std::string_view debut) {
    if (ligne.size() < debut.size()) return false;
    for (std::size_t i = 0; i < debut.size(); ++i) {
        char c = ligne[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        char d = debut[i];
        if (d >= 'a' && d <= 'z') d = static_cast<char>(d - 32);
        if (c != d) return false;
    }
    return true;
}

std::string_view sansBlancs(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

ResultatReleve litQif(std::string_view octets) {
    ResultatReleve r;
    const auto refuse = [&r](std::size_t numero, CodeErreurReleve code) {
        r.lignes.clear();
        r.erreur = ErreurReleve{numero, code};
        return r;
    };
    TexteReleve t = texteReleve(octets);
    if (t.erreur) {
        r.erreur = t.erreur;
        return r;
    }
    const std::string_view texte = t.texte;

    std::vector<Enregistrement> enregistrements;
    Enregistrement courant;
    bool ouvert = false, banque = false;
    std::size_t numero = 0, debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        std::string_view l = texte.substr(debut, fin - debut);
        debut = fin + 1;
        ++numero;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        l = sansBlancs(l);
        if (l.empty()) continue;
        if (l[0] == '!') {
            if (ouvert) return refuse(numero, CodeErreurReleve::EnregistrementIncomplet);
            if (commencePar(l, "!Option:") || commencePar(l, "!Clear:")) continue;
            if (!commencePar(l, "!Type:Bank") || !sansBlancs(l.substr(10)).empty())
                return refuse(numero, CodeErreurReleve::TypeNonGere);
            banque = true;
            continue;
        }
        if (!banque) return refuse(numero, CodeErreurReleve::TypeNonGere);
        if (!ouvert) {
            courant = Enregistrement{};
            courant.numero = numero;
            ouvert = true;
        }
        const std::string_view valeur = l.substr(1);
        switch (l[0]) {
        case 'D':
            courant.date = valeur;
            courant.ligneDate = numero;
            break;
        case 'T':
            courant.montant = valeur;
            courant.ligneMontant = numero;
            break;
        case 'U':
            if (courant.ligneMontant == 0) {
                courant.montant = valeur;
                courant.ligneMontant = numero;
            }
            break;
        case 'P': courant.beneficiaire = valeur; break;
        case 'M': courant.memo = valeur; break;
        case '^':
            if (courant.ligneDate == 0 || courant.ligneMontant == 0)
                return refuse(courant.numero, CodeErreurReleve::EnregistrementIncomplet);
            enregistrements.push_back(std::move(courant));
            courant = Enregistrement{};
            ouvert = false;
            break;
        default: break;
        }
    }
    if (ouvert) return refuse(courant.numero, CodeErreurReleve::EnregistrementIncomplet);
    if (enregistrements.empty()) return refuse(0, CodeErreurReleve::FichierVide);

    // Which of the first two numbers is the day, from the dates that tell it.
    std::vector<PartiesDate> dates;
    bool jourDabord = false, moisDabord = false, apostrophe = false;
    for (const Enregistrement& e : enregistrements) {
        const auto p = partiesDate(e.date);
        if (!p) return refuse(e.ligneDate, CodeErreurReleve::DateInvalide);
        if (!p->ordreConnu) {
            jourDabord = jourDabord || p->premier > 12;
            moisDabord = moisDabord || p->second > 12;
            apostrophe = apostrophe || e.date.find('\'') != std::string::npos;
        }
        dates.push_back(*p);
    }
    if (jourDabord && moisDabord) return refuse(0, CodeErreurReleve::DateAmbigue);
    if (!jourDabord && !moisDabord && apostrophe) return refuse(0, CodeErreurReleve::DateAmbigue);

    for (std::size_t i = 0; i < enregistrements.size(); ++i) {
        const Enregistrement& e = enregistrements[i];
        const PartiesDate& p = dates[i];
        const bool inverse = moisDabord && !p.ordreConnu;
        const auto date =
            dateValide(inverse ? p.second : p.premier, inverse ? p.premier : p.second, p.annee);
        if (!date) return refuse(e.ligneDate, CodeErreurReleve::DateInvalide);
        const MontantLu m = litMontant(e.montant);
        if (m.erreur) return refuse(e.ligneMontant, *m.erreur);
        LigneReleve l;
        l.numero = e.numero;
        l.cDate = *date;
        l.nMontant = fromHundredths(m.centimes);
        l.cLibelle = libelleReleve(e.beneficiaire);
        if (l.cLibelle.empty()) l.cLibelle = libelleReleve(e.memo);
        if (l.cLibelle.empty()) return refuse(e.numero, CodeErreurReleve::LibelleManquant);
        r.lignes.push_back(std::move(l));
    }
    return r;
}

}  // namespace varnelle
