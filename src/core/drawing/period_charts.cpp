#include "drawing/period_charts.h"

#include "drawing/bar_chart.h"
#include "drawing/operations_graph.h"

namespace varnelle {

Drawing DessineGrapheTypesDep(int width, int height, const TextMetrics& metrics,
                              const std::vector<TTD>& barres, const TParam& param) {
    GrapheBarres graphe;
    graphe.fond = param.nCoulGrapheTDFon;
    graphe.legende = param.nCoulGrapheTDLeg;
    graphe.couleurs = {param.nCoulGrapheTDTyImp, param.nCoulGrapheTDTyPai};
    graphe.lignes = {legendeEntiere()};
    graphe.barres.reserve(barres.size());
    for (std::size_t i = 0; i < barres.size(); ++i)
        graphe.barres.push_back({barres[i].nMontant, {barres[i].cTypeDep}, couleurParPosition(i)});
    return DessineGrapheBarres(width, height, metrics, graphe);
}

Drawing DessineGrapheOperationsTypeDep(int width, int height, const TextMetrics& metrics,
                                       const std::vector<TGrapheOperations>& groupes,
                                       const TParam& param) {
    GrapheBarres graphe;
    graphe.fond = param.nCoulGrapheFDFon;
    graphe.legende = param.nCoulGrapheFDLeg;
    graphe.couleurs = {param.nCoulGrapheFDLgImp, param.nCoulGrapheFDLgPai};
    graphe.lignes = {legendeDate()};
    graphe.barres.reserve(groupes.size());
    for (std::size_t i = 0; i < groupes.size(); ++i)
        graphe.barres.push_back({groupes[i].nMontant, {groupes[i].cDate}, couleurParPosition(i)});
    return DessineGrapheBarres(width, height, metrics, graphe);
}

GraphePeriode DessineGraphePeriode(GrapheDePeriode graphe, const Budget& budget,
                                   std::string_view texteDeb, std::string_view texteFin, int width,
                                   int height, const TextMetrics& metrics) {
    GraphePeriode resultat;
    resultat.periode = LitPeriodeGraphe(texteDeb, texteFin);
    resultat.resultat = resultat.periode.resultat;
    if (resultat.resultat != ResultatPeriode::Ok) return resultat;
    const PeriodeGraphe& p = resultat.periode;
    if (graphe == GrapheDePeriode::TypesDep) {
        const TotauxTypesDep totaux = CalculeTotauxTD(budget, p.cDateDeb, p.cDateFin);
        resultat.resultat = totaux.resultat;
        resultat.drawing =
            DessineGrapheTypesDep(width, height, metrics, totaux.barres, budget.Param);
    } else {
        const SerieOperations serie = CalculeSerieOperations(budget, p.cDateDeb, p.cDateFin);
        resultat.resultat = serie.resultat;
        resultat.drawing = DessineGrapheOperations(width, height, serie, budget.Param);
    }
    return resultat;
}

}  // namespace varnelle
