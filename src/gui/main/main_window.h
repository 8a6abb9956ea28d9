#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <QTimer>
#include <QWidget>

#include "core/model/budget.h"
#include "core/model/history.h"
#include "core/reports/list_reports.h"
#include "core/storage/profile_file.h"
#include "gui/main/choix_fichier_dialog.h"

class QPushButton;

namespace varnelle::gui {

class AccesParametres;
class Page;
class PageControl;
class Prompter;

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

// The main window: owns the budget and its data file for the whole run, shows it in tabs of
// pages, and asks whether to save when it closes. It knows its pages only as pages: each
// answers for its own views and for what the buttons of the bar do on it.
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

    // Applies the display settings of the budget to every view, then redraws the chart
    // in front.
    void AppliqueParametres();

    // Ctrl+S: saves as "Oui" at closing does, and the window stays open.
    bool enregistre();
    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: the last change undone, or the last undone made
    // again, shown in its page; false when there is none.
    bool annule();
    bool retablit();
    const Historique& historique() const { return historique_; }
    // How long unsaved changes wait before they are written to the recovery file; 0 writes
    // them at once.
    void setDelaiRecuperation(int millisecondes) { delaiRecuperation_ = millisecondes; }

    // Shows the print preview of a list and returns once it is closed.
    using Apercu = std::function<void(const RapportListe& rapport, QWidget* parent)>;
    void setApercu(Apercu apercu) { apercu_ = std::move(apercu); }

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
    void pcVarnelleChange();
    void btSvgClick(TConfigOnglets& signet);
    void btRstClick(const TConfigOnglets& signet);
    void btImprimerClick();

    void creePages();
    void creeBoutons();
    Page* page(int index) const;
    Page& pageDevant() const;
    // "Ajouter" and "Supprimer" as the page in front offers them.
    void majBoutons();
    void metTitre();
    void termineEditions();
    // Runs a change by the user as one step of the history (see Page::modification).
    void debutModification();
    void finModification(std::string_view cle);
    template <class Action> void modification(Action action) {
        debutModification();
        action();
        finModification({});
    }
    bool rejoue(bool enAvant);
    void proposeRecuperation();
    // Keeps the unsaved changes in the recovery file, now or after the delay; with none
    // left, the file goes.
    void gardeRecuperation(bool maintenant);

    std::filesystem::path folder_;
    Prompter& prompter_;
    ChooseFile chooseFile_;
    Apercu apercu_;
    AccesParametres* accesParametres_ = nullptr;
    Budget budget_;
    ProfileFile file_;
    std::string fileName_;
    bool loaded_ = false;
    bool shownOnce_ = false;
    Historique historique_;
    bool rejeu_ = false;  // pages refill from the budget after an undo: that is no change
    int delaiRecuperation_ = 2 * 60 * 1000;
    QTimer recuperation_;

    PageControl* pcVarnelle;

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
