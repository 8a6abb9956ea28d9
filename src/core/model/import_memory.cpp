#include "core/model/import_memory.h"

#include <atomic>

#include "core/model/text_encoding.h"

namespace varnelle {
namespace {

// The longest value the data file reads back whole.
constexpr std::size_t kLongueurMax = 1023;

// A text the data file keeps as it is: no control character, not too long, not empty.
bool gardable(std::string_view texte) {
    if (texte.empty() || texte.size() > kLongueurMax) return false;
    for (const char c : texte)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

bool blanc(std::string_view texte) {
    return texte.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string libelleNormalise(std::string_view libelle) {
    std::string sortie;
    sortie.reserve(libelle.size());
    bool espace = false;
    for (const char c : libelle) {
        const auto u = static_cast<unsigned char>(c);
        if (u == ' ' || u == '\t' || u == 0xA0) {
            espace = !sortie.empty();
            continue;
        }
        if (espace) sortie += ' ';
        espace = false;
        sortie += static_cast<char>(upperWin1252(u));
    }
    return sortie;
}

bool MemoireImport::vide() const {
    return colonnes_.empty() && regles_.empty() && derniersTypes_.empty() && fitids_.empty();
}

const ColonnesCsv* MemoireImport::colonnes(std::string_view entete) const {
    const auto it = colonnes_.find(entete);
    return it == colonnes_.end() ? nullptr : &it->second;
}

bool MemoireImport::retiensColonnes(std::string_view entete, const ColonnesCsv& colonnes) {
    if (!gardable(entete) || !colonnes.complete()) return false;
    const auto it = colonnes_.find(entete);
    if (it != colonnes_.end() && it->second == colonnes) return true;
    colonnes_[std::string(entete)] = colonnes;
    change();
    return true;
}

bool MemoireImport::setRegles(std::vector<RegleImport> regles) {
    for (const RegleImport& regle : regles)
        if (!gardable(regle.cTexte) || blanc(regle.cTexte) || !gardable(regle.cTypeDep))
            return false;
    if (regles == regles_) return true;
    regles_ = std::move(regles);
    change();
    return true;
}

std::string_view MemoireImport::dernierType(std::string_view libelle) const {
    const auto it = derniersTypes_.find(libelleNormalise(libelle));
    return it == derniersTypes_.end() ? std::string_view() : std::string_view(it->second);
}

bool MemoireImport::retiensType(std::string_view libelle, std::string_view code) {
    std::string cle = libelleNormalise(libelle);
    if (!gardable(cle) || !gardable(code)) return false;
    const auto it = derniersTypes_.find(cle);
    if (it != derniersTypes_.end() && it->second == code) return true;
    derniersTypes_[std::move(cle)] = std::string(code);
    change();
    return true;
}

bool MemoireImport::ajouteFitid(std::string_view fitid) {
    if (!gardable(fitid)) return false;
    if (fitids_.emplace(fitid).second) change();
    return true;
}

bool MemoireImport::operator==(const MemoireImport& autre) const {
    return colonnes_ == autre.colonnes_ && regles_ == autre.regles_ &&
           derniersTypes_ == autre.derniersTypes_ && fitids_ == autre.fitids_;
}

void MemoireImport::change() {
    // One counter for every memory: a stamp is never given twice, even to a copy that
    // changes apart from its original.
    static std::atomic<std::uint64_t> compteur{0};
    version_ = ++compteur;
}

}  // namespace varnelle
