#pragma once

#include <cstdint>

#include <QDialog>

#include "core/model/records.h"

class QGroupBox;
class QPushButton;

namespace varnelle::gui {

class CheckList;

// The months in which an expense type falls due, ticked in a list of the twelve months. The
// caller reads the mask back after OK and stores it into the type.
class TfmTypesDepPeriodicite final : public QDialog {
    Q_OBJECT

public:
    explicit TfmTypesDepPeriodicite(const TTypeDep& type, QWidget* parent = nullptr);

    // Bit (12 - m) set for every ticked month m.
    std::int32_t nPeriodicite() const;

private:
    QGroupBox* gbMois;
    CheckList* lbMois;
    QPushButton* btTous;
    QPushButton* btAucun;
    QPushButton* btOK;
    QPushButton* btCancel;
};

}  // namespace varnelle::gui
