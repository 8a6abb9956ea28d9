#pragma once

#include <QLocale>

#include "core/model/locale_facts.h"

namespace varnelle::gui {

// Month names and decimal separator of `locale`; French where the locale is C or POSIX,
// or where a name cannot be kept in Windows-1252.
LocaleFacts localeFactsOf(const QLocale& locale);

// Hands the system's facts to the core; called once at start-up.
void applySystemLocale();

// Loads Qt's own French translation into the application, whatever the system locale, so the
// standard menus and dialogs speak the program's language. False when it is not installed.
bool installeTraductionQt();

}  // namespace varnelle::gui
