#include "core/model/date_text.h"

#include <algorithm>
#include <cstdio>

namespace varnelle {
namespace {

bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

bool lireNombre(std::string_view texte, std::size_t debut, std::size_t longueur, int& valeur) {
    valeur = 0;
    for (std::size_t i = debut; i < debut + longueur; ++i) {
        if (!estChiffre(texte[i])) return false;
        valeur = valeur * 10 + (texte[i] - '0');
    }
    return true;
}

bool estBissextile(int annee) {
    return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

// Days from 01/01/1970 in the proleptic Gregorian calendar.
std::int64_t joursDepuisEpoque(int annee, int mois, int jour) {
    const int a = annee - (mois <= 2 ? 1 : 0);
    const int ere = (a >= 0 ? a : a - 399) / 400;
    const int anneeDEre = a - ere * 400;
    const int jourDAnnee = (153 * (mois + (mois > 2 ? -3 : 9)) + 2) / 5 + jour - 1;
    const int jourDEre = anneeDEre * 365 + anneeDEre / 4 - anneeDEre / 100 + jourDAnnee;
    return static_cast<std::int64_t>(ere) * 146097 + jourDEre - 719468;
}

// 30/12/1899 counted from 01/01/1970.
constexpr std::int64_t kOrigineSerie = -25569;

}  // namespace

int daysInMonth(int mois, int annee) {
    static constexpr int kJours[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12) return 0;
    return mois == 2 && estBissextile(annee) ? 29 : kJours[mois - 1];
}

std::optional<CivilDate> parseDate(std::string_view texte) {
    if (texte.size() != 10 || texte[2] != '/' || texte[5] != '/') return std::nullopt;
    CivilDate date;
    if (!lireNombre(texte, 0, 2, date.day) || !lireNombre(texte, 3, 2, date.month) ||
        !lireNombre(texte, 6, 4, date.year))
        return std::nullopt;
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.month, date.year))
        return std::nullopt;
    return date;
}

bool DateValide(std::string_view texte) {
    return parseDate(texte).has_value();
}

std::int32_t dateSerial(const CivilDate& date) {
    return static_cast<std::int32_t>(joursDepuisEpoque(date.year, date.month, date.day) -
                                     kOrigineSerie);
}

CivilDate dateFromSerial(std::int32_t serie) {
    const std::int64_t z = serie + kOrigineSerie + 719468;
    const std::int64_t ere = (z >= 0 ? z : z - 146096) / 146097;
    const auto jourDEre = static_cast<int>(z - ere * 146097);
    const int anneeDEre = (jourDEre - jourDEre / 1460 + jourDEre / 36524 - jourDEre / 146096) / 365;
    const int jourDAnnee = jourDEre - (365 * anneeDEre + anneeDEre / 4 - anneeDEre / 100);
    const int mp = (5 * jourDAnnee + 2) / 153;
    CivilDate date;
    date.day = jourDAnnee - (153 * mp + 2) / 5 + 1;
    date.month = mp < 10 ? mp + 3 : mp - 9;
    date.year = static_cast<int>(anneeDEre + ere * 400) + (date.month <= 2 ? 1 : 0);
    return date;
}

std::string dateText(const CivilDate& date) {
    char buffer[16];
    (void)std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day % 100, date.month % 100,
                        date.year % 10000);
    return buffer;
}

namespace {

std::string_view part(std::string_view text, std::size_t position, std::size_t length) {
    if (position >= text.size()) return {};
    return text.substr(position, length);
}

std::optional<int> nombre(std::string_view digits, std::size_t length) {
    if (digits.size() != length) return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string_view partieMois(std::string_view date) {
    return part(date, 3, 2);
}

std::string_view partieAnnee(std::string_view date) {
    return part(date, 6, 4);
}

std::optional<int> numeroMois(std::string_view date) {
    return nombre(partieMois(date), 2);
}

std::optional<int> numeroAnnee(std::string_view date) {
    return nombre(partieAnnee(date), 4);
}

CivilDate ajouteMois(CivilDate date, int sens) {
    const int mois = date.year * 12 + (date.month - 1) + sens;
    date.year = mois / 12;
    date.month = mois % 12 + 1;
    date.day = std::min(date.day, daysInMonth(date.month, date.year));
    return date;
}

}  // namespace varnelle
