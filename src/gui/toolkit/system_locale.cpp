#include "gui/toolkit/system_locale.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "render/budget_text.h"

namespace varnelle::gui {

LocaleFacts localeFactsOf(const QLocale& locale) {
    LocaleFacts facts = frenchLocaleFacts();
    if (locale.language() == QLocale::C) return facts;
    LocaleFacts own;
    for (int month = 1; month <= 12; ++month) {
        const auto name = toBudgetText(locale.monthName(month, QLocale::LongFormat));
        if (!name || name->empty()) return facts;
        own.nomsMois[static_cast<std::size_t>(month - 1)] = *name;
    }
    const QString separator = locale.decimalPoint();
    const auto separatorByte = toBudgetText(separator);
    own.separateurDecimal =
        separatorByte && separatorByte->size() == 1 ? (*separatorByte)[0] : facts.separateurDecimal;
    return own;
}

void applySystemLocale() {
    setLocaleFacts(localeFactsOf(QLocale::system()));
}

bool installeTraductionQt() {
    auto traduction = std::make_unique<QTranslator>();
    if (!traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traduction.get()))
        return false;
    // The application keeps using it until it ends.
    traduction.release()->setParent(QCoreApplication::instance());
    return true;
}

}  // namespace varnelle::gui
