#include "core/model/locale_facts.h"

#include <utility>

#include "core/model/text_encoding.h"

namespace varnelle {
namespace {

LocaleFacts& current() {
    static LocaleFacts facts = frenchLocaleFacts();
    return facts;
}

}  // namespace

LocaleFacts frenchLocaleFacts() {
    LocaleFacts facts;
    facts.nomsMois = {"janvier",
                      "f\xE9vrier",
                      "mars",
                      "avril",
                      "mai",
                      "juin",
                      "juillet",
                      "ao\xFBt",
                      "septembre",
                      "octobre",
                      "novembre",
                      "d\xE9"
                      "cembre"};
    facts.separateurDecimal = ',';
    return facts;
}

const LocaleFacts& localeFacts() {
    return current();
}

void setLocaleFacts(LocaleFacts facts) {
    current() = std::move(facts);
}

std::string NomMois(int mois) {
    if (mois < 1 || mois > 12) return {};
    std::string nom = localeFacts().nomsMois[static_cast<std::size_t>(mois - 1)];
    if (!nom.empty()) nom[0] = static_cast<char>(upperWin1252(static_cast<unsigned char>(nom[0])));
    return nom;
}

}  // namespace varnelle
