#include "core/stats/calend_op.h"

#include <algorithm>
#include <string_view>

#include "core/model/date_text.h"
#include "core/model/locale_facts.h"
#include "core/stats/period.h"

namespace varnelle {

namespace {

int jourDe(const TOperation& operation) {
    return (operation.cDate[0] - '0') * 10 + (operation.cDate[1] - '0');
}

// Calls visit(column, operation) for every dated operation in the journal's order; a new
// column starts where the year or the month changes.
template <class Visit> void parcourt(const std::vector<TOperation>& operations, Visit&& visit) {
    std::string_view derniereAnnee, dernierMois;
    std::size_t colonne = 0;
    bool premiere = true;
    for (const TOperation& operation : operations) {
        if (!DateValide(operation.cDate)) continue;
        const std::string_view annee = partieAnnee(operation.cDate);
        const std::string_view mois = partieMois(operation.cDate);
        const bool nouvelle = premiere || annee != derniereAnnee || mois != dernierMois;
        if (nouvelle && !premiere) ++colonne;
        premiere = false;
        derniereAnnee = annee;
        dernierMois = mois;
        visit(colonne, nouvelle, operation);
    }
}

std::string texteDate(int jour, int mois, const std::string& annee, bool zeros) {
    const auto nombre = [zeros](int n) { return (zeros && n < 10 ? "0" : "") + std::to_string(n); };
    return nombre(jour) + '/' + nombre(mois) + '/' + annee;
}

PeriodeCalendOp periode(const TCalendOp& mois, int premier, int dernier) {
    return {texteDate(premier, mois.nMois, mois.cAnnee, true),
            texteDate(dernier, mois.nMois, mois.cAnnee, true),
            texteDate(premier, mois.nMois, mois.cAnnee, false),
            texteDate(dernier, mois.nMois, mois.cAnnee, false)};
}

}  // namespace

CalendOp ConstruitCalendOp(const std::vector<TOperation>& operations, bool lContCellsGraphe) {
    CalendOp calendrier;
    calendrier.nMaxJour.fill(1);
    std::size_t total = 0;
    parcourt(operations, [&](std::size_t, bool nouvelle, const TOperation& operation) {
        if (nouvelle) {
            TCalendOp mois;
            mois.cAnnee = std::string(partieAnnee(operation.cDate));
            mois.nMois = *numeroMois(operation.cDate);
            mois.cNomMois = NomMois(mois.nMois);
            mois.lGrapheJour.fill(lContCellsGraphe);
            calendrier.mois.push_back(std::move(mois));
        }
        const int jour = jourDe(operation);
        int& nombre = calendrier.mois.back().nNbOpJour[static_cast<std::size_t>(jour)];
        ++nombre;
        calendrier.nMaxJour[static_cast<std::size_t>(jour)] =
            std::max(calendrier.nMaxJour[static_cast<std::size_t>(jour)], nombre);
        ++total;
    });
    std::size_t debut = 0;
    for (TCalendOp& mois : calendrier.mois)
        for (int jour = 1; jour <= kJoursCalendrier; ++jour) {
            mois.nDebutJour[static_cast<std::size_t>(jour)] = debut;
            debut += static_cast<std::size_t>(mois.nNbOpJour[static_cast<std::size_t>(jour)]);
        }
    calendrier.OpJour.resize(total);
    // The next free place of each day of the current column.
    std::array<std::size_t, kJoursCalendrier + 1> suivant{};
    parcourt(operations, [&](std::size_t colonne, bool nouvelle, const TOperation& operation) {
        if (nouvelle) suivant = calendrier.mois[colonne].nDebutJour;
        calendrier.OpJour[suivant[static_cast<std::size_t>(jourDe(operation))]++] = {
            operation.nSelect, operation.cTypeDep, operation.nMontant};
    });
    return calendrier;
}

PeriodeCalendOp PeriodeMoisCalendOp(const TCalendOp& mois) {
    PeriodeCalendOp p = periode(mois, 1, JoursDansMois(mois.nMois, std::stoi(mois.cAnnee)));
    // The month's first day keeps its zero in the caption.
    p.cTitreDeb.insert(0, 1, '0');
    return p;
}

PeriodeCalendOp PeriodeJourCalendOp(const TCalendOp& mois, int jour) {
    return periode(mois, jour, jour);
}

}  // namespace varnelle
