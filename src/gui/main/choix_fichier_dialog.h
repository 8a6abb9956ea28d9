#pragma once

#include <filesystem>
#include <string>

#include <QDialog>

#include "core/storage/profile_file.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varnelle::gui {

class Prompter;

// The budget the user chose: its data file's name as the folder spells it, and its content as
// read when the password was checked. No name when nothing was chosen.
struct BudgetChoisi {
    std::string fileName;
    ProfileFile file;
};

// "Choix de la base de données": pick a budget of the folder, or name a new one, and give
// its password.
class TfmChoixNomFicINI final : public QDialog {
    Q_OBJECT

public:
    TfmChoixNomFicINI(std::filesystem::path folder, Prompter& prompter, QWidget* parent = nullptr);

    // The data file chosen, with its extension, once the dialog ended with OK; empty when
    // the password was wrong or the file could not be read or made.
    const std::string& result() const { return choice_.fileName; }
    BudgetChoisi takeChoice() { return std::move(choice_); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void rbClick();
    void edChange();
    void btOKClick();
    void updateOK();
    // Why the typed new name cannot be used, or nothing.
    QString refusal() const;

    std::filesystem::path folder_;
    Prompter& prompter_;
    BudgetChoisi choice_;

    QRadioButton* rbBDDExistantes;
    QListWidget* lbBDDExistantes;
    QRadioButton* rbNouvelleBDD;
    QLineEdit* edNouvelleBDD;
    QLabel* stRefus;
    QLabel* stMotDePasse;
    QLineEdit* edMotDePasse;
    QPushButton* btOK;
    QPushButton* btCancel;
};

// Runs the dialog on `folder`: the budget chosen, or no name when the user gave up or the
// password was wrong.
BudgetChoisi ChoixFichier(const std::filesystem::path& folder, Prompter& prompter);

}  // namespace varnelle::gui
