#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include <QWidget>

#include "core/model/history.h"
#include "core/model/param.h"
#include "core/model/param_trees.h"
#include "core/reports/list_reports.h"

namespace varnelle::gui {

class Grid;
class Prompter;

// A page of the main window: one of its tabs, or a page of the statistics tab. The window
// knows its pages through this interface only; each answers for its own views and buttons.
class Page : public QWidget {
    Q_OBJECT

public:
    explicit Page(QWidget* parent = nullptr);

    // The budget is loaded and computed: the views take their rows.
    virtual void prepare() {}
    // The main window was shown for the first time.
    virtual void fenetreAffichee() {}
    // The window manager resized the main window to fit its frame on the screen.
    virtual void fenetreAjustee() {}

    // Whether the user may leave the page now; a cell edit in progress is closed first.
    virtual bool peutQuitter() { return true; }
    // The page came to the front of its tabs, by the user's choice or a bookmark.
    virtual void montre() {}
    // The tab holding the page came to the front with this page in front.
    virtual void montreAvecOnglet() { reconstruit(); }
    // Rebuilds the page's views from the budget, then says so.
    void reconstruit();
    // Redraws what depends on the page's size.
    virtual void redessine() {}
    // Applies display settings, which need not be the budget's own (a trial in the settings
    // dialog); the page keeps what it needs of them until the next call.
    virtual void appliqueParametres(const TParam& param);

    // "Ajouter" and "Supprimer": whether the page offers them now, and what they do.
    // "Supprimer" acts only on a grid that has the keyboard.
    virtual bool ajoutPossible() const { return false; }
    virtual void ajoute() {}
    virtual void supprime() {}
    // The window's caption while the page is in front; empty for the program's own. A page
    // whose caption changes says so by actionsChangees.
    virtual QString titre() const { return {}; }
    // Where the settings dialog opens from on the page: the nodes it shows first.
    virtual OrigineParametres origineParametres() const { return OrigineParametres::TypesDep; }
    // The list "Imprimer" prints on the page; none when it is not offered there.
    virtual std::optional<ListeImprimee> listeImprimee() const { return std::nullopt; }

    // Pages inside the page, as the bookmarks keep them: the index of the one in front (-1
    // without any), choosing one as the user would (false when out of range), and the page
    // in front when it is a Page itself.
    virtual int sousPageDevant() const { return -1; }
    virtual bool choisitSousPage(int index);
    virtual Page* pageDevant() { return nullptr; }

    // The window's undo history: called around each change the user makes through the page,
    // with the key of changes that make one step together when they follow one another.
    using DebutModification = std::function<void()>;
    using FinModification = std::function<void(std::string_view cle)>;
    // A page holding pages hands the history on to them.
    virtual void setHistorique(DebutModification debut, FinModification fin);
    // After an undo or a redo, the record of `partie` at `indice` comes into view, current,
    // if the page shows that part; false otherwise.
    virtual bool montreEnregistrement(PartieBudget partie, std::size_t indice);

signals:
    // The page was rebuilt from the budget.
    void reconstruite();
    // What the buttons of the window offer may have changed.
    void actionsChangees();

protected:
    virtual void actualise() {}
    // Runs `action`, a change of the budget by the user, as one step of the undo history;
    // changes of the same non-empty `cle` in a row, as typed in a field, make one step.
    template <class Action>
    decltype(auto) modification(Action&& action, std::string_view cle = {}) {
        struct Parenthese {
            const Page& page;
            std::string_view cle;
            explicit Parenthese(const Page& p, std::string_view c) : page(p), cle(c) {
                if (page.debut_) page.debut_();
            }
            ~Parenthese() {
                if (page.fin_) page.fin_(cle);
            }
        } parenthese(*this, cle);
        return action();
    }
    const DebutModification& debutModification() const { return debut_; }
    const FinModification& finModification() const { return fin_; }
    // Shows row `indice` + 1 of `grid` current, in view.
    static void montreLigne(Grid& grid, std::size_t indice);
    // Whether `widget`, or a widget inside it, has the keyboard.
    bool aLeClavier(const QWidget& widget) const;
    // The entry of the current row of `grid` (`lignes` rows) that "Supprimer" removes: asked
    // as "Supprimer <objet> ?", only when the grid has the keyboard; the edit in progress is
    // ended first.
    std::optional<std::size_t> ligneASupprimer(Grid& grid, std::size_t lignes, Prompter& prompter,
                                               const QString& objet);
    // After "Ajouter": the grid has `lignes` rows, the new last one current, and the keyboard.
    static void montreLigneAjoutee(Grid& grid, std::size_t lignes);

private:
    DebutModification debut_;
    FinModification fin_;
};

}  // namespace varnelle::gui
