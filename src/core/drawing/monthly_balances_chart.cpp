#include "core/drawing/monthly_balances_chart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/drawing/bar_chart.h"

namespace varnelle {

Drawing DessineGrapheSoldesMensuels(int width, int height, const TextMetrics& metrics,
                                    const std::vector<TSoldeMensuel>& barres, const TParam& param) {
    GrapheBarres graphe{{},
                        param.nCoulGrapheSMFon,
                        param.nCoulGrapheSMLeg,
                        {param.nCoulGrapheSMAIMI, param.nCoulGrapheSMAIMP, param.nCoulGrapheSMAPMI,
                         param.nCoulGrapheSMAPMP},
                        {legendeMois('M'), legendeAnnee('M')}};
    long double maximum = 0;
    for (const TSoldeMensuel& barre : barres) {
        maximum = std::max({maximum, std::fabs(barre.nSoldeRef), std::fabs(barre.nSoldeAff)});
        const long long annee = std::stoll(barre.cAnnee);
        const long long mois = std::stoll(barre.cMois);
        Barre b{barre.nSoldeRef,
                {barre.cNomMois, barre.cAnnee},
                2 * couleurParParite(annee) + couleurParParite(mois)};
        if (barre.nSoldeAff != barre.nSoldeRef) b.nMontantInterieur = barre.nSoldeAff;
        graphe.barres.push_back(std::move(b));
    }
    graphe.maximum = maximum;
    return DessineGrapheBarres(width, height, metrics, graphe);
}

}  // namespace varnelle
