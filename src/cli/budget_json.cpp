#include "cli/budget_json.h"

#include <cstdint>
#include <type_traits>

#include "cli/json_writer.h"

namespace varnelle::cli {
namespace {

// Members named as the fields of the records, so that the output reads like the file.
template <class Collection, class WriteFields>
void writeCollection(JsonWriter& json, std::string_view key, const Collection& records,
                     WriteFields writeFields) {
    json.key(key);
    json.beginArray();
    JsonWriter::Records objects(json);
    for (const auto& record : records) {
        objects.beginObject();
        writeFields(objects, record);
        objects.endObject();
    }
    json.endArray();
}

void texte(JsonWriter& json, std::string_view key, std::string_view win1252) {
    json.key(key);
    json.win1252String(win1252);
}

void entier(JsonWriter& json, std::string_view key, std::int64_t value) {
    json.key(key);
    json.number(value);
}

}  // namespace

void writeBudgetJson(std::ostream& out, std::string_view fichier, const Budget& budget) {
    JsonWriter json(out);
    json.beginObject();
    json.key("fichier");
    json.string(fichier);

    json.key("GENERAL");
    json.beginObject();
    entier(json, "nNbJoursMois", budget.nNbJoursMois());
    texte(json, "cSalaireMoyen", budget.cSalaireMoyen);
    texte(json, "nResteDebMois", budget.nResteDebMois);
    json.endObject();

    writeCollection(json, "TypesDep", budget.TypesDep,
                    [](JsonWriter::Records& w, const TTypeDep& t) {
                        w.text("cTypeDep", t.cTypeDep);
                        w.text("cLibelle", t.cLibelle);
                        w.amount("nMontant", t.nMontant);
                        w.number("nPeriodicite", t.nPeriodicite);
                        w.number("nNbMois", t.nNbMois);
                        w.amount("nTotal", t.nTotal);
                        w.amount("nSolde", t.nSolde);
                    });
    writeCollection(json, "Operations", budget.Operations,
                    [](JsonWriter::Records& w, const TOperation& o) {
                        w.number("nSelect", o.nSelect);
                        w.text("cDate", o.cDate);
                        w.text("cTypeDep", o.cTypeDep);
                        w.amount("nMontant", o.nMontant);
                        w.text("cLibelle", o.cLibelle);
                        w.amount("nSolde", o.nSolde);
                    });
    writeCollection(json, "DepJourn", budget.DepJourn,
                    [](JsonWriter::Records& w, const TDepJourn& d) {
                        w.number("nJour", d.nJour);
                        w.number("nMontant", d.nMontant);
                        w.number("nCumul", d.nCumul);
                    });
    writeCollection(json, "Economies", budget.Economies,
                    [](JsonWriter::Records& w, const TEconomie& e) {
                        w.text("cLibelle", e.cLibelle);
                        w.number("nMontant", e.nMontant);
                        w.number("nCumul", e.nCumul);
                    });
    writeCollection(json, "Simulations", budget.Simulations,
                    [](JsonWriter::Records& w, const TPSimulation& s) {
                        w.number("nSelect", s.nSelect);
                        w.text("cLibelle", s.cLibelle);
                        w.text("cDateDeb", s.cDateDeb);
                        w.text("cDateFin", s.cDateFin);
                        w.amount("nMontant", s.nMontant);
                    });

    json.key("PARAMETRES");
    json.beginObject();
    forEachParam(budget.Param, [&](const char* key, const auto& field, const auto&) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>) {
            json.key(key);
            json.boolean(field);
        } else if constexpr (std::is_same_v<Field, std::string>) {
            texte(json, key, field);
        } else {
            entier(json, key, field);
        }
    });
    json.endObject();
    json.endObject();
}

}  // namespace varnelle::cli
