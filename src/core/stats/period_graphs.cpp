#include "core/stats/period_graphs.h"

#include <optional>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/stats/period.h"

namespace varnelle {

PeriodeGraphe LitPeriodeGraphe(std::string_view texteDeb, std::string_view texteFin) {
    PeriodeGraphe periode;
    const auto deb = serieDate(texteDeb);
    const auto fin = serieDate(texteFin);
    if (deb) periode.cDateDeb = texteDeb;
    if (fin) periode.cDateFin = texteFin;
    if (deb && fin && *fin < *deb) periode.resultat = ResultatPeriode::DateInitialeApresFinale;
    return periode;
}

TotauxTypesDep CalculeTotauxTD(const Budget& budget, std::string_view cDateDeb,
                               std::string_view cDateFin) {
    TotauxTypesDep totaux;
    const auto& operations = budget.Operations;
    const PlageOperations plage = PlageDansPeriode(operations, cDateDeb, cDateFin);
    // Codes are exact byte strings: the map finds the bar a linear search would.
    std::unordered_map<std::string_view, std::size_t> indices;
    const std::string* dernierCode = nullptr;
    std::size_t dernierIndice = 0;
    for (std::size_t i = plage.debut; i < plage.fin; ++i) {
        const TOperation& operation = operations[i];
        // Operations of one code often follow each other within a day.
        if (dernierCode == nullptr || operation.cTypeDep != *dernierCode) {
            const auto [it, nouveau] =
                indices.try_emplace(operation.cTypeDep, totaux.barres.size());
            if (nouveau) totaux.barres.push_back(TTD{operation.cTypeDep, 0});
            dernierCode = &operation.cTypeDep;
            dernierIndice = it->second;
        }
        totaux.barres[dernierIndice].nMontant += operation.nMontant;
    }
    if (totaux.barres.empty()) return totaux;
    std::sort(totaux.barres.begin(), totaux.barres.end(),
              [](const TTD& a, const TTD& b) { return a.cTypeDep < b.cTypeDep; });
    totaux.resultat = ResultatPeriode::Ok;
    return totaux;
}

// The first and last operations of a balance series over the period, its first day and its
// number of days; empty when the period holds no two days.
struct BornesSerie {
    std::size_t premier, dernier;
    std::int32_t date0, D;
    std::size_t nbDatees;  // the dated operations lead the journal
};

std::optional<BornesSerie> BornesDeSerie(const std::vector<TOperation>& operations,
                                         std::string_view cDateDebOp, std::string_view cDateFinOp) {
    const std::size_t nbDatees = NbOperationsDatees(operations);
    const int f = serieDate(cDateDebOp) ? PremiereOperationDepuis(operations, cDateDebOp)
                                        : (nbDatees > 0 ? 0 : -1);
    const int l = serieDate(cDateFinOp) ? DerniereOperationJusqua(operations, cDateFinOp)
                                        : static_cast<int>(nbDatees) - 1;
    if (f < 0 || l < 0) return std::nullopt;
    const auto premier = static_cast<std::size_t>(f);
    const auto dernier = static_cast<std::size_t>(l);
    const std::int32_t date0 = *serieDate(operations[premier].cDate);
    const std::int32_t D = *serieDate(operations[dernier].cDate) - date0 + 1;
    if (D <= 1) return std::nullopt;
    return BornesSerie{premier, dernier, date0, D, nbDatees};
}

SerieOperations CalculeSerieOperations(const Budget& budget, std::string_view cDateDebOp,
                                       std::string_view cDateFinOp) {
    SerieOperations serie;
    const auto& operations = budget.Operations;
    const std::optional<BornesSerie> bornes = BornesDeSerie(operations, cDateDebOp, cDateFinOp);
    if (!bornes) return serie;
    const auto [premier, dernier, date0, D, nbDatees] = *bornes;

    serie.D = D;
    serie.date0 = date0;
    serie.v.assign(static_cast<std::size_t>(D), 0);
    serie.op.assign(static_cast<std::size_t>(D), false);
    // One walk from the first operation of day 1: the operations of a day are consecutive,
    // and each day's balance is the one of its last operation.
    std::size_t p = premier;
    const std::string* texte = nullptr;
    std::int32_t jourP = 0;
    const auto jourDe = [&](std::size_t i) {
        if (texte == nullptr || operations[i].cDate != *texte) {
            texte = &operations[i].cDate;
            jourP = *serieDate(*texte);
        }
        return jourP;
    };
    Montant precedent = 0;
    for (std::int32_t d = 0; d < D; ++d) {
        const std::int32_t jour = date0 + d;
        while (p < nbDatees && jourDe(p) < jour) ++p;
        const auto k = static_cast<std::size_t>(d);
        if (p < nbDatees && jourDe(p) == jour) {
            while (p + 1 < nbDatees && operations[p + 1].cDate == operations[p].cDate) ++p;
            serie.v[k] = operations[p].nSolde;
            serie.op[k] = true;
            ++p;
        } else {
            serie.v[k] = precedent;
        }
        precedent = serie.v[k];
        serie.m = std::max(serie.m, std::fabs(serie.v[k]));
    }
    serie.resultat = ResultatPeriode::Ok;
    return serie;
}

SerieJours CalculeSerieJours(const Budget& budget, std::string_view cDateDebOp,
                             std::string_view cDateFinOp) {
    SerieJours serie;
    const auto& operations = budget.Operations;
    const std::optional<BornesSerie> bornes = BornesDeSerie(operations, cDateDebOp, cDateFinOp);
    if (!bornes) return serie;
    const auto [premier, dernier, date0, D, nbDatees] = *bornes;

    serie.D = D;
    serie.date0 = date0;
    // Each day's balance is the one of its last operation, as in the day-by-day walk.
    std::size_t p = premier;
    while (p < nbDatees) {
        const std::int32_t d = *serieDate(operations[p].cDate) - date0;
        if (d >= D) break;
        while (p + 1 < nbDatees && operations[p + 1].cDate == operations[p].cDate) ++p;
        serie.jours.push_back({d, operations[p].nSolde, true});
        serie.m = std::max(serie.m, std::fabs(operations[p].nSolde));
        ++p;
        while (p < nbDatees && *serieDate(operations[p].cDate) - date0 == d) ++p;
    }
    serie.resultat = ResultatPeriode::Ok;
    return serie;
}

SerieJours SerieJoursDe(const SerieOperations& serie) {
    SerieJours jours;
    jours.resultat = serie.resultat;
    jours.D = static_cast<std::int32_t>(std::min(serie.v.size(), serie.op.size()));
    jours.date0 = serie.date0;
    jours.m = serie.m;
    for (std::int32_t d = 0; d < jours.D; ++d) {
        const auto k = static_cast<std::size_t>(d);
        if (d == 0 || serie.op[k] || serie.v[k] != serie.v[k - 1])
            jours.jours.push_back({d, serie.v[k], serie.op[k]});
    }
    return jours;
}

PeriodeSegment PeriodeDuSegment(const Budget& budget, const SerieOperations& serie,
                                std::int32_t j) {
    return PeriodeDuSegment(budget, serie.date0, j);
}

PeriodeSegment PeriodeDuSegment(const Budget& budget, std::int32_t date0, std::int32_t j) {
    PeriodeSegment periode;
    const std::string gauche = dateText(dateFromSerial(date0 + j));
    const std::string droite = dateText(dateFromSerial(date0 + j + 1));
    const int a = DerniereOperationJusqua(budget.Operations, gauche);
    const int b = PremiereOperationDepuis(budget.Operations, droite);
    if (a >= 0) periode.cDateDeb = budget.Operations[static_cast<std::size_t>(a)].cDate;
    if (b >= 0) periode.cDateFin = budget.Operations[static_cast<std::size_t>(b)].cDate;
    return periode;
}

bool MoisImpair(std::int32_t serie) {
    return dateFromSerial(serie).month % 2 == 1;
}

}  // namespace varnelle
