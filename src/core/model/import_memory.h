#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace varnelle {

// Which columns of a bank's CSV statement hold what, counted from 0; -1 for none. A statement
// gives its amount either in one signed column or in a debit and a credit column.
struct ColonnesCsv {
    int date = -1;
    int libelle = -1;
    int montant = -1;
    int debit = -1;
    int credit = -1;

    bool complete() const {
        return date >= 0 && libelle >= 0 && (montant >= 0 || debit >= 0 || credit >= 0);
    }
    bool operator==(const ColonnesCsv&) const = default;
};

// "Label contains cTexte -> type cTypeDep", tried in order.
struct RegleImport {
    std::string cTexte;
    std::string cTypeDep;
    bool operator==(const RegleImport&) const = default;
};

// A label as the import compares it: blanks trimmed and runs of them made one, upper case.
std::string libelleNormalise(std::string_view libelle);

// What imports of bank statements remember in a budget: the columns of each bank's CSV,
// the user's rules, the type last chosen for each label, and the transaction ids of the
// statements imported. Every text is one the data file can hold; a setter refuses the others.
class MemoireImport final {
public:
    bool vide() const;

    // Keyed by the statement's header line, as read.
    const ColonnesCsv* colonnes(std::string_view entete) const;
    bool retiensColonnes(std::string_view entete, const ColonnesCsv& colonnes);
    const std::map<std::string, ColonnesCsv, std::less<>>& toutesColonnes() const {
        return colonnes_;
    }

    const std::vector<RegleImport>& regles() const { return regles_; }
    // Refused, and nothing changed, when a text is blank or cannot be kept.
    bool setRegles(std::vector<RegleImport> regles);

    // The type last chosen for a label, by its normalised form; empty when none.
    std::string_view dernierType(std::string_view libelle) const;
    bool retiensType(std::string_view libelle, std::string_view code);
    const std::map<std::string, std::string, std::less<>>& derniersTypes() const {
        return derniersTypes_;
    }

    bool fitidConnu(std::string_view fitid) const { return fitids_.contains(fitid); }
    bool ajouteFitid(std::string_view fitid);
    const std::set<std::string, std::less<>>& fitids() const { return fitids_; }

    // Changes with every change of the content, and only then: equal stamps, equal content,
    // so the undo history sees a change without comparing thousands of ids.
    std::uint64_t version() const { return version_; }

    // The content, whatever the stamps.
    bool operator==(const MemoireImport& autre) const;

private:
    void change();

    std::map<std::string, ColonnesCsv, std::less<>> colonnes_;
    std::vector<RegleImport> regles_;
    std::map<std::string, std::string, std::less<>> derniersTypes_;
    std::set<std::string, std::less<>> fitids_;
    std::uint64_t version_ = 0;
};

}  // namespace varnelle
