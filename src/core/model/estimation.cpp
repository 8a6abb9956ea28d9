#include "core/model/estimation.h"

#include <algorithm>

#include "core/model/amount.h"

namespace varnelle {
namespace {

// A month is a twelfth of the year, multiplied rather than divided.
constexpr long double kDouzieme = 1.0L / 12;

std::int32_t cumulDuMois(const Budget& budget) {
    return budget.DepJourn[kNbJoursDepJourn - 1].nCumul;
}

}  // namespace

std::optional<std::int32_t> resteCourantMois(std::string_view resteDebMois, const Budget& budget) {
    const std::optional<std::int32_t> debut = parseEntier(resteDebMois);
    if (!debut) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*debut) -
                                     static_cast<std::uint32_t>(cumulDuMois(budget)));
}

Estimation CalculeEstimation(const Budget& budget, std::string_view salaireMoyen,
                             std::int32_t nbJoursMois, char separateurDecimal) {
    // The yearly total of the outgoing types, as a positive number.
    long double depensesAn = 0;
    for (const TTypeDep& type : budget.TypesDep)
        if (type.nMontant < 0 && type.nNbMois > 0)
            depensesAn -= static_cast<long double>(type.nNbMois) * type.nMontant;

    Estimation estimation;
    estimation.totalDepensesMois = formatDeuxDecimales(depensesAn * kDouzieme, separateurDecimal);
    const std::optional<long double> salaire = parseNombre(salaireMoyen);
    if (!salaire) return estimation;

    estimation.salaireLu = true;
    const long double salaireAn = 12 * *salaire;
    const long double resteMois = (salaireAn - depensesAn) * kDouzieme;
    estimation.resteMois = formatDeuxDecimales(resteMois, separateurDecimal);

    // The average runs up to the last day with an amount, so days still to come do not
    // lower it; a count beyond the 31 rows stops at the last one.
    std::int32_t jour = std::min<std::int32_t>(nbJoursMois, kNbJoursDepJourn);
    while (jour > 0 && budget.DepJourn[static_cast<std::size_t>(jour - 1)].nMontant == 0) --jour;
    if (jour <= 0) return estimation;
    const long double moyenne = static_cast<long double>(cumulDuMois(budget)) / jour;
    const long double depensesJourn = nbJoursMois * moyenne;
    estimation.estimDepJournMois = formatDeuxDecimales(depensesJourn, separateurDecimal);
    estimation.estimResteMois = formatDeuxDecimales(resteMois - depensesJourn, separateurDecimal);
    return estimation;
}

}  // namespace varnelle
