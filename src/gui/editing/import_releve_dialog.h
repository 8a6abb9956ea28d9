#pragma once

#include <array>
#include <optional>
#include <string>

#include <QDialog>

#include "core/import/csv_reader.h"
#include "core/import/import_plan.h"
#include "core/model/budget.h"
#include "statements/statement_file.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace varnelle::gui {

class Grid;
class Prompter;

// "Importer un relevé": every line of a bank statement with the type it will take and whether
// it is added or skipped, and why. For a CSV statement the user says which columns hold what;
// a rule "labels containing this text take this type" can be made from a line. Nothing
// changes in the budget here: on OK the caller applies the plan and the memory as one step.
class TfmImportReleve final : public QDialog {
    Q_OBJECT

public:
    TfmImportReleve(const Budget& budget, const QString& nomReleve, FormatReleve format,
                    FichierReleve lu, Prompter& prompter, QWidget* parent = nullptr);

    // What OK imports, with the types the user chose.
    const PlanImport& plan() const { return plan_; }
    // The budget's memory with the columns and rules given here.
    const MemoireImport& memoire() const { return memoire_; }

    Grid& grReleve() { return *grReleve_; }

private:
    enum Colonne { kLigne = 1, kDate, kMontant, kLibelle, kType, kEtat };

    void creeColonnesCsv();
    void colonnesChangees();
    // Reads the lines again with the columns chosen, then plans them.
    void relit();
    // Plans the lines read, the types chosen by hand kept.
    void planifie();
    void majEtat();
    void btRegleClick();
    QVariant grReleveCellLoaded(int column, int row) const;
    bool grReleveEndCellEdit(int column, int row, const QVariant& value);
    QString etat(const LignePlan& ligne) const;

    const Budget& budget_;
    FormatReleve format_;
    FichierReleve lu_;
    Prompter& prompter_;
    EnteteCsv entete_;
    MemoireImport memoire_;
    PlanImport plan_;
    // Types chosen by hand, by statement line number.
    std::map<std::size_t, std::string> choix_;

    QGroupBox* gbColonnes = nullptr;
    // Date, label, amount, debit, credit: the header field chosen, 0 for none.
    std::array<QComboBox*, 5> cbColonnes{};
    Grid* grReleve_;
    QLabel* stResume;
    QPushButton* btRegle;
    QPushButton* btOK;
    QPushButton* btAnnuler;
};

}  // namespace varnelle::gui
