#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace varnelle {

// 0x00BBGGRR, red in the low byte.
using Couleur = std::int32_t;

struct TParamGrille {
    std::int32_t nZoom;
    std::string cPolice;
    std::uint8_t Grid;

    bool operator==(const TParamGrille&) const = default;
};

// A tab bookmark: pages of the main, statistics and graph tabs; -1 in nOnglet1 means unset.
struct TConfigOnglets {
    std::int32_t nOnglet1;
    std::int32_t nOnglet2;
    std::int32_t nOnglet3;

    bool operator==(const TConfigOnglets&) const = default;
};

// Display settings of a budget. Every field is listed, with its key and default, in
// forEachParam below; the constructor gives each its default from there.
struct TParam {
    TParam();

    Couleur nCoulToutesGrillesETFond;
    Couleur nCoulToutesGrillesETTexte;
    Couleur nCoulToutesGrillesBordures;
    Couleur nCoulGrilleTDFond;
    Couleur nCoulGrilleTDTexte;
    Couleur nCoulGrilleTDMsPaie;
    Couleur nCoulGrilleTDJgeFon;
    Couleur nCoulGrilleTDJgeBar;
    Couleur nCoulGrilleTDJgeDep;
    Couleur nCoulGrilleOpMsImp;
    Couleur nCoulGrilleOpMsPai;
    Couleur nCoulGrilleOpOpCoc;
    Couleur nCoulGrilleOpOpDec;
    Couleur nCoulGrilleDJFond;
    Couleur nCoulGrilleDJTexte;
    Couleur nCoulGrilleEcFond;
    Couleur nCoulGrilleEcTexte;
    Couleur nCoulGrilleDOFond;
    Couleur nCoulGrilleDOTexte;
    Couleur nCoulGrilleClFond;
    Couleur nCoulGrilleClTexte;
    Couleur nCoulGrilleSiFond;
    Couleur nCoulGrilleSiTexte;
    Couleur nCoulGrilleCOMsImp;
    Couleur nCoulGrilleCOMsPai;
    Couleur nCoulGrilleCOOpCLeg;
    Couleur nCoulGrilleCOOpCVal;
    Couleur nCoulGrilleCOOpDLeg;
    Couleur nCoulGrilleCOOpDVal;
    Couleur nCoulGrilleFDFond;
    Couleur nCoulGrilleFDTexte;
    Couleur nCoulGrilleFDSimul;
    Couleur nCoulGrapheDJFon;
    Couleur nCoulGrapheDJLeg;
    Couleur nCoulGrapheDJJrMl5;
    Couleur nCoulGrapheDJAutJr;
    Couleur nCoulGrapheTDFon;
    Couleur nCoulGrapheTDLeg;
    Couleur nCoulGrapheTDTyImp;
    Couleur nCoulGrapheTDTyPai;
    Couleur nCoulGrapheOpFon;
    Couleur nCoulGrapheOpAxe;
    Couleur nCoulGrapheOpTrVer;
    Couleur nCoulGrapheOpMsImp;
    Couleur nCoulGrapheOpMsPai;
    Couleur nCoulGrapheArbreAnFon;
    Couleur nCoulGrapheArbreAnLeg;
    Couleur nCoulGrapheArbreAnMsImp;
    Couleur nCoulGrapheArbreAnMsPai;
    Couleur nCoulGrapheArbreMsFon;
    Couleur nCoulGrapheArbreMsLeg;
    Couleur nCoulGrapheArbreMsTDImp;
    Couleur nCoulGrapheArbreMsTDPai;
    Couleur nCoulGrapheArbreTDFon;
    Couleur nCoulGrapheArbreTDLeg;
    Couleur nCoulGrapheArbreTDTDImp;
    Couleur nCoulGrapheArbreTDTDPai;
    Couleur nCoulGrapheClasseurFon;
    Couleur nCoulGrapheClasseurLeg;
    Couleur nCoulGrapheClasseurTDImp;
    Couleur nCoulGrapheClasseurTDPai;
    Couleur nCoulGrapheSMFon;
    Couleur nCoulGrapheSMLeg;
    Couleur nCoulGrapheSMAIMI;
    Couleur nCoulGrapheSMAIMP;
    Couleur nCoulGrapheSMAPMI;
    Couleur nCoulGrapheSMAPMP;
    Couleur nCoulGrapheRTDTIFon;
    Couleur nCoulGrapheRTDTILeg;
    Couleur nCoulGrapheRTDTIMI;
    Couleur nCoulGrapheRTDTIMP;
    Couleur nCoulGrapheRTDTPFon;
    Couleur nCoulGrapheRTDTPLeg;
    Couleur nCoulGrapheRTDTPMI;
    Couleur nCoulGrapheRTDTPMP;
    Couleur nCoulGrapheFDFon;
    Couleur nCoulGrapheFDLeg;
    Couleur nCoulGrapheFDLgImp;
    Couleur nCoulGrapheFDLgPai;
    std::uint8_t FormeCoche;
    TParamGrille OptGrilleOp;
    bool lRTDRetailLigEns;
    bool lRTDRetailColEns;
    bool lRTDContCellsGraphe;
    bool lCaORetailColEns;
    bool lCaOContCellsGraphe;
    TConfigOnglets ConfigOnglets1;
    TConfigOnglets ConfigOnglets2;

    bool operator==(const TParam&) const = default;
};

inline constexpr int kNbCouleurs = 79;
inline constexpr int kNbCles = 94;

// An integer key: its default and the values it accepts; anything else reads as the default.
struct IntegerKey {
    std::int32_t defaut;
    std::int32_t min = std::numeric_limits<std::int32_t>::min();
    std::int32_t max = std::numeric_limits<std::int32_t>::max();
};
struct BooleanKey {
    bool defaut;
};
struct TextKey {
    const char* defaut;
};

constexpr IntegerKey colour(std::int32_t defaut) {
    return IntegerKey{defaut};
}
constexpr IntegerKey bounded(std::int32_t defaut, std::int32_t min, std::int32_t max) {
    return IntegerKey{defaut, min, max};
}

// The keys of section "PARAMETRES" in file order, each with the field it fills and its
// default. `v` is called as v(key, field, IntegerKey | BooleanKey | TextKey); the field is
// an int32_t, uint8_t, bool or std::string (const when `p` is).
template <class Param, class Visitor> void forEachParam(Param& p, Visitor&& v) {
    v("nCoulToutesGrillesETFond", p.nCoulToutesGrillesETFond, colour(12632256));
    v("nCoulToutesGrillesETTexte", p.nCoulToutesGrillesETTexte, colour(0));
    v("nCoulToutesGrillesBordures", p.nCoulToutesGrillesBordures, colour(12632256));
    v("nCoulGrilleTDFond", p.nCoulGrilleTDFond, colour(16777215));
    v("nCoulGrilleTDTexte", p.nCoulGrilleTDTexte, colour(0));
    v("nCoulGrilleTDMsPaie", p.nCoulGrilleTDMsPaie, colour(255));
    v("nCoulGrilleTDJgeFon", p.nCoulGrilleTDJgeFon, colour(16777215));
    v("nCoulGrilleTDJgeBar", p.nCoulGrilleTDJgeBar, colour(16711680));
    v("nCoulGrilleTDJgeDep", p.nCoulGrilleTDJgeDep, colour(255));
    v("nCoulGrilleOpMsImp", p.nCoulGrilleOpMsImp, colour(16777215));
    v("nCoulGrilleOpMsPai", p.nCoulGrilleOpMsPai, colour(65535));
    v("nCoulGrilleOpOpCoc", p.nCoulGrilleOpOpCoc, colour(0));
    v("nCoulGrilleOpOpDec", p.nCoulGrilleOpOpDec, colour(12632256));
    v("nCoulGrilleDJFond", p.nCoulGrilleDJFond, colour(16777215));
    v("nCoulGrilleDJTexte", p.nCoulGrilleDJTexte, colour(0));
    v("nCoulGrilleEcFond", p.nCoulGrilleEcFond, colour(16777215));
    v("nCoulGrilleEcTexte", p.nCoulGrilleEcTexte, colour(0));
    v("nCoulGrilleDOFond", p.nCoulGrilleDOFond, colour(16777215));
    v("nCoulGrilleDOTexte", p.nCoulGrilleDOTexte, colour(0));
    v("nCoulGrilleClFond", p.nCoulGrilleClFond, colour(16777215));
    v("nCoulGrilleClTexte", p.nCoulGrilleClTexte, colour(0));
    v("nCoulGrilleSiFond", p.nCoulGrilleSiFond, colour(16777215));
    v("nCoulGrilleSiTexte", p.nCoulGrilleSiTexte, colour(0));
    v("nCoulGrilleCOMsImp", p.nCoulGrilleCOMsImp, colour(8388608));
    v("nCoulGrilleCOMsPai", p.nCoulGrilleCOMsPai, colour(128));
    v("nCoulGrilleCOOpCLeg", p.nCoulGrilleCOOpCLeg, colour(16777215));
    v("nCoulGrilleCOOpCVal", p.nCoulGrilleCOOpCVal, colour(16776960));
    v("nCoulGrilleCOOpDLeg", p.nCoulGrilleCOOpDLeg, colour(65535));
    v("nCoulGrilleCOOpDVal", p.nCoulGrilleCOOpDVal, colour(65280));
    v("nCoulGrilleFDFond", p.nCoulGrilleFDFond, colour(16777215));
    v("nCoulGrilleFDTexte", p.nCoulGrilleFDTexte, colour(0));
    v("nCoulGrilleFDSimul", p.nCoulGrilleFDSimul, colour(16776960));
    v("nCoulGrapheDJFon", p.nCoulGrapheDJFon, colour(8388608));
    v("nCoulGrapheDJLeg", p.nCoulGrapheDJLeg, colour(12632256));
    v("nCoulGrapheDJJrMl5", p.nCoulGrapheDJJrMl5, colour(65535));
    v("nCoulGrapheDJAutJr", p.nCoulGrapheDJAutJr, colour(16777215));
    v("nCoulGrapheTDFon", p.nCoulGrapheTDFon, colour(8388608));
    v("nCoulGrapheTDLeg", p.nCoulGrapheTDLeg, colour(12632256));
    v("nCoulGrapheTDTyImp", p.nCoulGrapheTDTyImp, colour(16777215));
    v("nCoulGrapheTDTyPai", p.nCoulGrapheTDTyPai, colour(65535));
    v("nCoulGrapheOpFon", p.nCoulGrapheOpFon, colour(8388608));
    v("nCoulGrapheOpAxe", p.nCoulGrapheOpAxe, colour(12632256));
    v("nCoulGrapheOpTrVer", p.nCoulGrapheOpTrVer, colour(12632256));
    v("nCoulGrapheOpMsImp", p.nCoulGrapheOpMsImp, colour(16777215));
    v("nCoulGrapheOpMsPai", p.nCoulGrapheOpMsPai, colour(65535));
    v("nCoulGrapheArbreAnFon", p.nCoulGrapheArbreAnFon, colour(8388608));
    v("nCoulGrapheArbreAnLeg", p.nCoulGrapheArbreAnLeg, colour(12632256));
    v("nCoulGrapheArbreAnMsImp", p.nCoulGrapheArbreAnMsImp, colour(16777215));
    v("nCoulGrapheArbreAnMsPai", p.nCoulGrapheArbreAnMsPai, colour(65535));
    v("nCoulGrapheArbreMsFon", p.nCoulGrapheArbreMsFon, colour(8388608));
    v("nCoulGrapheArbreMsLeg", p.nCoulGrapheArbreMsLeg, colour(12632256));
    v("nCoulGrapheArbreMsTDImp", p.nCoulGrapheArbreMsTDImp, colour(16777215));
    v("nCoulGrapheArbreMsTDPai", p.nCoulGrapheArbreMsTDPai, colour(65535));
    v("nCoulGrapheArbreTDFon", p.nCoulGrapheArbreTDFon, colour(8388608));
    v("nCoulGrapheArbreTDLeg", p.nCoulGrapheArbreTDLeg, colour(12632256));
    v("nCoulGrapheArbreTDTDImp", p.nCoulGrapheArbreTDTDImp, colour(16777215));
    v("nCoulGrapheArbreTDTDPai", p.nCoulGrapheArbreTDTDPai, colour(65535));
    v("nCoulGrapheClasseurFon", p.nCoulGrapheClasseurFon, colour(8388608));
    v("nCoulGrapheClasseurLeg", p.nCoulGrapheClasseurLeg, colour(12632256));
    v("nCoulGrapheClasseurTDImp", p.nCoulGrapheClasseurTDImp, colour(16777215));
    v("nCoulGrapheClasseurTDPai", p.nCoulGrapheClasseurTDPai, colour(65535));
    v("nCoulGrapheSMFon", p.nCoulGrapheSMFon, colour(8388608));
    v("nCoulGrapheSMLeg", p.nCoulGrapheSMLeg, colour(12632256));
    v("nCoulGrapheSMAIMI", p.nCoulGrapheSMAIMI, colour(16777215));
    v("nCoulGrapheSMAIMP", p.nCoulGrapheSMAIMP, colour(65535));
    v("nCoulGrapheSMAPMI", p.nCoulGrapheSMAPMI, colour(16776960));
    v("nCoulGrapheSMAPMP", p.nCoulGrapheSMAPMP, colour(65280));
    v("nCoulGrapheRTDTIFon", p.nCoulGrapheRTDTIFon, colour(8388608));
    v("nCoulGrapheRTDTILeg", p.nCoulGrapheRTDTILeg, colour(16776960));
    v("nCoulGrapheRTDTIMI", p.nCoulGrapheRTDTIMI, colour(16777215));
    v("nCoulGrapheRTDTIMP", p.nCoulGrapheRTDTIMP, colour(65535));
    v("nCoulGrapheRTDTPFon", p.nCoulGrapheRTDTPFon, colour(128));
    v("nCoulGrapheRTDTPLeg", p.nCoulGrapheRTDTPLeg, colour(255));
    v("nCoulGrapheRTDTPMI", p.nCoulGrapheRTDTPMI, colour(16776960));
    v("nCoulGrapheRTDTPMP", p.nCoulGrapheRTDTPMP, colour(65280));
    v("nCoulGrapheFDFon", p.nCoulGrapheFDFon, colour(8388608));
    v("nCoulGrapheFDLeg", p.nCoulGrapheFDLeg, colour(12632256));
    v("nCoulGrapheFDLgImp", p.nCoulGrapheFDLgImp, colour(16777215));
    v("nCoulGrapheFDLgPai", p.nCoulGrapheFDLgPai, colour(65535));
    v("FormeCoche", p.FormeCoche, bounded(1, 0, 2));
    v("OptGrilleOpnZoom", p.OptGrilleOp.nZoom, bounded(1, 0, 2));
    v("OptGrilleOpcPolice", p.OptGrilleOp.cPolice, TextKey{"MS Sans Serif"});
    v("OptGrilleOpGrid", p.OptGrilleOp.Grid, bounded(3, 0, 3));
    v("lRTDRetailLigEns", p.lRTDRetailLigEns, BooleanKey{true});
    v("lRTDRetailColEns", p.lRTDRetailColEns, BooleanKey{true});
    v("lRTDContCellsGraphe", p.lRTDContCellsGraphe, BooleanKey{true});
    v("lCaORetailColEns", p.lCaORetailColEns, BooleanKey{true});
    v("lCaOContCellsGraphe", p.lCaOContCellsGraphe, BooleanKey{false});
    v("ConfigOnglets1nOnglet1", p.ConfigOnglets1.nOnglet1, IntegerKey{-1});
    v("ConfigOnglets1nOnglet2", p.ConfigOnglets1.nOnglet2, IntegerKey{-1});
    v("ConfigOnglets1nOnglet3", p.ConfigOnglets1.nOnglet3, IntegerKey{-1});
    v("ConfigOnglets2nOnglet1", p.ConfigOnglets2.nOnglet1, IntegerKey{-1});
    v("ConfigOnglets2nOnglet2", p.ConfigOnglets2.nOnglet2, IntegerKey{-1});
    v("ConfigOnglets2nOnglet3", p.ConfigOnglets2.nOnglet3, IntegerKey{-1});
}

}  // namespace varnelle
