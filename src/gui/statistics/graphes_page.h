#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing/period_charts.h"
#include "core/model/budget.h"
#include "core/model/date_text.h"
#include "gui/statistics/detail_operations.h"
#include "gui/toolkit/page.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace varnelle::gui {

class DrawingSurface;
class Prompter;

// The "Graphes" statistics page: a period chosen in two date fields or as one whole month,
// the expense-types graph and the operations graph of that period. Each graph keeps the
// period of its last drawing, which its redrawing and its double-click use.
class GraphesPage final : public Page {
    Q_OBJECT

public:
    enum Graphe { kGrapheTypesDep, kGrapheOperations };

    GraphesPage(const Budget& budget, Prompter& prompter, OperationCourante operationCourante,
                QWidget* parent = nullptr);

    QTabWidget& pcGraphes() { return *pcGraphes_; }
    bool lGrapheTDDessine() const { return lGrapheTDDessine_; }
    bool lGrapheOpDessine() const { return lGrapheOpDessine_; }

    // Redraws the graph in front when its last drawing succeeded: after the budget changed,
    // when the page shows again, on resize and after the settings.
    void redessineGrapheVisible();
    // Month and year lists set on the month of the current operation.
    void InitMoisAnnees();

    // The start date takes the keyboard; the month lists are filled if still empty.
    void montre() override;
    // The lists are set again each time the statistics tab shows with this page in front.
    void montreAvecOnglet() override;
    void redessine() override { redessineGrapheVisible(); }
    void appliqueParametres(const TParam& param) override;
    int sousPageDevant() const override;
    OrigineParametres origineParametres() const override;
    bool choisitSousPage(int index) override;

    void btDessinerGrapheClick();
    void AppliqueMoisComplet();
    void btMoisPrecClick();
    void btMoisSuivClick();

protected:
    void actualise() override { redessineGrapheVisible(); }

private:
    bool moisAnneesRemplis() const;
    // The month before (-1) or after (1) the chosen one, applied.
    void pasMois(int sens);
    void creePanneau(QWidget* pnGraphes);
    void btDateClick(QLineEdit& edDate);
    GraphePeriode calculeDessin(Graphe graphe, int w, int h, const TextMetrics& metrics);
    Drawing dessin(Graphe graphe, int w, int h, const TextMetrics& metrics);
    // Draws the graph for its stored period; false, after saying so, when there was nothing.
    bool dessineGraphe(Graphe graphe);
    void DessineGrapheTypesDep();
    void DessineGrapheOperations();
    void imgTypesDepDblClick(int x, int y);
    void imgOperationsDblClick(int x, int y);
    void erreur(const QString& texte);
    std::string texteDate(const QLineEdit& edDate) const;

    const Budget& budget_;
    Prompter& prompter_;
    OperationCourante operationCourante_;
    TParam param_;

    std::string cDateDebTD_{kDateVide}, cDateFinTD_{kDateVide};
    std::string cDateDebOp_{kDateVide}, cDateFinOp_{kDateVide};
    bool lGrapheTDDessine_ = false;
    bool lGrapheOpDessine_ = false;
    // The last picture of each graph and the size it was drawn at; another size draws it
    // again for the same period.
    struct DessinGarde {
        bool tente = false;
        int largeur = -1, hauteur = -1;
        Drawing drawing;
    };
    std::array<DessinGarde, 2> dessins_;

    QLineEdit* edDateDeb_;
    QLineEdit* edDateFin_;
    QPushButton* btDateDeb_;
    QPushButton* btDateFin_;
    QPushButton* btDessinerGraphe_;
    QComboBox* cbMois_;
    QComboBox* cbAnnees_;
    QPushButton* btAppliquerDates_;
    QPushButton* btMoisPrec_;
    QPushButton* btMoisSuiv_;
    QTabWidget* pcGraphes_;
    DrawingSurface* imgTypesDep_;
    DrawingSurface* imgOperations_;
};

}  // namespace varnelle::gui
