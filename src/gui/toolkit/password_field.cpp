#include "gui/toolkit/password_field.h"

#include "core/model/text_encoding.h"
#include "core/storage/password.h"
#include "render/budget_text.h"

namespace varnelle::gui {

PasswordField::PasswordField(QWidget* parent) : QLineEdit(parent) {
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    setMaxLength(kLongueurMax);
    connect(this, &QLineEdit::textEdited, this, &PasswordField::normalize);
}

void PasswordField::normalize(const QString& typed) {
    QString kept;
    int cursor = cursorPosition();
    for (int i = 0; i < typed.size(); ++i) {
        const auto byte = toBudgetText(typed.mid(i, 1));
        if (byte && byte->size() == 1 && isTypeableWin1252(static_cast<unsigned char>((*byte)[0])))
            kept += fromBudgetText(motDePasseSaisi(*byte));
        else if (i < cursor)
            --cursor;
    }
    if (kept == typed) return;
    setText(kept);
    setCursorPosition(cursor);
}

}  // namespace varnelle::gui
