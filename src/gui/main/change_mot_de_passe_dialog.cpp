#include "gui/main/change_mot_de_passe_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "core/storage/password.h"
#include "core/storage/profile_file.h"
#include "gui/toolkit/messages.h"
#include "gui/toolkit/password_field.h"
#include "gui/toolkit/prompter.h"
#include "render/budget_text.h"
#include "render/interface_font.h"

namespace varnelle::gui {
namespace {

PasswordField* field(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(8, top + 4, 80, 16);
    auto* edit = new PasswordField(parent);
    edit->setObjectName(name);
    edit->setGeometry(88, top, 96, 24);
    label->setBuddy(edit);
    return edit;
}

}  // namespace

TfmChangeMotDePasse::TfmChangeMotDePasse(ProfileFile& file, Prompter& prompter, QWidget* parent)
    : QDialog(parent), file_(file), prompter_(prompter) {
    setObjectName("fmChangeMotDePasse");
    setWindowTitle(QStringLiteral("Changement du mot de passe"));
    setFixedSize(192, 153);
    setFont(interfaceFont());
    edAncien = field(this, "edAncien", QStringLiteral("&Ancien"), 12);
    edNouveau = field(this, "edNouveau", QStringLiteral("&Nouveau"), 44);
    edConfirmation = field(this, "edConfirmation", QStringLiteral("&Confirmation"), 76);
    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(16, 116, 75, 25);
    btOK->setEnabled(false);
    btOK->setDefault(true);
    btCancel = new QPushButton(QStringLiteral("Annuler"), this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(101, 116, 75, 25);

    for (PasswordField* edit : {edAncien, edNouveau, edConfirmation})
        connect(edit, &QLineEdit::textChanged, this, &TfmChangeMotDePasse::edChange);
    connect(btOK, &QPushButton::clicked, this, &TfmChangeMotDePasse::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmChangeMotDePasse::edChange() {
    btOK->setEnabled(!edAncien->text().isEmpty() && !edNouveau->text().isEmpty() &&
                     edConfirmation->text() == edNouveau->text());
}

void TfmChangeMotDePasse::btOKClick() {
    const std::string ancien = toBudgetText(edAncien->text()).value_or(std::string());
    const std::string nouveau = toBudgetText(edNouveau->text()).value_or(std::string());
    PasswordChangeResult changed = ChangeMotDePasse(file_, ancien, nouveau);
    if (changed.status == PasswordChangeStatus::ChangedOnDisk &&
        prompter_.askYesNo(this,
                           QStringLiteral("Le fichier a été modifié par un autre programme depuis "
                                          "son ouverture. L'écraser quand même ?"),
                           Prompter::Answer::No) == Prompter::Answer::Yes)
        changed = ChangeMotDePasse(file_, ancien, nouveau, ProfileFile::ExternalChange::Overwrite);

    switch (changed.status) {
    case PasswordChangeStatus::Ok:
    case PasswordChangeStatus::ChangedOnDisk: break;
    case PasswordChangeStatus::WrongOldPassword:
        prompter_.error(this, QStringLiteral("Erreur"),
                        QStringLiteral("Ancien mot de passe invalide !!!"));
        break;
    case PasswordChangeStatus::Refused:
    case PasswordChangeStatus::WriteFailed:
        prompter_.error(this, QStringLiteral("Erreur"),
                        messageEcritureImpossible(file_.path(), changed.systemError));
        break;
    }
    accept();
}

}  // namespace varnelle::gui
