#pragma once

#include <QDialog>

class QPushButton;

namespace varnelle {
class ProfileFile;
}

namespace varnelle::gui {

class PasswordField;
class Prompter;

// "Changement du mot de passe": writes the new password into the open data file at once.
class TfmChangeMotDePasse final : public QDialog {
    Q_OBJECT

public:
    TfmChangeMotDePasse(ProfileFile& file, Prompter& prompter, QWidget* parent = nullptr);

private:
    void edChange();
    void btOKClick();

    ProfileFile& file_;
    Prompter& prompter_;

    PasswordField* edAncien;
    PasswordField* edNouveau;
    PasswordField* edConfirmation;
    QPushButton* btOK;
    QPushButton* btCancel;
};

}  // namespace varnelle::gui
