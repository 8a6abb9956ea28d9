#pragma once

#include <functional>
#include <string_view>

#include <QObject>

#include "core/model/param.h"
#include "core/model/param_trees.h"

class QWidget;

namespace varnelle::gui {

// What a window needs to open the settings dialog on the budget's settings, lent by the main
// window to every window opened under it: a window that only reads the budget can still
// change its settings and its password, as one step of the undo history.
class AccesParametres final : public QObject {
    Q_OBJECT

public:
    struct Portes {
        TParam* param = nullptr;
        // The main window applies the settings to all its views.
        std::function<void()> appliquePrincipale;
        std::function<void(QWidget* parent)> changeMotDePasse;
        std::function<void()> debutModification;
        std::function<void()> finModification;
    };

    AccesParametres(Portes portes, QObject* parent);

    // The access of the main window `widget` stands under; null when there is none.
    static AccesParametres* de(const QWidget* widget);

    const std::function<void()>& appliquePrincipale() const { return portes_.appliquePrincipale; }

    // Opens the dialog modally from `origine` with `applique` as "&Tester", then applies the
    // settings once more whatever the answer.
    void ouvre(QWidget* parent, OrigineParametres origine, const std::function<void()>& applique);

private:
    Portes portes_;
};

}  // namespace varnelle::gui
