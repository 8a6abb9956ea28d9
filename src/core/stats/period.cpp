#include "core/stats/period.h"

#include <algorithm>

#include "core/model/date_text.h"

namespace varnelle {
namespace {

// First position in [0, n) where `avant` stops holding; `avant` is true on a prefix.
template <class Avant> std::size_t pointDePartage(std::size_t n, Avant avant) {
    std::size_t bas = 0;
    std::size_t haut = n;
    while (bas < haut) {
        const std::size_t milieu = bas + (haut - bas) / 2;
        if (avant(milieu))
            bas = milieu + 1;
        else
            haut = milieu;
    }
    return bas;
}

// Positions of the dated operations before `serie` (strictly, or up to it when `inclus`).
std::size_t partage(const std::vector<TOperation>& operations, std::size_t nbDatees,
                    std::int32_t serie, bool inclus) {
    return pointDePartage(nbDatees, [&](std::size_t i) {
        const std::int32_t s = *serieDate(operations[i].cDate);
        return inclus ? s <= serie : s < serie;
    });
}

}  // namespace

std::optional<std::int32_t> serieDate(std::string_view date) {
    const auto civile = parseDate(date);
    if (!civile) return std::nullopt;
    return dateSerial(*civile);
}

bool DateDansPeriode(std::string_view debut, std::string_view fin, std::string_view date) {
    const auto d = serieDate(debut);
    const auto f = serieDate(fin);
    if (!d && !f) return true;
    const auto jour = serieDate(date);
    if (!jour) return false;
    return (!d || *d <= *jour) && (!f || *jour <= *f);
}

int JoursDansMois(int mois, int annee) {
    return daysInMonth(mois, annee);
}

std::size_t NbOperationsDatees(const std::vector<TOperation>& operations) {
    return pointDePartage(operations.size(), [&](std::size_t i) {
        return serieDate(operations[i].cDate).has_value();
    });
}

int PremiereOperationDepuis(const std::vector<TOperation>& operations, std::string_view date) {
    const auto serie = serieDate(date);
    if (!serie) return -1;
    const std::size_t nbDatees = NbOperationsDatees(operations);
    const std::size_t p = partage(operations, nbDatees, *serie, false);
    return p < nbDatees ? static_cast<int>(p) : -1;
}

int DerniereOperationJusqua(const std::vector<TOperation>& operations, std::string_view date) {
    const auto serie = serieDate(date);
    if (!serie) return -1;
    const std::size_t nbDatees = NbOperationsDatees(operations);
    return static_cast<int>(partage(operations, nbDatees, *serie, true)) - 1;
}

PlageOperations PlageDansPeriode(const std::vector<TOperation>& operations, std::string_view debut,
                                 std::string_view fin) {
    const auto d = serieDate(debut);
    const auto f = serieDate(fin);
    if (!d && !f) return {0, operations.size()};
    const std::size_t nbDatees = NbOperationsDatees(operations);
    PlageOperations plage{0, nbDatees};
    if (d) plage.debut = partage(operations, nbDatees, *d, false);
    if (f) plage.fin = partage(operations, nbDatees, *f, true);
    if (plage.fin < plage.debut) plage.fin = plage.debut;
    return plage;
}

MoisAnneesProposes MoisAnneesDeReference(const std::vector<TOperation>& operations,
                                         std::optional<std::size_t> positionCourante,
                                         const CivilDate& aujourdhui) {
    if (!operations.empty() && positionCourante && *positionCourante < operations.size()) {
        const auto premiere = numeroAnnee(operations.front().cDate);
        const auto derniere = numeroAnnee(operations.back().cDate);
        const auto reference = parseDate(operations[*positionCourante].cDate);
        if (premiere && derniere && reference)
            return {*premiere, *derniere, reference->month, reference->year};
    }
    return {aujourdhui.year, aujourdhui.year, aujourdhui.month, aujourdhui.year};
}

}  // namespace varnelle
