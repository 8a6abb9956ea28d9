#include "cli/budget_json.h"

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "cli/json_writer.h"

namespace varnelle::cli {
namespace {

// Members named as the fields of the records, so that the output reads like the file. The
// records of a collection name the same fields in the same order: what opens each member is
// made on the first record and copied for the others.
class RecordWriter final {
public:
    explicit RecordWriter(JsonWriter& json) : json_(json) {}

    // The fields of the next record begin again from the first.
    void nextRecord() { field_ = 0; }

    void texte(std::string_view key, std::string_view win1252) {
        member(key);
        json_.win1252String(win1252);
    }
    void montant(std::string_view key, Montant value) {
        member(key);
        json_.amount(value);
    }
    void entier(std::string_view key, std::int64_t value) {
        member(key);
        json_.number(value);
    }

private:
    void member(std::string_view key) {
        if (field_ == names_.size()) {
            names_.emplace_back(key);
            heads_.push_back(json_.headOf(key));
        }
        if (names_[field_] == key)
            json_.head(heads_[field_]);
        else
            json_.key(key);
        ++field_;
    }

    JsonWriter& json_;
    std::vector<std::string> names_;
    std::vector<std::string> heads_;
    std::size_t field_ = 0;
};

template <class Records, class WriteFields>
void writeCollection(JsonWriter& json, std::string_view key, const Records& records,
                     WriteFields writeFields) {
    RecordWriter fields(json);
    json.key(key);
    json.beginArray();
    for (const auto& record : records) {
        json.beginObject();
        fields.nextRecord();
        writeFields(fields, record);
        json.endObject();
    }
    json.endArray();
}

}  // namespace

void writeBudgetJson(std::ostream& out, std::string_view fichier, const Budget& budget) {
    JsonWriter json(out);
    RecordWriter fields(json);
    json.beginObject();
    json.key("fichier");
    json.string(fichier);

    json.key("GENERAL");
    json.beginObject();
    fields.entier("nNbJoursMois", budget.nNbJoursMois());
    fields.texte("cSalaireMoyen", budget.cSalaireMoyen);
    fields.texte("nResteDebMois", budget.nResteDebMois);
    json.endObject();

    writeCollection(json, "TypesDep", budget.TypesDep, [](RecordWriter& w, const TTypeDep& t) {
        w.texte("cTypeDep", t.cTypeDep);
        w.texte("cLibelle", t.cLibelle);
        w.montant("nMontant", t.nMontant);
        w.entier("nPeriodicite", t.nPeriodicite);
        w.entier("nNbMois", t.nNbMois);
        w.montant("nTotal", t.nTotal);
        w.montant("nSolde", t.nSolde);
    });
    writeCollection(json, "Operations", budget.Operations,
                    [](RecordWriter& w, const TOperation& o) {
                        w.entier("nSelect", o.nSelect);
                        w.texte("cDate", o.cDate);
                        w.texte("cTypeDep", o.cTypeDep);
                        w.montant("nMontant", o.nMontant);
                        w.texte("cLibelle", o.cLibelle);
                        w.montant("nSolde", o.nSolde);
                    });
    writeCollection(json, "DepJourn", budget.DepJourn, [](RecordWriter& w, const TDepJourn& d) {
        w.entier("nJour", d.nJour);
        w.entier("nMontant", d.nMontant);
        w.entier("nCumul", d.nCumul);
    });
    writeCollection(json, "Economies", budget.Economies, [](RecordWriter& w, const TEconomie& e) {
        w.texte("cLibelle", e.cLibelle);
        w.entier("nMontant", e.nMontant);
        w.entier("nCumul", e.nCumul);
    });
    writeCollection(json, "Simulations", budget.Simulations,
                    [](RecordWriter& w, const TPSimulation& s) {
                        w.entier("nSelect", s.nSelect);
                        w.texte("cLibelle", s.cLibelle);
                        w.texte("cDateDeb", s.cDateDeb);
                        w.texte("cDateFin", s.cDateFin);
                        w.montant("nMontant", s.nMontant);
                    });

    json.key("PARAMETRES");
    json.beginObject();
    forEachParam(budget.Param, [&](const char* key, const auto& field, const auto&) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>) {
            json.key(key);
            json.boolean(field);
        } else if constexpr (std::is_same_v<Field, std::string>) {
            fields.texte(key, field);
        } else {
            fields.entier(key, field);
        }
    });
    json.endObject();
    json.endObject();
}

}  // namespace varnelle::cli
