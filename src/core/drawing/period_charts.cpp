#include "core/drawing/period_charts.h"

#include <string>

#include "core/drawing/bar_chart.h"
#include "core/drawing/operations_graph.h"

namespace varnelle {
namespace {

// One bar per item, labelled with one text of the item's own cut by `coupe`, coloured by
// position.
template <class Item, class Legende>
Drawing barresParPosition(int width, int height, const TextMetrics& metrics,
                          const std::vector<Item>& items, Legende legende, CoupeLegende coupe,
                          Couleur fond, Couleur couleurLegende, Couleur impair, Couleur pair) {
    // The bars' room is kept from one drawing to the next: a chart of a hundred thousand
    // bars would otherwise have fresh pages of memory zeroed for it at every paint.
    thread_local std::vector<Barre> room;
    GrapheBarres graphe{std::move(room), fond, couleurLegende, {impair, pair}, {std::move(coupe)}};
    graphe.barres.clear();
    graphe.barres.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        graphe.barres.push_back(
            {items[i].nMontant, LignesLegende::vue(legende(items[i])), couleurParPosition(i)});
    Drawing drawing = DessineGrapheBarres(width, height, metrics, graphe);
    graphe.barres.clear();
    room = std::move(graphe.barres);
    return drawing;
}

}  // namespace

Drawing DessineGrapheTypesDep(int width, int height, const TextMetrics& metrics,
                              const std::vector<TTD>& barres, const TParam& param) {
    return barresParPosition(
        width, height, metrics, barres,
        [](const TTD& t) -> const std::string& { return t.cTypeDep; }, legendeEntiere(),
        param.nCoulGrapheTDFon, param.nCoulGrapheTDLeg, param.nCoulGrapheTDTyImp,
        param.nCoulGrapheTDTyPai);
}

Drawing DessineGrapheOperationsTypeDep(int width, int height, const TextMetrics& metrics,
                                       const std::vector<TGrapheOperations>& groupes,
                                       const TParam& param) {
    return barresParPosition(
        width, height, metrics, groupes, [](const TGrapheOperations& g) { return g.cDate; },
        legendeDate(), param.nCoulGrapheFDFon, param.nCoulGrapheFDLeg, param.nCoulGrapheFDLgImp,
        param.nCoulGrapheFDLgPai);
}

Drawing DessineGrapheArbre(int width, int height, const TextMetrics& metrics,
                           const std::vector<TDetailOperations>& lignes, int niveau,
                           const TParam& param) {
    if (niveau == 0) {
        // By the month's number, so that a missing month does not shift the colours.
        GrapheBarres graphe{{},
                            param.nCoulGrapheArbreAnFon,
                            param.nCoulGrapheArbreAnLeg,
                            {param.nCoulGrapheArbreAnMsImp, param.nCoulGrapheArbreAnMsPai},
                            {legendeEntiere()}};
        for (const TDetailOperations& ligne : lignes)
            graphe.barres.push_back({ligne.nMontant,
                                     {ligne.cLibelle.substr(0, 4)},
                                     couleurParParite(std::stoi(ligne.cCle))});
        return DessineGrapheBarres(width, height, metrics, graphe);
    }
    if (niveau == 1)
        return barresParPosition(
            width, height, metrics, lignes,
            [](const TDetailOperations& l) -> const std::string& { return l.cCle; },
            legendeEntiere(), param.nCoulGrapheArbreMsFon, param.nCoulGrapheArbreMsLeg,
            param.nCoulGrapheArbreMsTDImp, param.nCoulGrapheArbreMsTDPai);
    return barresParPosition(
        width, height, metrics, lignes,
        [](const TDetailOperations& l) -> const std::string& { return l.cDate; }, legendeDate(),
        param.nCoulGrapheArbreTDFon, param.nCoulGrapheArbreTDLeg, param.nCoulGrapheArbreTDTDImp,
        param.nCoulGrapheArbreTDTDPai);
}

Drawing DessineGrapheClasseur(int width, int height, const TextMetrics& metrics,
                              const std::vector<TDetailOperations>& lignes, const TParam& param) {
    GrapheBarres graphe{{},
                        param.nCoulGrapheClasseurFon,
                        param.nCoulGrapheClasseurLeg,
                        {param.nCoulGrapheClasseurTDImp, param.nCoulGrapheClasseurTDPai},
                        {legendeDate(), legendeEntiere()}};
    for (std::size_t i = 0; i < lignes.size(); ++i)
        graphe.barres.push_back(
            {lignes[i].nMontant, {lignes[i].cDate, lignes[i].cCle}, couleurParPosition(i)});
    return DessineGrapheBarres(width, height, metrics, graphe);
}

GraphePeriode DessineGraphePeriode(GrapheDePeriode graphe, const Budget& budget,
                                   std::string_view texteDeb, std::string_view texteFin, int width,
                                   int height, const TextMetrics& metrics) {
    return DessineGraphePeriode(graphe, budget, budget.Param, texteDeb, texteFin, width, height,
                                metrics);
}

GraphePeriode DessineGraphePeriode(GrapheDePeriode graphe, const Budget& budget,
                                   const TParam& param, std::string_view texteDeb,
                                   std::string_view texteFin, int width, int height,
                                   const TextMetrics& metrics) {
    GraphePeriode resultat;
    resultat.periode = LitPeriodeGraphe(texteDeb, texteFin);
    resultat.resultat = resultat.periode.resultat;
    if (resultat.resultat != ResultatPeriode::Ok) return resultat;
    const PeriodeGraphe& p = resultat.periode;
    if (graphe == GrapheDePeriode::TypesDep) {
        const TotauxTypesDep totaux = CalculeTotauxTD(budget, p.cDateDeb, p.cDateFin);
        resultat.resultat = totaux.resultat;
        resultat.drawing = DessineGrapheTypesDep(width, height, metrics, totaux.barres, param);
    } else {
        const SerieJours serie = CalculeSerieJours(budget, p.cDateDeb, p.cDateFin);
        resultat.resultat = serie.resultat;
        resultat.drawing = DessineGrapheOperations(width, height, serie, param);
    }
    return resultat;
}

}  // namespace varnelle
