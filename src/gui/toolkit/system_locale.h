#pragma once

#include <QLocale>

#include "model/locale_facts.h"

namespace varnelle::gui {

// Month names and decimal separator of `locale`; French where the locale is C or POSIX,
// or where a name cannot be kept in Windows-1252.
LocaleFacts localeFactsOf(const QLocale& locale);

// Hands the system's facts to the core; called once at start-up.
void applySystemLocale();

}  // namespace varnelle::gui
