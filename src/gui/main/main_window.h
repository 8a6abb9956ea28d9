#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include <QWidget>

#include "main/choix_fichier_dialog.h"
#include "model/budget.h"
#include "storage/profile_file.h"

class QPushButton;

namespace varnelle::gui {

class CalendOpPage;
class DepJournPage;
class GraphesPage;
class OperationsPage;
class PageControl;
class Prompter;
class RecapTypesDepPage;
class SoldesMensuelsPage;
class TypesDepPage;

// Page indices of the main tabs and of the statistics tabs, as the bookmarks keep them.
enum OngletPrincipal { kOngletTypesDep, kOngletOperations, kOngletDepJourn, kOngletStats };
enum OngletStats {
    kStatsGraphes,
    kStatsArboOperations,
    kStatsClasseurs,
    kStatsSoldesMensuels,
    kStatsRecapTypesDep,
    kStatsCalendOp,
};
inline constexpr int kNbDrapeauxStats = 7;

// The main window: owns the budget and its data file for the whole run, shows it in tabs,
// and asks whether to save when it closes.
class TfmMain final : public QWidget {
    Q_OBJECT

public:
    // Asks the user for a budget of the folder and reads it: no name when none was chosen.
    using ChooseFile = std::function<BudgetChoisi(const std::filesystem::path&, Prompter&)>;

    // Runs the budget chooser and loads the budget chosen. When none was (cancelled, wrong
    // password, unreadable file), loaded() is false and the program ends without a window.
    TfmMain(std::filesystem::path folder, Prompter& prompter, ChooseFile chooseFile = {},
            QWidget* parent = nullptr);
    ~TfmMain() override;

    bool loaded() const { return loaded_; }
    Budget& budget() { return budget_; }
    const std::string& fileName() const { return fileName_; }
    ProfileFile& dataFile() { return file_; }
    bool jaugeAffichee() const { return jaugeAffichee_; }
    const std::array<bool, kNbDrapeauxStats>& lAActualiser() const { return lAActualiser_; }

    // Applies the display settings of the budget to every view, then redraws the chart
    // in front.
    void AppliqueParametres();

signals:
    // A statistics page was rebuilt from the budget.
    void statsPageRebuilt(int page);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    bool ChargeFichier();
    bool SauveFichier();
    bool pcVarnelleChanging(int leaving);
    void pcVarnelleChange();
    bool pcStatsChanging(int leaving);
    void pcStatsChange();
    void btAjouterClick();
    void btSupprimerClick();
    void btSvgClick(TConfigOnglets& signet);
    void btRstClick(const TConfigOnglets& signet);

    void creeOnglets();
    void creeBoutons();
    void majAjouterSupprimer();
    void reconstruitPageStats(int page);
    void InitMoisAnnees();
    void redessineVueDevant();
    void metTitre();
    void termineEditions();

    std::filesystem::path folder_;
    Prompter& prompter_;
    ChooseFile chooseFile_;
    Budget budget_;
    ProfileFile file_;
    std::string fileName_;
    bool loaded_ = false;
    bool shownOnce_ = false;

    bool jaugeAffichee_ = false;
    std::array<bool, kNbDrapeauxStats> lAActualiser_{};

    PageControl* pcVarnelle;
    PageControl* pcStats;
    GraphesPage* tsGraphes;
    TypesDepPage* tsTypesDep;
    OperationsPage* tsOperations;
    DepJournPage* tsDepJourn;
    SoldesMensuelsPage* tsSoldesMensuels;
    RecapTypesDepPage* tsRecapTypesDep;
    CalendOpPage* tsCalendOp;

    QPushButton* btAjouter;
    QPushButton* btSupprimer;
    QPushButton* btImprimer;
    QPushButton* btParametres;
    QPushButton* btSvg1;
    QPushButton* btSvg2;
    QPushButton* btRst1;
    QPushButton* btRst2;
    QPushButton* btFermer;
};

}  // namespace varnelle::gui
