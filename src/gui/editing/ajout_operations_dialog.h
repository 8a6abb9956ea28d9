#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QDialog>

#include "core/model/budget.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varnelle::gui {

class CheckList;

// "Ajout d'opération(s)": one empty operation, or at one date one operation for each ticked
// expense type. The types due in the chosen month and not booked in it yet come ticked.
class TfmAjtPlsOp final : public QDialog {
    Q_OBJECT

public:
    explicit TfmAjtPlsOp(const Budget& budget, QWidget* parent = nullptr);

    enum class Choix { UneSeule, Plusieurs };
    Choix choix() const;
    // The date text as typed, Windows-1252 (dd/mm/yyyy).
    std::string dateAjout() const;
    // Positions in TypesDep of the ticked types, in list order.
    std::vector<std::size_t> typesCoches() const;

private:
    void FormCreate();
    void rbClick();
    void edDateAjtChange();
    void btDateAjtClick();
    void etatOK();

    const Budget& budget_;

    QGroupBox* gbAjouter;
    QRadioButton* rbUneSeule;
    QRadioButton* rbPlusieurs;
    QLineEdit* edDateAjt;
    QPushButton* btDateAjt;
    CheckList* lbTypesDep;
    QPushButton* btToutes;
    QPushButton* btAucune;
    QPushButton* btOK;
    QPushButton* btCancel;
};

}  // namespace varnelle::gui
