#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QDialog>

#include "core/model/date_text.h"

class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace varnelle::gui {

// "Calendrier": the user picks one date with the mouse. Created for one use by the date fields
// that carry a calendar button.
class TFCCalend final : public QDialog {
    Q_OBJECT

public:
    explicit TFCCalend(QWidget* parent = nullptr);

    // None shows today.
    void setDateDepart(std::optional<CivilDate> date);
    CivilDate dateAffichee() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btMoisPrecClick();
    void btMoisSuivClick();
    void btAnneePrecClick();
    void btAnneeSuivClick();
    void btAujourdhuiClick();
    void CalendDblClick(QDate date);

    void deplaceMois(int sens);
    void deplaceAnnee(int sens);
    void montre(const CivilDate& date);
    void afficheLibelles();

    std::optional<CivilDate> dateDepart_;

    QCalendarWidget* Calend;
    QFrame* pnMois;
    QLabel* stMois;
    QToolButton* btMoisPrec;
    QToolButton* btMoisSuiv;
    QFrame* pnAnnee;
    QLabel* stAnnee;
    QToolButton* btAnneePrec;
    QToolButton* btAnneeSuiv;
    QPushButton* btAujourdhui;
    QPushButton* btOK;
    QPushButton* btCancel;
};

// Opens the calendar on `dateTexte` (today when it is not a valid date, the blank mask
// included) and answers the picked date as dd/mm/yyyy, or nothing when the user gave up.
std::optional<std::string> ChoisitDate(QWidget* parent, std::string_view dateTexte);

}  // namespace varnelle::gui
