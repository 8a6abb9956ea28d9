#include "core/stats/monthly_balances.h"

#include <cstdint>
#include <string>

#include "core/model/amount.h"
#include "core/model/date_text.h"
#include "core/model/locale_facts.h"
#include "core/model/text_encoding.h"
#include "core/stats/period.h"

namespace varnelle {

namespace {

void ajouteNoeud(ArbreSoldesMensuels& arbre, TInfoNoeudSoldesMensuels info, int niveau) {
    TreeNode noeud;
    noeud.level = niveau;
    noeud.tick = TickState::Unticked;
    noeud.data = static_cast<std::int64_t>(arbre.noeuds.size());
    arbre.noeuds.push_back(noeud);
    arbre.infos.push_back(std::move(info));
}

// "%-<largeur>s %11.2f", with the locale's decimal separator.
std::string texteNoeud(const std::string& nom, std::size_t largeur, Montant solde) {
    std::string texte = nom;
    if (texte.size() < largeur) texte.append(largeur - texte.size(), ' ');
    const std::string montant = formatDeuxDecimales(solde, localeFacts().separateurDecimal);
    texte += ' ';
    if (montant.size() < 11) texte.append(11 - montant.size(), ' ');
    return texte + montant;
}

}  // namespace

ArbreSoldesMensuels ConstruitArbreSoldesMensuels(const std::vector<TOperation>& operations,
                                                 std::string_view dateCourante) {
    ArbreSoldesMensuels arbre;
    const bool courante = DateValide(dateCourante);
    std::string_view derniereAnnee, dernierMois;
    std::optional<std::size_t> anneeCourante;
    for (const TOperation& operation : operations) {
        // Characters 7-10 and 4-5 of a text that is no date are no year and month.
        if (!DateValide(operation.cDate)) continue;
        const std::string_view annee = partieAnnee(operation.cDate);
        const std::string_view mois = partieMois(operation.cDate);
        if (annee != derniereAnnee) {
            ajouteNoeud(arbre, {false, std::string(annee), {}, {}, {}, 0, 0}, 0);
            dernierMois = {};
        }
        if (mois != dernierMois) {
            ajouteNoeud(arbre,
                        {false,
                         std::string(annee),
                         NomMois(*numeroMois(operation.cDate)),
                         std::string(mois),
                         {},
                         0,
                         0},
                        1);
            if (courante && partieAnnee(dateCourante) == annee &&
                partieMois(dateCourante) == mois) {
                arbre.selection = arbre.noeuds.size() - 1;
            }
        }
        TInfoNoeudSoldesMensuels& info = arbre.infos.back();
        info.cJour = std::string(operation.cDate.substr(0, 2));
        info.nSoldeRef = operation.nSolde;
        derniereAnnee = annee;
        dernierMois = mois;
    }
    if (arbre.selection) {
        // The year of the current month, and all its months, start ticked.
        std::size_t annee = *arbre.selection;
        while (arbre.noeuds[annee].level != 0) --annee;
        arbre.noeuds[annee].tick = TickState::Ticked;
        for (std::size_t i = annee + 1; i < arbre.noeuds.size() && arbre.noeuds[i].level == 1; ++i)
            arbre.noeuds[i].tick = TickState::Ticked;
    }
    return arbre;
}

bool SimulationActive(const TPSimulation& simulation) {
    return simulation.nSelect == kCoche && DateValide(simulation.cDateDeb) &&
           simulation.nMontant != 0;
}

std::optional<std::size_t> NoeudPrecedent(const ArbreSoldesMensuels& arbre, std::size_t noeud) {
    const int niveau = arbre.noeuds[noeud].level;
    for (std::size_t i = noeud; i-- > 0;)
        if (arbre.noeuds[i].level == niveau) return i;
    return std::nullopt;
}

void CalculeSoldesMensuels(ArbreSoldesMensuels& arbre, const std::vector<TPSimulation>& simulations,
                           bool avecSimulations) {
    std::vector<std::size_t> mois;
    std::vector<std::int32_t> series;  // the first day of each month, once
    for (std::size_t i = 0; i < arbre.infos.size(); ++i) {
        TInfoNoeudSoldesMensuels& info = arbre.infos[i];
        if (!info.estMois()) continue;
        info.lSimule = false;
        info.nSoldeAff = info.nSoldeRef;
        mois.push_back(i);
        series.push_back(*serieDate("01/" + info.cMois + "/" + info.cAnnee));
    }
    if (avecSimulations) {
        for (const TPSimulation& simulation : simulations) {
            if (!SimulationActive(simulation)) continue;
            const std::int32_t debut = *serieDate(simulation.cDateDeb);
            const std::optional<std::int32_t> fin = serieDate(simulation.cDateFin);
            Montant k = 0;
            for (std::size_t j = 0; j < mois.size(); ++j) {
                TInfoNoeudSoldesMensuels& info = arbre.infos[mois[j]];
                if (series[j] >= debut && (!fin || series[j] <= *fin)) {
                    info.lSimule = true;
                    ++k;
                }
                info.nSoldeAff += k * simulation.nMontant;
            }
        }
    }
    // A year shows its last month; the months follow their year in the list.
    for (std::size_t i = arbre.infos.size(); i-- > 0;)
        if (!arbre.infos[i].estMois() && i + 1 < arbre.infos.size()) {
            std::size_t dernier = i + 1;
            while (dernier + 1 < arbre.infos.size() && arbre.infos[dernier + 1].estMois())
                ++dernier;
            arbre.infos[i].nSoldeAff = arbre.infos[dernier].nSoldeAff;
        }

    for (std::size_t i = 0; i < arbre.noeuds.size(); ++i) {
        const TInfoNoeudSoldesMensuels& info = arbre.infos[i];
        TreeNode& noeud = arbre.noeuds[i];
        const std::optional<std::size_t> precedent = NoeudPrecedent(arbre, i);
        namespace img = images_arbres;
        if (!precedent)
            noeud.image = info.estMois() ? img::kMois : img::kAnnee;
        else if (arbre.infos[*precedent].nSoldeAff > info.nSoldeAff)
            noeud.image = info.estMois() ? img::kMoisEnBaisse : img::kAnneeEnBaisse;
        else
            noeud.image = info.estMois() ? img::kMoisSansBaisse : img::kAnneeSansBaisse;
        noeud.selectedImage = noeud.image + 1;
        noeud.text = info.estMois()
                         ? texteNoeud(info.lSimule ? upperWin1252(info.cNomMois) : info.cNomMois,
                                      10, info.nSoldeAff)
                         : texteNoeud(info.cAnnee, 5, info.nSoldeAff);
    }
}

std::vector<TOperation> LignesSimulationMois(const ArbreSoldesMensuels& arbre,
                                             const std::vector<TPSimulation>& simulations,
                                             std::size_t noeud, Montant& decalage) {
    const TInfoNoeudSoldesMensuels& mois = arbre.infos[noeud];
    const std::string premier = "01/" + mois.cMois + "/" + mois.cAnnee;
    std::vector<TOperation> lignes;
    for (const TPSimulation& simulation : simulations)
        if (SimulationActive(simulation) &&
            DateDansPeriode(simulation.cDateDeb, simulation.cDateFin, premier)) {
            TOperation ligne;
            ligne.cDate = mois.cJour + "/" + mois.cMois + "/" + mois.cAnnee;
            ligne.nMontant = simulation.nMontant;
            ligne.cLibelle = simulation.cLibelle;
            lignes.push_back(std::move(ligne));
        }
    const std::optional<std::size_t> precedent = NoeudPrecedent(arbre, noeud);
    decalage =
        precedent ? arbre.infos[*precedent].nSoldeAff - arbre.infos[*precedent].nSoldeRef : 0;
    return lignes;
}

void CocheMoisDeLaPeriode(ArbreSoldesMensuels& arbre, std::string_view debut,
                          std::string_view fin) {
    const std::optional<std::int32_t> premier = serieDate(debut), dernier = serieDate(fin);
    std::optional<std::size_t> annee;
    for (std::size_t i = 0; i < arbre.noeuds.size(); ++i) {
        TreeNode& noeud = arbre.noeuds[i];
        noeud.tick = TickState::Unticked;
        if (noeud.level == 0) {
            annee = i;
            continue;
        }
        const TInfoNoeudSoldesMensuels& info = arbre.infos[i];
        const std::int32_t jour1 = *serieDate("01/" + info.cMois + "/" + info.cAnnee);
        const int mois = std::stoi(info.cMois), an = std::stoi(info.cAnnee);
        const std::int32_t finMois = jour1 + JoursDansMois(mois, an) - 1;
        if ((!premier || finMois >= *premier) && (!dernier || jour1 <= *dernier)) {
            noeud.tick = TickState::Ticked;
            if (annee) arbre.noeuds[*annee].tick = TickState::Ticked;
        }
    }
}

std::vector<TSoldeMensuel> ConstruitSoldesMensuels(const ArbreSoldesMensuels& arbre) {
    std::vector<TSoldeMensuel> barres;
    bool anneeCochee = false;
    std::string annee;
    for (std::size_t i = 0; i < arbre.noeuds.size(); ++i) {
        const TreeNode& noeud = arbre.noeuds[i];
        if (noeud.level == 0) {
            anneeCochee = noeud.tick == TickState::Ticked;
            annee = noeud.text.substr(0, 4);
        } else if (anneeCochee && noeud.tick == TickState::Ticked) {
            const TInfoNoeudSoldesMensuels& info = arbre.infos[i];
            barres.push_back({i, annee, noeud.text.substr(0, 9), info.cMois, info.cJour,
                              info.nSoldeAff, info.nSoldeRef});
        }
    }
    return barres;
}

}  // namespace varnelle
