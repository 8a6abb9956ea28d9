#pragma once

#include <string>

#include <QDialog>

#include "core/model/budget.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace varnelle::gui {

// "Suppression de plusieurs opérations": the current operation, or every operation of one
// month of one year.
class TfmSupPlsOp final : public QDialog {
    Q_OBJECT

public:
    // `currentRow` is the 1-based row of the operations grid, 0 or less when there is none.
    TfmSupPlsOp(const Budget& budget, int currentRow, QWidget* parent = nullptr);

    enum class Choix { OperationCourante, OperationsDuMois };
    Choix choix() const;
    // "01" .. "12".
    std::string mois() const;
    // The chosen year as the dates write it ("2024"); empty when none is chosen.
    std::string annee() const;

private:
    void FormCreate(const Budget& budget, int currentRow);
    void rgSupprimerClick();

    QGroupBox* rgSupprimer;
    QRadioButton* rbOperationCourante;
    QRadioButton* rbOperationsDe;
    QComboBox* cbMois;
    QComboBox* cbAnnees;
    QPushButton* btOK;
    QPushButton* btCancel;
};

}  // namespace varnelle::gui
