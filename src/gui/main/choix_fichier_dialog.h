#pragma once

#include <filesystem>
#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varnelle::gui {

class Prompter;

// "Choix de la base de données": pick a budget of the folder, or name a new one, and give
// its password.
class TfmChoixNomFicINI final : public QDialog {
    Q_OBJECT

public:
    TfmChoixNomFicINI(std::filesystem::path folder, Prompter& prompter, QWidget* parent = nullptr);

    // The data file chosen, with ".ini", once the dialog ended with OK; empty when the
    // password was wrong or the new budget could not be made.
    const std::string& result() const { return result_; }

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
    std::string result_;

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

// Runs the dialog on `folder`: the data file's name with ".ini", or empty when the user
// gave up or the password was wrong.
std::string ChoixFichier(const std::filesystem::path& folder, Prompter& prompter);

}  // namespace varnelle::gui
