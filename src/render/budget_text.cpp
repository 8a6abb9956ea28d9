#include "render/budget_text.h"

#include <QByteArray>

#include "core/model/locale_facts.h"
#include "core/model/text_encoding.h"

namespace varnelle::gui {

QString fromBudgetText(std::string_view bytes) {
    const std::string utf8 = win1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> toBudgetText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return utf8ToWin1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

bool isAcceptableBudgetText(const QString& text, int maxLength) {
    if (text.size() > maxLength) return false;
    const auto bytes = toBudgetText(text);
    if (!bytes) return false;
    for (const char c : *bytes)
        if (!isTypeableWin1252(static_cast<unsigned char>(c))) return false;
    return true;
}

QString amountText(Montant amount) {
    return QString::fromStdString(formatAmount(amount, localeFacts().separateurDecimal));
}

QString fromFileName(const std::string& name) {
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
}

std::string toFileName(const QString& name) {
    return name.toLocal8Bit().toStdString();
}

}  // namespace varnelle::gui
