#include "core/drawing/recap_calendar_cells.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/drawing/bar_chart.h"
#include "core/model/amount.h"
#include "core/model/locale_facts.h"

namespace varnelle {

namespace {

// Below this size a cell has no room for the margins of its drawing.
constexpr int kTailleMin = 10;
// Margin of the recap's chart inside its cell.
constexpr int kMargeRecap = 5;

struct CouleursRecap {
    Couleur fond, legende, impair, pair;
};

CouleursRecap couleursRecap(bool ligneImpaire, const TParam& p) {
    if (ligneImpaire)
        return {p.nCoulGrapheRTDTIFon, p.nCoulGrapheRTDTILeg, p.nCoulGrapheRTDTIMI,
                p.nCoulGrapheRTDTIMP};
    return {p.nCoulGrapheRTDTPFon, p.nCoulGrapheRTDTPLeg, p.nCoulGrapheRTDTPMI,
            p.nCoulGrapheRTDTPMP};
}

std::string deuxDecimales(Montant v) {
    return formatDeuxDecimales(v, localeFacts().separateurDecimal);
}

void ajouteGrapheRecap(Drawing& drawing, int width, int height, const TextMetrics& metrics,
                       const TRecapAnnee& annee, const CouleursRecap& couleurs) {
    GrapheBarres graphe;
    graphe.fond = couleurs.fond;
    graphe.legende = couleurs.legende;
    graphe.couleurs = {couleurs.impair, couleurs.pair};
    graphe.lignes = {legendeMois('X')};
    graphe.marge = kMargeRecap;
    graphe.maximum = annee.nMaxMois;
    graphe.barres.reserve(12);
    for (int mois = 1; mois <= 12; ++mois)
        graphe.barres.push_back({annee.nSommeMois[static_cast<std::size_t>(mois - 1)],
                                 {NomMois(mois)},
                                 couleurParParite(mois)});
    ajouteBarres(drawing, width, height, metrics, graphe);
}

void ajouteTableauRecap(Drawing& drawing, int width, int height, const TextMetrics& metrics,
                        const TRecapAnnee& annee, const CouleursRecap& couleurs) {
    const long double cw = width / 3.0L;
    const long double rh = height * 0.25L;
    const long double dy = (rh - metrics.height()) * 0.5L;
    const int sixieme = width / 6;
    const std::size_t km = metrics.width("XXXXXXXXX") < sixieme ? 9
                           : metrics.width("XXXX") < sixieme    ? 4
                                                                : 2;
    for (int mois = 1; mois <= 12; ++mois) {
        const int c = (mois - 1) / 4;
        const int r = (mois - 1) % 4;
        const int y = roundHalfEven(r * rh + dy);
        drawing.primitives.emplace_back(Text{1 + roundHalfEven(c * cw), y,
                                             NomMois(mois).substr(0, km), couleurs.legende,
                                             couleurs.fond});
        const Montant v = annee.nSommeMois[static_cast<std::size_t>(mois - 1)];
        if (v == 0) continue;
        const std::string s = deuxDecimales(v);
        const int tw = metrics.width(s);
        if (roundHalfEven(cw) - 4 > tw)
            drawing.primitives.emplace_back(Text{1 + roundHalfEven((c + 1) * cw) - tw - 4, y, s,
                                                 mois % 2 != 0 ? couleurs.impair : couleurs.pair,
                                                 couleurs.fond});
    }
    for (int j = 1; j <= 3; ++j) {
        const int y = roundHalfEven(j * rh);
        drawing.primitives.emplace_back(Line{1, y, width - 2, y, couleurs.legende});
    }
    for (int j = 1; j <= 2; ++j) {
        const int x = -1 + roundHalfEven(j * cw);
        drawing.primitives.emplace_back(Line{x, 2, x, height - 1, couleurs.legende});
    }
}

}  // namespace

Drawing DessineCelluleRecap(int width, int height, const TextMetrics& metrics,
                            const TRecapAnnee* annee, bool ligneImpaire, const TParam& param) {
    const CouleursRecap couleurs = couleursRecap(ligneImpaire, param);
    Drawing drawing;
    drawing.primitives.emplace_back(
        Rect{-1, 0, width, height + 1, param.nCoulToutesGrillesBordures, couleurs.fond});
    if (annee == nullptr || !(annee->nMaxMois > 0) || width < kTailleMin || height < kTailleMin)
        return drawing;
    if (annee->lGraphe)
        ajouteGrapheRecap(drawing, width, height, metrics, *annee, couleurs);
    else
        ajouteTableauRecap(drawing, width, height, metrics, *annee, couleurs);
    return drawing;
}

Drawing DessineCelluleCalendOp(int width, int height, const TextMetrics& metrics,
                               const CalendOp& calendrier, std::size_t i, int jour,
                               int hauteurLigne, const TParam& param, int yMin, int yMax) {
    const TCalendOp& mois = calendrier.mois[i];
    const Couleur fond = mois.nMois % 2 != 0 ? param.nCoulGrilleCOMsImp : param.nCoulGrilleCOMsPai;
    Drawing drawing;
    drawing.primitives.emplace_back(
        Rect{-1, -1, width, height, param.nCoulToutesGrillesBordures, fond});
    const int n = mois.nNbOpJour[static_cast<std::size_t>(jour)];
    if (n == 0 || width < kTailleMin || height < kTailleMin || hauteurLigne <= 0) return drawing;

    // Lines k (from 0) cover k * hauteurLigne .. (k + 1) * hauteurLigne - 1.
    const int premiere = std::max(0, yMin / hauteurLigne);
    const int fin = std::min(n, yMax <= 0 ? 0 : (yMax - 1) / hauteurLigne + 1);
    const auto legende = [&](const TOpJour& op) {
        return op.nSelect == 1 ? param.nCoulGrilleCOOpCLeg : param.nCoulGrilleCOOpDLeg;
    };
    const auto valeur = [&](const TOpJour& op) {
        return op.nSelect == 1 ? param.nCoulGrilleCOOpCVal : param.nCoulGrilleCOOpDVal;
    };

    if (mois.lGrapheJour[static_cast<std::size_t>(jour)] && n > 1) {
        Montant m = 0;
        for (int k = 0; k < n; ++k)
            m = std::max(m, std::abs(calendrier.operation(i, jour, k).nMontant));
        const int moitie = width / 2;
        // A day whose amounts are all 0 has bars of no length.
        const long double echelle = m > 0 ? (moitie - 2) / m : 0.0L;
        for (int k = premiere; k < fin; ++k) {
            const TOpJour& op = calendrier.operation(i, jour, k);
            const int y = k * hauteurLigne;
            const int bas = (k + 1) * hauteurLigne - 2;
            const int longueur = roundHalfEven(op.nMontant * echelle);
            if (op.nMontant > 0) {
                drawing.primitives.emplace_back(Text{1, y, op.cTypeDep, legende(op), fond});
                drawing.primitives.emplace_back(
                    Rect{moitie - 1, y + 1, moitie + longueur, bas, valeur(op), valeur(op)});
            } else {
                drawing.primitives.emplace_back(Text{width - 1 - metrics.width(op.cTypeDep) - 2, y,
                                                     op.cTypeDep, legende(op), fond});
                drawing.primitives.emplace_back(
                    Rect{moitie + longueur - 1, y + 1, moitie, bas, valeur(op), valeur(op)});
            }
        }
        return drawing;
    }
    for (int k = premiere; k < fin; ++k) {
        const TOpJour& op = calendrier.operation(i, jour, k);
        const int y = k * hauteurLigne;
        drawing.primitives.emplace_back(Text{1, y, op.cTypeDep, legende(op), fond});
        const std::string s = deuxDecimales(op.nMontant);
        drawing.primitives.emplace_back(
            Text{width - 1 - metrics.width(s) - 2, y, s, valeur(op), fond});
    }
    return drawing;
}

}  // namespace varnelle
