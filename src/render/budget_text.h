#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "core/model/amount.h"

namespace varnelle::gui {

// The budget keeps Windows-1252 bytes; the widgets show QStrings. Every conversion between
// the two goes through here.
QString fromBudgetText(std::string_view bytes);

// Empty when the text holds a character the data file cannot keep.
std::optional<std::string> toBudgetText(const QString& text);

// Whether a text can be typed into a field of the budget: characters of Windows-1252 only,
// no control character, at most `maxLength` characters.
bool isAcceptableBudgetText(const QString& text, int maxLength);

// An amount with two decimals and the locale's decimal separator.
QString amountText(Montant amount);

// File names are in the file system's own encoding, not in the budget's.
QString fromFileName(const std::string& name);
std::string toFileName(const QString& name);

}  // namespace varnelle::gui
