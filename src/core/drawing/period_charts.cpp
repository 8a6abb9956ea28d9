#include "drawing/period_charts.h"

#include "drawing/bar_chart.h"

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

}  // namespace varnelle
