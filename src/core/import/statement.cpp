#include "core/import/statement.h"

#include "core/model/date_text.h"
#include "core/model/text_encoding.h"

namespace varnelle {
namespace {

// The longest value the data file reads back whole.
constexpr std::size_t kLongueurLibelleMax = 1023;

bool indefini1252(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::size_t ligneDe(std::string_view texte, std::size_t position) {
    std::size_t ligne = 1;
    for (std::size_t i = 0; i < position && i < texte.size(); ++i)
        if (texte[i] == '\n') ++ligne;
    return ligne;
}

// Spaces a bank puts between digit groups that Windows-1252 has no place for.
std::string espacesSimples(std::string_view utf8) {
    std::string sortie;
    sortie.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.substr(i, 3) == "\xE2\x80\xAF" || utf8.substr(i, 3) == "\xE2\x80\x87" ||
            utf8.substr(i, 3) == "\xE2\x80\x89") {
            sortie += ' ';
            i += 2;
        } else {
            sortie += utf8[i];
        }
    }
    return sortie;
}

bool chiffre(char c) {
    return c >= '0' && c <= '9';
}

// The digits of `texte` from `i` on, at least one and at most `max`.
std::optional<int> nombre(std::string_view texte, std::size_t& i, std::size_t max) {
    const std::size_t debut = i;
    int n = 0;
    while (i < texte.size() && chiffre(texte[i]) && i - debut < max)
        n = n * 10 + (texte[i++] - '0');
    if (i == debut || (i < texte.size() && chiffre(texte[i]))) return std::nullopt;
    return n;
}

}  // namespace

TexteReleve texteReleve(std::string_view octets) {
    if (octets.starts_with("\xFF\xFE") || octets.starts_with("\xFE\xFF"))
        return {{}, ErreurReleve{1, CodeErreurReleve::EncodageInconnu}};
    if (octets.starts_with("\xEF\xBB\xBF")) octets.remove_prefix(3);
    if (const std::size_t nul = octets.find('\0'); nul != std::string_view::npos)
        return {{}, ErreurReleve{ligneDe(octets, nul), CodeErreurReleve::EncodageInconnu}};
    if (isValidUtf8(octets)) {
        const std::string simple = espacesSimples(octets);
        if (std::optional<std::string> texte = utf8ToWin1252(simple))
            return {std::move(*texte), {}};
        // The first line holding a character the code page lacks.
        std::size_t debut = 0, ligne = 1;
        while (debut <= simple.size()) {
            std::size_t fin = simple.find('\n', debut);
            if (fin == std::string::npos) fin = simple.size();
            if (!utf8ToWin1252(std::string_view(simple).substr(debut, fin - debut))) break;
            debut = fin + 1;
            ++ligne;
        }
        return {{}, ErreurReleve{ligne, CodeErreurReleve::CaractereNonGardable}};
    }
    for (std::size_t i = 0; i < octets.size(); ++i)
        if (indefini1252(static_cast<unsigned char>(octets[i])))
            return {{}, ErreurReleve{ligneDe(octets, i), CodeErreurReleve::EncodageInconnu}};
    return {std::string(octets), {}};
}

std::string libelleReleve(std::string_view texte) {
    std::string libelle(texte);
    for (char& c : libelle) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || indefini1252(u)) c = ' ';
    }
    const std::size_t debut = libelle.find_first_not_of(' ');
    if (debut == std::string::npos) return {};
    libelle = libelle.substr(debut, libelle.find_last_not_of(' ') + 1 - debut);
    if (libelle.size() > kLongueurLibelleMax) libelle.resize(kLongueurLibelleMax);
    return libelle;
}

MontantLu litMontant(std::string_view texte) {
    const MontantLu invalide{0, CodeErreurReleve::MontantInvalide};
    std::string s;
    for (const char c : texte)
        if (c != ' ' && c != '\t' && static_cast<unsigned char>(c) != 0xA0) s += c;
    bool negatif = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negatif = s[0] == '-';
        s.erase(0, 1);
    }
    if (s.empty()) return invalide;
    std::size_t points = 0, virgules = 0;
    for (const char c : s) {
        if (c == '.')
            ++points;
        else if (c == ',')
            ++virgules;
        else if (!chiffre(c))
            return invalide;
    }
    // The decimal separator: the last one when both kinds appear, the only one when it
    // appears once; several of one kind alone are thousands separators.
    std::size_t decimale = std::string::npos;
    if (points > 0 && virgules > 0) {
        decimale = s.find_last_of(".,");
        if (s.find(s[decimale]) != decimale) return invalide;
    } else if (points + virgules == 1) {
        decimale = s.find_first_of(".,");
        // "1.234" could be either.
        if (s.size() - decimale - 1 == 3) return invalide;
    }
    std::int64_t centimes = 0;
    bool unChiffre = false;
    const std::size_t finEntiers = decimale == std::string::npos ? s.size() : decimale;
    for (std::size_t i = 0; i < finEntiers; ++i) {
        if (!chiffre(s[i])) continue;
        unChiffre = true;
        centimes = centimes * 10 + (s[i] - '0');
        if (centimes > (std::int64_t{1} << 40)) return {0, CodeErreurReleve::MontantTropGrand};
    }
    centimes *= 100;
    if (decimale != std::string::npos) {
        const std::string_view decimales = std::string_view(s).substr(decimale + 1);
        if (decimales.empty() && !unChiffre) return invalide;
        for (std::size_t i = 0; i < decimales.size(); ++i) {
            if (!chiffre(decimales[i])) return invalide;
            unChiffre = true;
            if (i == 0) centimes += std::int64_t{10} * (decimales[i] - '0');
            if (i == 1) centimes += decimales[i] - '0';
            if (i >= 2 && decimales[i] != '0') return invalide;
        }
    }
    if (!unChiffre) return invalide;
    if (negatif) centimes = -centimes;
    if (centimes < INT32_MIN || centimes > INT32_MAX)
        return {0, CodeErreurReleve::MontantTropGrand};
    return {static_cast<std::int32_t>(centimes), {}};
}

std::optional<PartiesDate> partiesDate(std::string_view texte) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
    const auto separateur = [&](std::size_t& i) {
        if (i < texte.size() && std::string_view("/-.'").find(texte[i]) != std::string_view::npos) {
            ++i;
            return true;
        }
        return false;
    };
    std::size_t i = 0;
    PartiesDate p;
    if (texte.size() >= 4 && chiffre(texte[0]) && chiffre(texte[1]) && chiffre(texte[2]) &&
        chiffre(texte[3])) {
        const auto annee = nombre(texte, i, 4);
        if (!annee || !separateur(i)) return std::nullopt;
        const auto mois = nombre(texte, i, 2);
        if (!mois || !separateur(i)) return std::nullopt;
        const auto jour = nombre(texte, i, 2);
        if (!jour || i != texte.size()) return std::nullopt;
        return PartiesDate{*jour, *mois, *annee, true};
    }
    const auto premier = nombre(texte, i, 2);
    if (!premier || !separateur(i)) return std::nullopt;
    const auto second = nombre(texte, i, 2);
    if (!second || !separateur(i)) return std::nullopt;
    const std::size_t debutAnnee = i;
    const auto annee = nombre(texte, i, 4);
    if (!annee || i != texte.size()) return std::nullopt;
    const std::size_t chiffresAnnee = i - debutAnnee;
    if (chiffresAnnee != 2 && chiffresAnnee != 4) return std::nullopt;
    p.premier = *premier;
    p.second = *second;
    p.annee = chiffresAnnee == 2 ? 2000 + *annee : *annee;
    return p;
}

std::optional<std::string> dateValide(int jour, int mois, int annee) {
    if (jour < 1 || jour > 31 || mois < 1 || mois > 12 || annee < 1 || annee > 9999)
        return std::nullopt;
    std::string texte = dateText(CivilDate{jour, mois, annee});
    if (!DateValide(texte)) return std::nullopt;
    return texte;
}

}  // namespace varnelle
